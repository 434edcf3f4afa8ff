#include "ui/report/StatisticsDialog.h"
#include "core/app/ReadErrorText.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/catalog/FormatSize.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/report/RowText.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/QtText.h"
#include "ui/report/KindAppearance.h"

namespace kolvex {
namespace {

// Sizes stand in columns: one precision for all of them.
QString sizeText(std::int64_t bytes) { return qtText(FormatSizeTwoDecimals(bytes)); }

// The decimals the value axis needs so that no two of its labels read alike: a step of
// 0.5 needs one, 0.25 two.
int decimalsFor(double step) {
  int decimals = 0;
  double scaled = step;
  while (decimals < 3 && std::abs(scaled - std::round(scaled)) > 1e-6 * std::max(1.0, scaled)) {
    scaled *= 10;
    ++decimals;
  }
  return decimals;
}

// The numbers beside the charts, by the message key of their caption.
constexpr const char* kFigureKeys[6] = {"R038", "R013", "R014", "R015", "R016", "R017"};
// The tabs below the charts: the charts' numbers, then the rankings.
constexpr const char* kTabKeys[6] = {"R019", "R020", "R021", "R022", "R023", "R024"};

}  // namespace

StatisticsDialog::StatisticsDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName("StatisticsDialog");
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  resize(960, 780);
  auto* column = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  cbCatalogs_ = new QComboBox(this);
  cbCatalogs_->setObjectName("cbCatalogs");
  cbCatalogs_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cbCatalogs_->setMinimumContentsLength(24);
  top->addWidget(cbCatalogs_);
  lProgress_ = new QLabel(this);
  lProgress_->setObjectName("lProgress");
  top->addWidget(lProgress_, 1);
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setRange(0, 0);
  pbProgress_->setMaximumWidth(220);
  pbProgress_->hide();
  top->addWidget(pbProgress_);
  column->addLayout(top);

  auto* middle = new QHBoxLayout;
  auto* numbers = new QWidget(this);
  numbers->setObjectName("pFigures");
  figures_ = new QFormLayout(numbers);
  figures_->setLabelAlignment(Qt::AlignLeft);
  for (int i = 0; i < 6; ++i) {
    values_[i] = new QLabel(numbers);
    values_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures_->addRow(new QLabel(numbers), values_[i]);
  }
  middle->addWidget(numbers, 0, Qt::AlignTop);

  kindChart_ = new QChart;
  kindChart_->setAnimationOptions(QChart::NoAnimation);
  kindChart_->legend()->setAlignment(Qt::AlignRight);
  kindView_ = new QChartView(kindChart_, this);
  kindView_->setObjectName("chKinds");
  kindView_->setRenderHint(QPainter::Antialiasing);
  kindView_->setMinimumSize(300, 260);
  middle->addWidget(kindView_, 1);

  extensionChart_ = new QChart;
  extensionChart_->setAnimationOptions(QChart::NoAnimation);
  extensionChart_->legend()->hide();
  extensionView_ = new QChartView(extensionChart_, this);
  extensionView_->setObjectName("chExtensions");
  extensionView_->setRenderHint(QPainter::Antialiasing);
  // Tall enough for the twenty extension names in the axis font (a point smaller than
  // the window's): a shorter chart leaves every other name out.
  QFont axisFont = font();
  axisFont.setPointSizeF(std::max(6.0, axisFont.pointSizeF() - 1));
  const int nameRow = QFontMetrics(axisFont).height() + 3;
  extensionView_->setMinimumSize(300, static_cast<int>(CatalogStatistics::kTopExtensions) * nameRow + 110);
  middle->addWidget(extensionView_, 1);
  column->addLayout(middle, 3);

  rankings_ = new QTabWidget(this);
  rankings_->setObjectName("tcRankings");
  for (int i = 0; i < 6; ++i) {
    lists_[i] = new QTreeWidget(rankings_);
    lists_[i]->setRootIsDecorated(false);
    lists_[i]->setUniformRowHeights(true);
    const bool counts = i < 2;  // kind or extension, files, size, share
    lists_[i]->setColumnCount(counts ? 4 : 3);
    lists_[i]->header()->setStretchLastSection(false);
    for (int c = 0; c < lists_[i]->columnCount(); ++c)
      lists_[i]->header()->setSectionResizeMode(c, c == 1 && !counts ? QHeaderView::Stretch
                                                                     : QHeaderView::ResizeToContents);
    rankings_->addTab(lists_[i], QString());
  }
  column->addWidget(rankings_, 2);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bClose_ = new QPushButton(this);
  bClose_->setObjectName("bClose");
  setTag(bClose_, 95004);
  connect(bClose_, &QPushButton::clicked, this, &QDialog::close);
  bottom->addWidget(bClose_);
  column->addLayout(bottom);

  connect(cbCatalogs_, &QComboBox::activated, this, [this](int index) { choose(index); });
  ApplyLanguage();
}

StatisticsDialog::~StatisticsDialog() {
  *alive_ = false;
  ++generation_;
}

QString StatisticsDialog::message(const char* key) const {
  return qtText(context_.language.message(key));
}

