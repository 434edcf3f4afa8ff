#include "ui/archives/TArchiveManFrame.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <utility>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "core/app/ReadErrorText.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/NaturalOrder.h"
#include "core/catalog/FormatSize.h"
#include "core/persist/CatalogReader.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/ChoiceMenu.h"
#include "ui/common/FittedTextBox.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/Skin.h"
#include "ui/common/SkinWidgets.h"
#include "ui/common/TextBreaks.h"
#include "ui/common/TilePaint.h"
#include "ui/common/WindowState.h"
#include "ui/common/WindowFade.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/TModifyArchiveForm.h"
#include "ui/report/StatisticsDialog.h"
#include "ui/archives/ToolGlyphs.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/IconPicture.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/compare/TCompareForm.h"
#include "ui/duplicates/TDuplicatesForm.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

constexpr int kToolsWidth = 120, kDetailsWidth = 165, kButtonW = 108, kButtonH = 50;
constexpr int kButtonGap = 0, kButtonTop = 2;

// The detail panel's page: the package's LeftBar picture over the window colour.
class DetailPage : public QWidget {
 public:
  DetailPage(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    PaintLeftBar(p, rect(), picture_, palette().color(QPalette::Base));
  }

 private:
  const QImage& picture_;
};

QString formatted(LanguageFile& language, const char* key, const std::string& value) {
  return breakable(qtText(language.format(key, {value})));
}

}  // namespace

