#include "ui/duplicates/TDuplicatesForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <climits>
#include <memory>

#include "core/app/CheckedFormat.h"
#include "core/catalog/FormatSize.h"
#include "core/compare/DuplicateFinder.h"
#include "platform/MountedVolumes.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/QtText.h"
#include "ui/common/ItemViews.h"
#include "ui/common/Skin.h"
#include "ui/duplicates/DuplicateListModel.h"
#include "ui/explorer/InfoPanel.h"
#include "ui/search/HitTexts.h"

namespace kolvex {
namespace {

constexpr int kPathRole = Qt::UserRole + 1;

// What the search thread hands back.
struct Found {
  DupeGroups groups;
  std::vector<DupeCatalog> catalogs;
};

}  // namespace

TDuplicatesForm::TDuplicatesForm(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), actions_(context), volumes_(mountedVolumes) {
  setObjectName("TDuplicatesForm");
  setTag(this, 96000);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setModal(false);
  BuildControls();
  ApplyLanguage();
  resize(980, 640);
  selectionChanged();
  setSearching(false);

  // The bar follows the catalogs read while the thread works.
  auto* poll = new QTimer(this);
  poll->setInterval(100);
  connect(poll, &QTimer::timeout, this, [this] {
    if (task_.running()) pbProgress_->setValue(reading_);
  });
  poll->start();
}

TDuplicatesForm::~TDuplicatesForm() {
  // The thread reads nothing of this window but the flag and the counter it was given.
  task_.stop();
  task_.finishNow();
}

void TDuplicatesForm::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  outer->addLayout(top);

  auto* archives = new QVBoxLayout;
  lArchives_ = new QLabel(this);
  lArchives_->setObjectName("lArchives");
  setTag(lArchives_, 96001);
  lbArchives_ = new QListWidget(this);
  lbArchives_->setObjectName("lbArchives");
  lbArchives_->setMaximumHeight(120);
  lArchives_->setBuddy(lbArchives_);
  archives->addWidget(lArchives_);
  archives->addWidget(lbArchives_);
  top->addLayout(archives, 1);

  auto* settings = new QVBoxLayout;
  cbByContent_ = new QCheckBox(this);
  cbByContent_->setObjectName("cbByContent");
  setTag(cbByContent_, 96002);
  cbByContent_->setChecked(true);
  cbSameTime_ = new QCheckBox(this);
  cbSameTime_->setObjectName("cbSameTime");
  setTag(cbSameTime_, 96003);
  auto* minRow = new QHBoxLayout;
  lMinSize_ = new QLabel(this);
  lMinSize_->setObjectName("lMinSize");
  setTag(lMinSize_, 96004);
  seMinSize_ = new QSpinBox(this);
  seMinSize_->setObjectName("seMinSize");
  seMinSize_->setRange(0, INT_MAX);
  seMinSize_->setValue(1);
  lMinSize_->setBuddy(seMinSize_);
  minRow->addWidget(lMinSize_);
  minRow->addWidget(seMinSize_);
  minRow->addStretch(1);
  settings->addWidget(cbByContent_);
  settings->addWidget(cbSameTime_);
  settings->addLayout(minRow);
  auto* buttons = new QHBoxLayout;
  bFind_ = new QPushButton(this);
  bFind_->setObjectName("bFind");
  setTag(bFind_, 96005);
  bFind_->setDefault(true);
  bStop_ = new QPushButton(this);
  bStop_->setObjectName("bStop");
  setTag(bStop_, 95005);
  buttons->addWidget(bFind_);
  buttons->addWidget(bStop_);
  buttons->addStretch(1);
  settings->addLayout(buttons);
  settings->addStretch(1);
  top->addLayout(settings, 1);
  connect(bFind_, &QPushButton::clicked, this, [this] { bFindClick(); });
  connect(bStop_, &QPushButton::clicked, this, [this] { bStopClick(); });