void StatisticsDialog::ApplyLanguage() {
  setWindowTitle(message("R011"));
  bClose_->setText(withoutAccelerator(qtText(context_.language.caption(95004))));
  for (int i = 0; i < 6; ++i)
    if (auto* label = qobject_cast<QLabel*>(figures_->itemAt(i, QFormLayout::LabelRole)->widget()))
      label->setText(message(kFigureKeys[i]) + ":");
  for (int i = 0; i < 6; ++i) rankings_->setTabText(i, message(kTabKeys[i]));
  lists_[0]->setHeaderLabels({message("R037"), message("R013"), message("R033"), message("R040")});
  lists_[1]->setHeaderLabels({message("R039"), message("R013"), message("R033"), message("R040")});
  for (int i = 2; i < 6; ++i)
    lists_[i]->setHeaderLabels({message(i < 4 ? "R033" : "R034"), message("R032"), message("R035")});
  kindChart_->setTitle(message("R019"));
  extensionChart_->setTitle(message("R020"));
  if (cbCatalogs_->count() > 0) cbCatalogs_->setItemText(0, message("R012"));
  showFigures();
}

void StatisticsDialog::showCatalogs(const std::vector<ArchiveListEntry>& catalogs,
                                    const std::string& path) {
  // Catalogs that changed since the window was last shown are read again.
  known_.clear();
  catalogs_ = catalogs;
  cbCatalogs_->clear();
  cbCatalogs_->addItem(message("R012"));
  int chosen = 0;
  for (std::size_t i = 0; i < catalogs_.size(); ++i) {
    cbCatalogs_->addItem(storedText(catalogs_[i].label));
    if (catalogs_[i].path == path) chosen = static_cast<int>(i) + 1;
  }
  cbCatalogs_->setCurrentIndex(chosen);
  show();
  raise();
  activateWindow();
  choose(chosen);
}

bool StatisticsDialog::statisticsOf(const ArchiveListEntry& catalog, CatalogStatistics& into) {
  auto it = known_.find(catalog.path);
  if (it != known_.end()) {
    into.add(it->second);
    return true;
  }
  const std::shared_ptr<bool> alive = alive_;
  const int generation = generation_;
  lProgress_->setText(qtText(context_.language.format("R036", {FormatArg(catalog.label)})));
  pbProgress_->show();
  SlicedPump pump(context_.pump);
  CatalogStatistics one;
  FileKinds kinds(mime_);
  try {
    CatalogReader reader(catalog.path);
    if (!one.addCatalog(reader, kinds, [&](std::int64_t) {
          pump.tick();
          return *alive && generation == generation_;
        }))
      return false;
  } catch (const EStreamError& e) {
    if (!*alive) return false;
    context_.dialogs.message(MessageKind::Error,
                             catalog.path + ": " + localReadError(context_.language, e.what()));
    return false;
  }
  known_[catalog.path] = one;
  into.add(one);
  return true;
}

void StatisticsDialog::choose(int index) {
  const std::shared_ptr<bool> alive = alive_;
  const int generation = ++generation_;
  CatalogStatistics figures;
  for (std::size_t i = 0; i < catalogs_.size(); ++i) {
    if (index != 0 && static_cast<int>(i) + 1 != index) continue;
    // A catalog that cannot be read is named in a message; the others are shown.
    if (!statisticsOf(catalogs_[i], figures) && (!*alive || generation != generation_))
      return;  // the window went, or a newer choice took over
  }
  pbProgress_->hide();
  lProgress_->clear();
  shown_ = figures;
  showFigures();
}

void StatisticsDialog::showFigures() {
  const CatalogStatistics& s = shown_;
  values_[0]->setText(QString::number(s.catalogs));
  values_[1]->setText(QLocale().toString(static_cast<qlonglong>(s.files)));
  values_[2]->setText(QLocale().toString(static_cast<qlonglong>(s.folders)));
  // Across catalogs the three sizes cover different things; each says which.
  const bool many = s.catalogs > 1;
  const auto format = [this](const char* key, std::vector<FormatArg> args) {
    return qtText(context_.language.format(key, args));
  };
  values_[3]->setText(many ? format("R041", {sizeText(s.bytes).toStdString()}) : sizeText(s.bytes));
  const std::int64_t unknown = s.volumesWithoutCapacity();
  if (s.capacity() <= 0) {
    values_[4]->setText(message("R018"));
    values_[5]->setText(message("R018"));
  } else {
    const std::string capacity = sizeText(s.capacity()).toStdString();
    values_[4]->setText(!many ? qtText(capacity)
                        : unknown > 0
                            ? format("R043", {capacity, s.volumesWithCapacity(), unknown})
                            : format("R042", {capacity, s.volumesWithCapacity()}));
    const QString fill = QLocale().toString(s.fill() * 100.0, 'f', 1) + " %";
    values_[5]->setText(many ? format("R044", {fill.toStdString(), sizeText(s.filledBytes()).toStdString()})
                             : fill);
  }
  fillKindChart();
  fillExtensionChart();
  fillCounts();
  fillRanking(lists_[2], s.largestFiles, false);
  fillRanking(lists_[3], s.largestFolders, false);
  fillRanking(lists_[4], s.oldestFiles, true);
  fillRanking(lists_[5], s.newestFiles, true);
}