TArchiveManFrame::TArchiveManFrame(AppContext& context, QWidget* parent)
    : KolvexView(context, parent) {
  setObjectName("TArchiveManFrame");
  // The add dialog asks the desktop's scan runner, which the catalog folder service owns.
  DesktopScanRunner* scans = Scans();
  if (!scans) throw std::logic_error("the archive manager needs the desktop's scan runner");
  addForm_ = std::make_unique<TAddArchiveForm>(context_, *scans, this);
  modifyForm_ = std::make_unique<TModifyArchiveForm>(context_, this);

  BuildTools();
  BuildDetails();
  model_ = new ArchiveListModel(this);
  lvArchives_ = new ArchiveListView(model_, this);
  lvArchives_->setObjectName("lvArchives");
  connect(lvArchives_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { lvArchivesSelectItem(); });
  connect(lvArchives_, &ArchiveListView::activated, this, [this](int) { sbPropertiesClick(); });
  sbStatus_ = new QStatusBar(this);
  sbStatus_->setObjectName("sbStatus");
  sbStatus_->setSizeGripEnabled(false);
  BuildMenus();
  connect(lvArchives_, &ArchiveListView::contextMenuAt, this,
          [this](const QPoint& at) { pmArchiveMan_->popup(at); });

  Button1_ = new QPushButton("Save Interface", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
  connect(Button1_, &QPushButton::clicked, this, [this] { SaveInterface(); });

  ApplyLanguage();
  ShowArchiveDetails("");
}

TArchiveManFrame::~TArchiveManFrame() {
  if (context_.catalogs.scanRunning()) {
    // The scan may be further down the stack, started by the add dialog (shutdown came
    // from an event it let through): it is told to stop, and the dialogs live until it
    // has returned. The scan runner itself belongs to the catalog folder service.
    context_.catalogs.cancelScan();
    struct Leftovers : QObject {
      std::unique_ptr<TAddArchiveForm> add;
      std::unique_ptr<TModifyArchiveForm> modify;
    };
    auto* later = new Leftovers;
    // Owned by this view as Qt sees it: they must not go with it.
    for (QWidget* w : {static_cast<QWidget*>(addForm_.get()), static_cast<QWidget*>(modifyForm_.get())})
      w->setParent(nullptr, w->windowFlags());
    later->add = std::move(addForm_);
    later->modify = std::move(modifyForm_);
    later->deleteLater();
  }
}

QToolButton* TArchiveManFrame::toolButton(const char* name, int tag, const char* caption,
                                          const char* hint, int glyph) {
  auto* b = new QToolButton(sbTools_->widget());
  b->setObjectName(name);
  setTag(b, tag);
  b->setText(caption);
  b->setToolTip(hint);
  b->setIcon(toolGlyph(static_cast<ToolGlyph>(glyph)));
  b->setIconSize(QSize(24, 24));
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setStyleSheet(
      "QToolButton { color: #1f2a36; border: 1px solid transparent; border-radius: 4px;"
      " padding: 2px; }"
      "QToolButton:hover { background: rgba(255, 255, 255, 120); border-color: #9fb3c4; }"
      "QToolButton:pressed { background: rgba(255, 255, 255, 190); }"
      "QToolButton:disabled { color: #7d8894; }");
  const int index = glyph;
  b->setGeometry((kToolsWidth - kButtonW) / 2, kButtonTop + index * (kButtonH + kButtonGap),
                 kButtonW, kButtonH);
  return b;
}

void TArchiveManFrame::BuildTools() {
  pTools_ = new QWidget(this);
  pTools_->setObjectName("pTools");
  pTools_->setAutoFillBackground(true);
  QPalette pal = pTools_->palette();
  pal.setColor(QPalette::Window, QColor(254, 179, 92));
  pTools_->setPalette(pal);
  // The face texture covers the whole column at any height (a maximised window too); the
  // scroll box with the buttons lies on it, see-through.
  pbTools_ = new TPaintBox(context_.skin, 5, pTools_);
  pbTools_->setObjectName("pbTools");
  sbTools_ = new QScrollArea(pTools_);
  sbTools_->setObjectName("sbTools");
  sbTools_->setFrameShape(QFrame::NoFrame);
  sbTools_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sbTools_->setAutoFillBackground(false);
  sbTools_->viewport()->setAutoFillBackground(false);
  auto* page = new QWidget;
  page->setFixedSize(kToolsWidth, 2 * kButtonTop + 8 * (kButtonH + kButtonGap));
  sbTools_->setWidget(page);
  page->setAutoFillBackground(false);  // setWidget turns it on

  sbCreateArchive_ = toolButton("sbCreateArchive", 40001, "Create", "Create a new archive", 0);
  sbDelete_ = toolButton("sbDelete", 40002, "Delete", "Delete selected archive", 1);
  sbProperties_ = toolButton("sbProperties", 40003, "Browse", "Browse selected archive", 2);
  sbSearch_ = toolButton("sbSearch", 40004, "Search", "Search selected archive", 3);
  sbUpdate_ = toolButton("sbUpdate", 40005, "Update", "Update selected archive", 4);
  sbModify_ =
      toolButton("sbModify", 40008, "Modify", "Modify the information of selected archive", 5);
  sbRefresh_ = toolButton("sbRefresh", 40006, "Refresh", "Refresh archives", 6);
  sbChangeListStyle_ = toolButton("sbChangeListStyle", 90101, "View", "Chang list style", 7);
  connect(sbCreateArchive_, &QToolButton::clicked, this, [this] { sbCreateArchiveClick(); });
  connect(sbDelete_, &QToolButton::clicked, this, [this] { sbDeleteClick(); });
  connect(sbProperties_, &QToolButton::clicked, this, [this] { sbPropertiesClick(); });
  connect(sbSearch_, &QToolButton::clicked, this, [this] { sbSearchClick(); });
  connect(sbUpdate_, &QToolButton::clicked, this, [this] { UpdateSelectedArchive(); });
  connect(sbModify_, &QToolButton::clicked, this, [this] { miModifyArchiveClick(); });
  connect(sbRefresh_, &QToolButton::clicked, this, [this] { RefreshArchives(); });
  connect(sbChangeListStyle_, &QToolButton::clicked, this, [this] { sbChangeListStyleClick(); });
}

void TArchiveManFrame::BuildDetails() {
  sbLeftBar_ = new QScrollArea(this);
  sbLeftBar_->setObjectName("sbLeftBar");
  sbLeftBar_->setFrameShape(QFrame::NoFrame);
  sbLeftBar_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sbLeftBar_->setWidgetResizable(true);
  sbLeftBar_->setBackgroundRole(QPalette::Base);
  pDetails_ = new DetailPage(context_.skin.LeftBar, nullptr);
  // As wide as the panel; narrower only while its scroll bar shows.
  pDetails_->setObjectName("iLeftBar");
  auto* column = new QVBoxLayout(pDetails_);
  column->setContentsMargins(10, 12, 10, 10);
  column->setSpacing(4);

  iIcon_ = new TImage(pDetails_);
  iIcon_->setObjectName("iIcon");
  iIcon_->setFixedSize(32, 32);
  column->addWidget(iIcon_);
  auto makeLabel = [&](const char* name) {
    auto* l = new QLabel(pDetails_);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(l);
    return l;
  };
  lArchiveCaption_ = makeLabel("lArchiveCaption");
  QFont bold = lArchiveCaption_->font();
  bold.setBold(true);
  lArchiveCaption_->setFont(bold);
  column->addSpacing(4);
  lFileSystem_ = makeLabel("lFileSystem");
  lArchiveSize_ = makeLabel("lArchiveSize");
  lSerialNumber_ = makeLabel("lSerialNumber");
  lDateTime_ = makeLabel("lDateTime");
  lRemovable_ = makeLabel("lRemovable");

  mBaseDir_ = new FittedTextBox(pDetails_);
  mBaseDir_->setObjectName("mBaseDir");
  mBaseDir_->setStyleSheet("QTextEdit { background: transparent; }");
  column->addWidget(mBaseDir_);

  lDescription_ = new QLabel("Description", pDetails_);
  lDescription_->setObjectName("lDescription");
  setTag(lDescription_, 40007);
  lDescription_->setFont(bold);
  column->addWidget(lDescription_);
  mDescription_ = new QPlainTextEdit(pDetails_);
  mDescription_->setObjectName("mDescription");
  mDescription_->setReadOnly(true);
  // The box takes the height left below the details (its own wish for 12 lines would push
  // it off the panel's bottom), scrolling its text; the panel scrolls only when even its
  // least height does not fit.
  mDescription_->setMinimumHeight(60);
  mDescription_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  column->addWidget(mDescription_, 1);
  column->addStretch(0);
  sbLeftBar_->setWidget(pDetails_);
}

QAction* TArchiveManFrame::menuItem(QMenu* menu, const char* name, int tag, const char* caption,
                                    const QKeySequence& shortcut) {
  auto* a = new QAction(caption, menu);
  a->setObjectName(name);
  setTag(a, tag);
  if (!shortcut.isEmpty()) {
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);  // the shortcut works while the view has the focus, menu open or not
  }
  menu->addAction(a);
  return a;
}