  auto* middle = new QHBoxLayout;
  outer->addLayout(middle, 1);
  sbLeftBar_ = new InfoPanel(this);
  sbLeftBar_->setPicture(context_.skin.LeftBar);
  middle->addWidget(sbLeftBar_);
  model_ = new DuplicateListModel(appearance_, this);
  appearance_.setIconsReady(true);
  tvGroups_ = new QTreeView(this);
  tvGroups_->setObjectName("tvGroups");
  tvGroups_->setModel(model_);
  tvGroups_->setUniformRowHeights(true);
  tvGroups_->setSelectionMode(QAbstractItemView::SingleSelection);
  tvGroups_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tvGroups_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvGroups_->setContextMenuPolicy(Qt::CustomContextMenu);
  tvGroups_->header()->setStretchLastSection(true);
  middle->addWidget(tvGroups_, 1);
  connect(tvGroups_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { selectionChanged(); });
  // A double click, or Enter, opens a copy as a hit of the search would be opened.
  connect(tvGroups_, &QTreeView::activated, this, [this](const QModelIndex& index) {
    if (model_->copyAt(index)) miItemAction(kHitExecute);
  });
  pmItem_ = new QMenu(this);
  pmItem_->setObjectName("pmItem");
  pmItem_->setToolTipsVisible(true);
  HitActions::addToMenu(pmItem_, [this](int tag) { miItemAction(tag); });
  connect(tvGroups_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    pmItem_->popup(tvGroups_->viewport()->mapToGlobal(at));
  });

  auto* bottom = new QHBoxLayout;
  outer->addLayout(bottom);
  lStatus_ = new QLabel(this);
  lStatus_->setObjectName("lStatus");
  lStatus_->setWordWrap(true);
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setTextVisible(false);
  pbProgress_->setMaximumWidth(220);
  bClose_ = new QPushButton(this);
  bClose_->setObjectName("bClose");
  setTag(bClose_, 95004);
  bClose_->setAutoDefault(false);
  connect(bClose_, &QPushButton::clicked, this, [this] { close(); });
  bottom->addWidget(lStatus_, 1);
  bottom->addWidget(pbProgress_);
  bottom->addWidget(bClose_);
}

QString TDuplicatesForm::message(const char* key) const { return qtText(context_.language.message(key)); }

void TDuplicatesForm::ApplyLanguage() {
  ApplyInterfaceTexts(this, context_.language, true);
  model_->setCaptions({message("D001"), message("D002"), message("D003"), message("D004"),
                       message("D005")});
  DuplicateListModel::Texts texts;
  // Looked up once: the rows ask for it whenever they are painted.
  texts.copies = [pattern = context_.language.message("D006")](std::size_t copies, std::int64_t wasted) {
    const FormatArg args[] = {copies, FormatSize(wasted)};
    return qtText(formatOrShow(pattern, args));
  };
  texts.byContent = message("D007");
  texts.byName = message("D008");
  texts.mounted = message("D009");
  texts.offline = message("D010");
  model_->setTexts(texts);
  widenColumnsToContents(tvGroups_);
  selectionChanged();
}

void TDuplicatesForm::setVolumeSource(MediaLocator::VolumeSource volumes) {
  volumes_ = volumes;
  actions_.setVolumeSource(std::move(volumes));
}