void StatisticsDialog::fillKindChart() {
  kindChart_->removeAllSeries();
  auto* pie = new QPieSeries;
  pie->setObjectName("kinds");
  const double total = static_cast<double>(shown_.bytes);
  QStringList names;
  for (FileKind k : kAllFileKinds) {
    const SpaceCount& c = shown_.kind(k);
    if (c.bytes <= 0) continue;
    const double share = total > 0 ? c.bytes / total : 0;
    QPieSlice* slice = pie->append(KindText(context_.language, k), static_cast<double>(c.bytes));
    names << slice->label();
    // The share on the slice where there is room; the tables below hold every number.
    if (share >= 0.06) {
      slice->setLabel(QLocale().toString(share * 100.0, 'f', 0) + " %");
      slice->setLabelVisible(true);
      slice->setLabelPosition(QPieSlice::LabelInsideHorizontal);
      slice->setLabelColor(Qt::white);
    }
    slice->setColor(KindColor(k));
    slice->setBorderColor(Qt::white);
  }
  pie->setPieSize(0.8);
  kindChart_->addSeries(pie);
  // The legend names the kinds, whatever the slices show.
  const QList<QLegendMarker*> markers = kindChart_->legend()->markers(pie);
  for (int i = 0; i < markers.size() && i < names.size(); ++i) markers[i]->setLabel(names[i]);
}

void StatisticsDialog::fillExtensionChart() {
  extensionChart_->removeAllSeries();
  for (QAbstractAxis* axis : extensionChart_->axes()) {
    extensionChart_->removeAxis(axis);
    delete axis;
  }
  const std::vector<ExtensionCount> top = shown_.topExtensions();
  if (top.empty()) return;
  // One unit for the whole axis, the largest that keeps the top value at 1 or more.
  const char* const units[] = {"B", "KB", "MB", "GB", "TB"};
  int unit = 0;
  double scale = 1;
  while (unit < 4 && static_cast<double>(top.front().count.bytes) / (scale * 1024) >= 1) {
    scale *= 1024;
    ++unit;
  }
  auto* set = new QBarSet(message("R033"));
  set->setColor(QColor(0x4a, 0x7d, 0xc0));
  QStringList names;
  // Bars are drawn from the bottom up: the largest goes last so it stands on top.
  for (auto it = top.rbegin(); it != top.rend(); ++it) {
    *set << static_cast<double>(it->count.bytes) / scale;
    names << (it->extension.empty() ? message("R031") : "." + storedText(it->extension));
  }
  auto* bars = new QHorizontalBarSeries;
  bars->setObjectName("extensions");
  bars->append(set);
  bars->setBarWidth(0.75);
  extensionChart_->addSeries(bars);
  auto* categories = new QBarCategoryAxis;
  categories->append(names);
  // Twenty names must fit the chart's height without being cut to dots.
  QFont small = categories->labelsFont();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  categories->setLabelsFont(small);
  categories->setTruncateLabels(false);
  extensionChart_->addAxis(categories, Qt::AlignLeft);
  bars->attachAxis(categories);
  auto* values = new QValueAxis;
  values->setTitleText(units[unit]);
  values->setLabelFormat("%.0f");
  values->setMin(0);
  extensionChart_->addAxis(values, Qt::AlignBottom);
  bars->attachAxis(values);
  values->applyNiceNumbers();
  const double step = (values->max() - values->min()) / std::max(1, values->tickCount() - 1);
  values->setLabelFormat(QString("%.%1f").arg(decimalsFor(step)));
}

void StatisticsDialog::fillCounts() {
  const double total = static_cast<double>(shown_.bytes);
  auto row = [&](QTreeWidget* list, const QString& name, const SpaceCount& c, const QColor& mark) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, name);
    if (mark.isValid()) item->setData(0, Qt::DecorationRole, mark);
    item->setText(1, QLocale().toString(static_cast<qlonglong>(c.files)));
    item->setText(2, sizeText(c.bytes));
    item->setText(3, total > 0 ? QLocale().toString(c.bytes * 100.0 / total, 'f', 1) + " %" : QString());
    for (int col = 1; col < 4; ++col) item->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
  };
  lists_[0]->clear();
  for (FileKind k : kAllFileKinds) row(lists_[0], KindText(context_.language, k), shown_.kind(k), KindColor(k));
  lists_[1]->clear();
  for (const ExtensionCount& e : shown_.topExtensions())
    row(lists_[1], e.extension.empty() ? message("R031") : "." + storedText(e.extension), e.count, QColor());
}

void StatisticsDialog::fillRanking(QTreeWidget* list, const std::vector<RankedEntry>& entries,
                                   bool byDate) {
  list->clear();
  for (const RankedEntry& e : entries) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, byDate ? DateTimeTextOf(e.time) : sizeText(e.bytes));
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(1, storedText(e.path));
    item->setToolTip(1, storedText(e.path));
    item->setText(2, storedText(e.label));
  }
}

}  // namespace kolvex