void TArchiveManFrame::BuildMenus() {
  pmArchiveMan_ = new QMenu(this);
  pmArchiveMan_->setObjectName("pmArchiveMan");
  miDeleteArchive_ = menuItem(pmArchiveMan_, "miDeleteArchive", 40009, "Delete Selected Archive",
                              QKeySequence(Qt::Key_Delete));
  miBrowseArchive_ = menuItem(pmArchiveMan_, "miBrowseArchive", 40010, "Browse Selected Archive",
                              QKeySequence(Qt::CTRL | Qt::Key_B));
  pmArchiveMan_->setDefaultAction(miBrowseArchive_);
  miSearchArchive_ = menuItem(pmArchiveMan_, "miSearchArchive", 40011, "Search Selected Archive",
                              QKeySequence(Qt::CTRL | Qt::Key_S));
  miUpdateArchive_ = menuItem(pmArchiveMan_, "miUpdateArchive", 40012, "Update Selected Archive",
                              QKeySequence(Qt::CTRL | Qt::Key_U));
  miModifyArchive_ = menuItem(pmArchiveMan_, "miModifyArchive", 40013, "Modify",
                              QKeySequence(Qt::CTRL | Qt::Key_M));
  pmArchiveMan_->addSeparator()->setObjectName("miLine");
  miCreateArchive_ = menuItem(pmArchiveMan_, "miCreateArchive", 40014, "Create A New Archive",
                              QKeySequence(Qt::CTRL | Qt::Key_A));
  miRefresh_ =
      menuItem(pmArchiveMan_, "miRefresh", 40015, "Refresh Archives", QKeySequence(Qt::Key_F5));
  // Files that cannot be read are not in the list: this is the way to remove them.
  miDeleteDamaged_ = menuItem(pmArchiveMan_, "miDeleteDamaged", 40016, "Delete Damaged Archives...", {});
  miDeleteDamaged_->setEnabled(false);
  BuildReportMenus();
  BuildCompareMenus();
  pmArchiveMan_->setToolTipsVisible(true);
  connect(miDeleteArchive_, &QAction::triggered, this, [this] { sbDeleteClick(); });
  connect(miBrowseArchive_, &QAction::triggered, this, [this] { sbPropertiesClick(); });
  connect(miSearchArchive_, &QAction::triggered, this, [this] { sbSearchClick(); });
  connect(miUpdateArchive_, &QAction::triggered, this, [this] { UpdateSelectedArchive(); });
  connect(miModifyArchive_, &QAction::triggered, this, [this] { miModifyArchiveClick(); });
  connect(miCreateArchive_, &QAction::triggered, this, [this] { sbCreateArchiveClick(); });
  connect(miRefresh_, &QAction::triggered, this, [this] { RefreshArchives(); });
  connect(miDeleteDamaged_, &QAction::triggered, this, [this] { context_.catalogs.offerDeletingDamaged(); });

  pmListStyle_ = new QMenu(this);
  pmListStyle_->setObjectName("pmListStyle");
  using Style = ArchiveListView::Style;
  const struct {
    const char* name;
    int tag;
    const char* caption;
    Style style;
  } styles[] = {{"miIcon", 90102, "Icon", Style::Icon},
                {"miList", 90103, "List", Style::List},
                {"miSmallIcon", 90104, "Small Icon", Style::SmallIcon},
                {"miDetailed", 90105, "Detailed", Style::Detailed}};
  for (const auto& s : styles) {
    QAction* a = menuItem(pmListStyle_, s.name, s.tag, s.caption, {});
    const Style style = s.style;
    a->setData(static_cast<int>(style));
    connect(a, &QAction::triggered, this, [this, style] { lvArchives_->setStyle(style); });
  }
  markChoiceOnShow(pmListStyle_, [this] { return static_cast<int>(lvArchives_->style()); });
}