void TDuplicatesForm::showCatalogs(const std::vector<ArchiveListEntry>& catalogs) {
  lbArchives_->clear();
  for (const ArchiveListEntry& c : catalogs) {
    auto* item = new QListWidgetItem(qtText(c.label), lbArchives_);
    item->setData(kPathRole, qtText(c.path));
    item->setToolTip(qtText(c.path));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  show();
  raise();
  activateWindow();
  bFindClick();
}

std::vector<std::string> TDuplicatesForm::tickedCatalogs() const {
  std::vector<std::string> paths;
  for (int i = 0; i < lbArchives_->count(); ++i)
    if (lbArchives_->item(i)->checkState() == Qt::Checked)
      paths.push_back(lbArchives_->item(i)->data(kPathRole).toString().toStdString());
  return paths;
}

void TDuplicatesForm::bFindClick() {
  const std::vector<std::string> paths = tickedCatalogs();
  model_->clear();
  selectionChanged();
  if (paths.empty()) {
    lStatus_->setText(message("D014"));
    return;
  }
  DupeOptions options;
  options.byContent = cbByContent_->isChecked();
  options.sameTime = cbSameTime_->isChecked();
  options.minSize = seMinSize_->value();
  // The mounted volumes are asked here: the thread touches nothing of the desktop.
  auto volumes = std::make_shared<std::vector<Volume>>(volumes_ ? volumes_() : std::vector<Volume>());
  auto found = std::make_shared<Found>();
  reading_ = 0;
  readingOf_ = static_cast<int>(paths.size());
  pbProgress_->setRange(0, readingOf_);
  pbProgress_->setValue(0);
  lStatus_->setText(message("D011"));
  setSearching(true);
  task_.start(
      [paths, options, volumes, found, this](const std::atomic<bool>& stop) {
        DuplicateFinder finder(options);
        for (const std::string& path : paths) {
          if (stop) return;
          ++reading_;
          finder.addCatalog(path);
        }
        if (stop) return;
        finder.markMounted(*volumes);
        found->groups = finder.groups();
        found->catalogs = finder.catalogs();  // with what reading the paths found
      },
      [this, found](bool stopped) {
        setSearching(false);
        if (stopped) {
          lStatus_->setText(message("D013"));
          return;
        }
        std::string warnings;
        for (const DupeCatalog& c : found->catalogs)
          if (!c.warning.empty()) warnings += "\n" + c.warning;
        model_->setGroups(std::move(found->groups), std::move(found->catalogs));
        widenColumnsToContents(tvGroups_);
        lStatus_->setText(qtText(context_.language.format(
            "D012", {static_cast<std::int64_t>(model_->groups().size()), FormatSize(model_->wastedTotal())})));
        if (!warnings.empty()) context_.dialogs.message(MessageKind::Information, warnings.substr(1));
      });
}

void TDuplicatesForm::bStopClick() { task_.stop(); }

void TDuplicatesForm::setSearching(bool searching) {
  bFind_->setEnabled(!searching);
  bStop_->setEnabled(searching);
  pbProgress_->setVisible(searching);
}

QString TDuplicatesForm::statusText() const { return lStatus_->text(); }

void TDuplicatesForm::selectCopy(int group, int copy) {
  const QModelIndex parent = model_->index(group, 0);
  const QModelIndex index = copy < 0 ? parent : model_->index(copy, 0, parent);
  if (!index.isValid()) {
    tvGroups_->selectionModel()->clearSelection();
    return;
  }
  tvGroups_->expand(parent);
  tvGroups_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TDuplicatesForm::selectionChanged() {
  const QModelIndexList rows = tvGroups_->selectionModel()->selectedRows();
  const DupeCopy* copy = rows.isEmpty() ? nullptr : model_->copyAt(rows.first());
  for (QAction* a : pmItem_->actions())
    if (!a->isSeparator()) a->setEnabled(copy != nullptr);
  if (!copy) {
    sbLeftBar_->setFolderCaption(QString());
    sbLeftBar_->clearItem(message("A008"));
    return;
  }
  TTSearchResultItem hit = HitOfCopy(*copy, model_->catalogOf(*copy));
  hit.Size = model_->groups()[static_cast<std::size_t>(rows.first().parent().row())].size;
  const int icon = appearance_.describe(hit, {});
  LanguageFile& language = context_.language;
  sbLeftBar_->setFolderCaption(qtText(hit.CDLabel));
  sbLeftBar_->showItem(appearance_.icon(icon), qtText(hit.Name), qtText(hit.KindText),
                       qtText(language.format("A068", {HitDateText(hit)})),
                       qtText(language.format("A071", {FormatSize(hit.Size)})),
                       qtText(language.format("A070", {HitShownPath(hit)})));
}

void TDuplicatesForm::miItemAction(int tag) {
  const QModelIndexList rows = tvGroups_->selectionModel()->selectedRows();
  const DupeCopy* copy = rows.isEmpty() ? nullptr : model_->copyAt(rows.first());
  if (!copy) return;
  // The list may change while the user is asked for the medium (a new search).
  const TTSearchResultItem hit = HitOfCopy(*copy, model_->catalogOf(*copy));
  if (tag == kHitBrowseArchive) {
    if (const std::optional<BrowsePlace> place = actions_.browsePlace(hit))
      emit browseRequested(place->catalog, place->folder, place->select);
  } else if (tag == kHitExecute || tag == kHitBrowseFolder || tag == kHitPrint) {
    actions_.runOnMedium(tag, hit);
  } else {
    actions_.copy(tag, hit);
  }
}

}  // namespace kolvex