void TArchiveManFrame::ApplyLanguage() {
  KolvexView::ApplyLanguage();
  if (statistics_) statistics_->ApplyLanguage();
  QStringList captions;
  for (const char* key : {"A021", "A022", "A023", "A024", "A025"})
    captions << qtText(context_.language.message(key));
  model_->setColumnCaptions(captions, qtText(context_.language.message("R018")));
  // The detail panel, the status, the dialogs and the progress windows speak the new
  // language at once; the columns widen to their new captions.
  ShowArchiveDetails(selectedArchive_);
  if (listedCount_ >= 0) SetStatus(qtText(context_.language.format("A046", {listedCount_})));
  ShowEmptyHint();
  lvArchives_->widenColumns();
  addForm_->ApplyLanguage();
  modifyForm_->ApplyLanguage();
  duplicates_->ApplyLanguage();
  compare_->ApplyLanguage();
  if (DesktopScanRunner* scans = Scans()) scans->windows().ApplyLanguage();
}

void TArchiveManFrame::SaveState(WindowState& state) const { lvArchives_->saveState(state); }

void TArchiveManFrame::RestoreState(const WindowState& state) { lvArchives_->restoreState(state); }

void TArchiveManFrame::resizeEvent(QResizeEvent*) {
  const int statusH = sbStatus_->sizeHint().height();
  const int h = std::max(0, height() - statusH);
  pTools_->setGeometry(0, 0, kToolsWidth, h);
  pbTools_->setGeometry(pTools_->rect());
  sbTools_->setGeometry(pTools_->rect());
  sbLeftBar_->setGeometry(kToolsWidth, 0, kDetailsWidth, h);
  lvArchives_->setGeometry(kToolsWidth + kDetailsWidth, 0,
                           std::max(0, width() - kToolsWidth - kDetailsWidth), h);
  sbStatus_->setGeometry(0, h, width(), statusH);
}

void TArchiveManFrame::SetStatus(const QString& text) { sbStatus_->showMessage(text); }

QString TArchiveManFrame::StatusText() const { return sbStatus_->currentMessage(); }

DesktopScanRunner* TArchiveManFrame::Scans() const {
  return dynamic_cast<DesktopScanRunner*>(context_.catalogs.scanRunner());
}

void TArchiveManFrame::RefreshArchives() { context_.catalogs.refresh(); }

void TArchiveManFrame::CatalogsRefreshing() {
  // The list is rebuilt: where the user was in it comes back by file afterwards.
  if (model_->rowCount() > 0) keptPlace_ = lvArchives_->place();
  SetStatus(qtText(context_.language.message("A051")));
  ShowArchiveDetails("");
  model_->clear();
  lvArchives_->setEmptyHint({});
}

void TArchiveManFrame::ShowEmptyHint() {
  // Nothing catalogued yet: the empty list says how to begin.
  lvArchives_->setEmptyHint(listedCount_ == 0 ? qtText(context_.language.message("U009")) : QString());
}

void TArchiveManFrame::CatalogsChanged(const std::vector<ArchiveListEntry>& catalogs) {
  std::vector<ArchiveListModel::Row> rows;
  for (const ArchiveEntry& entry : context_.catalogs.catalogs())
    rows.push_back(ArchiveListModel::rowFor(*entry.header, entry.path));
  model_->setRows(std::move(rows));
  lvArchives_->restorePlace(std::exchange(keptPlace_, {}));
  listed_ = catalogs;
  miDeleteDamaged_->setEnabled(!context_.catalogs.damaged().empty());
  UpdateCompareCommands();
  lvArchives_->widenColumns();
  listedCount_ = static_cast<std::int64_t>(catalogs.size());
  SetStatus(qtText(context_.language.format("A046", {listedCount_})));
  ShowEmptyHint();
}

void TArchiveManFrame::lvArchivesSelectItem() {
  // The commands on one catalog need exactly one; two are for comparing.
  const std::vector<int> rows = lvArchives_->selectedRows();
  ShowArchiveDetails(rows.size() != 1 ? std::string() : model_->row(rows.front()).path.toStdString());
}

void TArchiveManFrame::ShowArchiveDetails(const std::string& path) {
  selectedArchive_ = path;
  TSCCDInfo header;
  bool shown = false;
  if (!path.empty()) {
    try {
      CatalogReader reader(path);
      const TSCCDInfo& h = reader.header();
      LanguageFile& lang = context_.language;
      lArchiveCaption_->setText(breakable(qtText(h.CDLabel)));
      lFileSystem_->setText(formatted(lang, "A065", h.CDFormat));
      lArchiveSize_->setText(formatted(lang, "A066", FormatKnownSize(h.CDSize, lang.message("R018"))));
      lSerialNumber_->setText(formatted(lang, "A067", h.CreateSerial));
      lDateTime_->setText(formatted(lang, "A068", DateTimeTextOf(h.CreateDateTime).toStdString()));
      lRemovable_->setText(qtText(lang.message(h.Removable ? "A019" : "A020")));
      mBaseDir_->setPlainText(qtText(lang.format("A069", {h.BaseDir})));
      iIcon_->setPicture(iconPicture(*h.CDIconLarge, 32));
      context_.pump.processEvents();
      QStringList lines;
      for (const std::string& line : h.CDDescription->lines) lines << qtText(line);
      mDescription_->setPlainText(lines.join('\n'));
      shown = true;
    } catch (const std::exception& e) {
      context_.dialogs.message(MessageKind::Error, path + ": " + localReadError(context_.language, e.what()));
      selectedArchive_.clear();
    }
  }
  if (!shown) {
    lArchiveCaption_->setText(qtText(context_.language.message("A008")));
    for (QLabel* l : {lFileSystem_, lArchiveSize_, lSerialNumber_, lDateTime_, lRemovable_})
      l->clear();
    mBaseDir_->clear();
    iIcon_->setPicture(QImage());
    mDescription_->clear();
  }
  const bool hasDescription = !mDescription_->toPlainText().isEmpty();
  mDescription_->setVisible(hasDescription);
  lDescription_->setVisible(hasDescription);
  mBaseDir_->setVisible(shown);
  SetSelectionCommandsEnabled(shown);
}

void TArchiveManFrame::SetSelectionCommandsEnabled(bool enabled) {
  for (QToolButton* b : {sbDelete_, sbProperties_, sbSearch_, sbUpdate_, sbModify_})
    b->setEnabled(enabled);
  for (QAction* a : {miSearchArchive_, miDeleteArchive_, miBrowseArchive_, miUpdateArchive_,
                     miModifyArchive_, miExportArchive_})
    a->setEnabled(enabled);
  UpdateCompareCommands();
}

void TArchiveManFrame::sbDeleteClick() {
  if (selectedArchive_.empty()) return;
  // The question names the catalog, and Enter keeps it.
  const int row = lvArchives_->selectedRow();
  const std::string label = row >= 0 ? model_->row(row).label.toStdString() : std::string();
  const std::string question =
      context_.language.message("A009") + "\n\n" + label + "\n" + selectedArchive_;
  if (context_.dialogs.askDefaultNo(question) != Answer::Yes) return;
  context_.catalogs.deleteCatalog(selectedArchive_);
}

void TArchiveManFrame::sbCreateArchiveClick() {
  if (addForm_->VolumePath().empty()) addForm_->SetVolumePath(TAddArchiveForm::DefaultPath());
  ShowGradually(addForm_.get(), context_.options, context_.pump);
  addForm_->raise();
  addForm_->activateWindow();
}

void TArchiveManFrame::OfferFolder(const std::string& folder) {
  if (folder.empty()) return;
  addForm_->SetVolumePath(folder);
  ShowGradually(addForm_.get(), context_.options, context_.pump);
  addForm_->raise();
  addForm_->activateWindow();
}

void TArchiveManFrame::sbPropertiesClick() {
  if (selectedArchive_.empty()) return;
  emit browseRequested(selectedArchive_, "", "");
}

void TArchiveManFrame::sbSearchClick() {
  if (selectedArchive_.empty()) return;
  emit searchRequested(selectedArchive_);
}

void TArchiveManFrame::miModifyArchiveClick() {
  if (selectedArchive_.empty()) return;
  if (!modifyForm_->SetArchive(selectedArchive_)) return;
  ShowGradually(modifyForm_.get(), context_.options, context_.pump);
  modifyForm_->raise();
  modifyForm_->activateWindow();
}

void TArchiveManFrame::UpdateSelectedArchive() {
  if (selectedArchive_.empty()) return;
  context_.catalogs.updateCatalog(selectedArchive_);
}

void TArchiveManFrame::sbChangeListStyleClick() {
  pmListStyle_->popup(sbChangeListStyle_->mapToGlobal(sbChangeListStyle_->rect().topRight()));
}

}  // namespace kolvex
