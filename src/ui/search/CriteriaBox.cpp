#include "ui/search/CriteriaBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QSignalBlocker>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

#include "core/search/SearchEngine.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/SkinWidgets.h"
#include "ui/search/ArchiveCheckModel.h"
#include "ui/search/DayCountDate.h"
#include "ui/search/PopupPanel.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

QLabel* taggedLabel(QWidget* parent, const char* name, int tag) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  setTag(l, tag);
  return l;
}

QComboBox* unitList(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  for (int i = 0; i < kUnitCount; ++i) c->addItem(QString::fromUtf8(SizeUnitText(i).data()));
  c->setCurrentIndex(kUnitKB);
  return c;
}

QSpinBox* spinEdit(QWidget* parent, const char* name, int value) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(INT_MIN, INT_MAX);
  s->setValue(value);
  s->setMinimumWidth(90);
  return s;
}

// The locale's long date without its day of the week: a weekday name in the field stops
// matching the date while a year is typed, and the field then refuses every digit.
QString editableLongDateFormat() {
  QString format = QLocale().dateFormat(QLocale::LongFormat);
  static const QRegularExpression weekday("d{3,4}[^dMy]*");
  format.remove(weekday);
  return format.trimmed();
}

QDateTimeEdit* datePicker(QWidget* parent, const char* name) {
  auto* d = new QDateTimeEdit(DateTimeOfDayCount(kPickerStartDate), parent);
  d->setObjectName(name);
  d->setDisplayFormat(editableLongDateFormat());
  // Catalogs date their entries from year 1 to 9999; any of those years may be typed.
  d->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
  d->setCalendarPopup(true);
  d->setMinimumWidth(170);
  return d;
}

}  // namespace

CriteriaBox::CriteriaBox(AppContext& context, SearchEngine& engine, QWidget* popupParent,
                         QWidget* parent)
    : QWidget(parent), context_(context), engine_(engine), popupParent_(popupParent) {
  setObjectName("sbSearchOptions");
  setMinimumHeight(110);
  // The summary's dates read as every other date of the program.
  shortDate_ = [](double dayCount) { return DateTextOf(dayCount).toStdString(); };
  pbClient_ = new TPaintBox(context.skin, 5, this);
  pbClient_->setObjectName("pbClient");
  pbClient_->lower();
  // The paint box lets clicks through to the box, which closes the panels.
  pbClient_->setAttribute(Qt::WA_TransparentForMouseEvents);

  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(10, 8, 10, 8);
  columns->setSpacing(14);
  BuildMaskColumn();
  BuildArchiveColumn();
  BuildMoreColumn();
  BuildSearchWhat();
  BuildDate();
  BuildSize();
  BuildAttr();
  engine_.setMask(eMask_->text().toStdString());
}

void CriteriaBox::BuildMaskColumn() {
  auto* column = new QVBoxLayout;
  auto* lMask = taggedLabel(this, "lMask", 20017);
  eMask_ = new QLineEdit("*.*", this);
  eMask_->setObjectName("eMask");
  lMask->setBuddy(eMask_);
  auto* lCategory = taggedLabel(this, "lCategory", 20018);
  cbCategories_ = new QComboBox(this);
  cbCategories_->setObjectName("cbCategories");
  // A long category name is shortened in the closed list; the open list shows it whole.
  cbCategories_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbCategories_->setMinimumContentsLength(8);
  lCategory->setBuddy(cbCategories_);
  cbCateMasks_ = new QComboBox(this);
  cbCateMasks_->setObjectName("cbCateMasks");
  cbCateMasks_->hide();
  for (QWidget* w : {static_cast<QWidget*>(lMask), static_cast<QWidget*>(eMask_),
                     static_cast<QWidget*>(lCategory), static_cast<QWidget*>(cbCategories_)})
    column->addWidget(w);
  column->addStretch();
  static_cast<QHBoxLayout*>(layout())->addLayout(column, 2);

  connect(eMask_, &QLineEdit::textChanged, this,
          [this](const QString& text) { engine_.setMask(text.toStdString()); });
  // Enter in the mask starts the search, as the Search button would.
  connect(eMask_, &QLineEdit::returnPressed, this, [this] {
    if (ControlsOf(engine_.state()).searchEnabled) engine_.SearchClick();
  });
  connect(eMask_, &QLineEdit::textEdited, this, [this] {
    MaskKeyPress(panel_);
    cbCategories_->setCurrentIndex(-1);
  });
  connect(cbCategories_, &QComboBox::activated, this, [this](int index) {
    CategoriesChange(panel_, index);
    cbCateMasks_->setCurrentIndex(index);
    eMask_->setText(qtText(panel_.mask));
  });
}

void CriteriaBox::BuildArchiveColumn() {
  // Label, list and Check button one above the other: side by side, the label and the
  // button made the column too wide for the summaries beside it in a long language.
  auto* column = new QVBoxLayout;
  auto* lInside = taggedLabel(this, "lInside", 20019);
  bSelect_ = new QPushButton(this);
  bSelect_->setObjectName("bSelect");
  setTag(bSelect_, 20020);
  bSelect_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  clbArchives_ = new QListView(this);
  clbArchives_->setObjectName("clbArchives");
  archives_ = new ArchiveCheckModel(engine_, this);
  clbArchives_->setModel(archives_);
  clbArchives_->setUniformItemSizes(true);
  // Labels made of a serial number and a path share a long start: a narrow column keeps
  // both ends, where they differ, and the tool tip shows the whole label.
  clbArchives_->setTextElideMode(Qt::ElideMiddle);
  lInside->setBuddy(clbArchives_);
  column->addWidget(lInside);
  column->addWidget(clbArchives_, 1);
  column->addWidget(bSelect_, 0, Qt::AlignLeft);
  static_cast<QHBoxLayout*>(layout())->addLayout(column, 4);

  pmCheck_ = new QMenu(this);
  pmCheck_->setObjectName("pmCheck");
  pmCheck_->setToolTipsVisible(true);
  // Each item gets its own plain lambda: a call through a member-function pointer kept in
  // the handler made GCC 12's sanitizer build read outside the handler and abort.
  auto item = [this](const char* name, int tag, auto tick) {
    QAction* a = pmCheck_->addAction(QString());
    a->setObjectName(name);
    setTag(a, tag);
    connect(a, &QAction::triggered, this, [this, tick] {
      tick(engine_);
      archives_->ticksChanged();
    });
  };
  item("micAll", 20025, [](SearchEngine& e) { e.CheckAll(); });
  item("micNone", 20026, [](SearchEngine& e) { e.CheckNone(); });
  item("micFlip", 20027, [](SearchEngine& e) { e.FlipChecks(); });
  connect(bSelect_, &QPushButton::clicked, this, [this] { bSelectClick(); });
}

QPushButton* CriteriaBox::moreButton(const char* name, int tag, QLabel*& info,
                                     const char* infoName) {
  auto* b = new QPushButton(this);
  b->setObjectName(name);
  setTag(b, tag);
  b->setMinimumWidth(100);
  b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);  // never narrower than its caption
  info = new QLabel(this);
  info->setObjectName(infoName);
  // A summary is never cut: the catalog list beside gives way first.
  info->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
  info->setStyleSheet("color: #2a3442;");
  connect(b, &QPushButton::clicked, this, [this, b] { bSearchForClick(b); });
  return b;
}

void CriteriaBox::BuildMoreColumn() {
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(3);
  auto* lMore = taggedLabel(this, "lMore", 20030);
  QFont bold = lMore->font();
  bold.setBold(true);
  lMore->setFont(bold);
  grid->addWidget(lMore, 0, 0, 1, 2);
  bSearchFor_ = moreButton("bSearchFor", 20021, lSearchForInfo_, "lSearchForInfo");
  bDate_ = moreButton("bDate", 20022, lDateInfo_, "lDateInfo");
  bSize_ = moreButton("bSize", 20023, lSizeInfo_, "lSizeInfo");
  bAttr_ = moreButton("bAttr", 20024, lAttrInfo_, "lAttrInfo");
  int row = 1;
  for (auto [b, info] : {std::pair{bSearchFor_, lSearchForInfo_}, std::pair{bDate_, lDateInfo_},
                         std::pair{bSize_, lSizeInfo_}, std::pair{bAttr_, lAttrInfo_}}) {
    grid->addWidget(b, row, 0);
    grid->addWidget(info, row, 1);
    ++row;
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
  static_cast<QHBoxLayout*>(layout())->addLayout(grid, 5);
}

QCheckBox* CriteriaBox::check(QWidget* parent, const char* name, int tag, bool checked) {
  auto* c = new QCheckBox(parent);
  c->setObjectName(name);
  setTag(c, tag);
  c->setChecked(checked);
  return c;
}

void CriteriaBox::BuildSearchWhat() {
  pSearchWhat_ = new PopupPanel(popupParent_);
  pSearchWhat_->setObjectName("pSearchWhat");
  auto* v = new QVBoxLayout(pSearchWhat_);
  cbSearchForArchive_ = check(pSearchWhat_, "cbSearchForArchive", 20005, true);
  cbSearchForDirs_ = check(pSearchWhat_, "cbSearchForDirs", 20006, true);
  cbSearchForFiles_ = check(pSearchWhat_, "cbSearchForFiles", 20007, true);
  for (QCheckBox* c : {cbSearchForArchive_, cbSearchForDirs_, cbSearchForFiles_}) {
    v->addWidget(c);
    connect(c, &QCheckBox::toggled, this, [this] { SearchForChange(); });
  }
}

void CriteriaBox::BuildDate() {
  pDate_ = new PopupPanel(popupParent_);
  pDate_->setObjectName("pDate");
  auto* v = new QVBoxLayout(pDate_);
  cbEnableDate_ = check(pDate_, "cbEnableDate", 20011, false);
  v->addWidget(cbEnableDate_);
  pDateInner_ = new QWidget(pDate_);
  pDateInner_->setObjectName("pDateInner");
  auto* g = new QGridLayout(pDateInner_);
  g->setContentsMargins(0, 0, 0, 0);
  dtpFrom_ = datePicker(pDateInner_, "dtpFrom");
  dtpTo_ = datePicker(pDateInner_, "dtpTo");
  g->addWidget(taggedLabel(pDateInner_, "lDateFrom", 20009), 0, 0);
  g->addWidget(dtpFrom_, 0, 1);
  g->addWidget(taggedLabel(pDateInner_, "lDateTo", 20010), 1, 0);
  g->addWidget(dtpTo_, 1, 1);
  v->addWidget(pDateInner_);
  pDateInner_->hide();
  connect(cbEnableDate_, &QCheckBox::toggled, this, [this](bool on) {
    // From and To start at one and the same instant, a range no file falls into: the
    // first tick opens it up to now. A range that holds more is left as it is.
    if (on && panel_.dateFrom == panel_.dateTo) {
      const QDateTime now = QDateTime::currentDateTime();
      if (DayCountOf(now) > panel_.dateFrom) {
        panel_.dateTo = DayCountOf(now);
        const QSignalBlocker quiet(dtpTo_);
        dtpTo_->setDateTime(now);
      }
    }
    DateChange();
  });
  // Choosing another day keeps the time of day the picker holds.
  for (auto [picker, value] : {std::pair{dtpFrom_, &panel_.dateFrom}, std::pair{dtpTo_, &panel_.dateTo}})
    connect(picker, &QDateTimeEdit::dateChanged, this, [this, value](const QDate& date) {
      QDateTime kept = DateTimeOfDayCount(*value);
      kept.setDate(date);
      *value = DayCountOf(kept);
      DateChange();
    });
}

void CriteriaBox::BuildSize() {
  pSize_ = new PopupPanel(popupParent_);
  pSize_->setObjectName("pSize");
  auto* v = new QVBoxLayout(pSize_);
  cbEnableSize_ = check(pSize_, "cbEnableSize", 20008, false);
  v->addWidget(cbEnableSize_);
  pSizeInner_ = new QWidget(pSize_);
  pSizeInner_->setObjectName("pSizeInner");
  auto* g = new QGridLayout(pSizeInner_);
  g->setContentsMargins(0, 0, 0, 0);
  seBetween_ = spinEdit(pSizeInner_, "seBetween", 1);
  seAnd_ = spinEdit(pSizeInner_, "seAnd", 100);
  cbBetweenUnit_ = unitList(pSizeInner_, "cbBetweenUnit");
  cbAndUnit_ = unitList(pSizeInner_, "cbAndUnit");
  g->addWidget(taggedLabel(pSizeInner_, "lSizeBetween", 20009), 0, 0);
  g->addWidget(seBetween_, 0, 1);
  g->addWidget(cbBetweenUnit_, 0, 2);
  g->addWidget(taggedLabel(pSizeInner_, "lSizeAnd", 20010), 1, 0);
  g->addWidget(seAnd_, 1, 1);
  g->addWidget(cbAndUnit_, 1, 2);
  v->addWidget(pSizeInner_);
  pSizeInner_->hide();
  connect(cbEnableSize_, &QCheckBox::toggled, this, [this] { SizeChange(); });
  connect(seBetween_, &QSpinBox::textChanged, this, [this] { SizeChange(); });
  connect(seAnd_, &QSpinBox::textChanged, this, [this] { SizeChange(); });
  connect(cbBetweenUnit_, &QComboBox::currentIndexChanged, this, [this] { SizeChange(); });
  connect(cbAndUnit_, &QComboBox::currentIndexChanged, this, [this] { SizeChange(); });
}

void CriteriaBox::BuildAttr() {
  pAttr_ = new PopupPanel(popupParent_);
  pAttr_->setObjectName("pAttr");
  auto* v = new QVBoxLayout(pAttr_);
  cbAnyFile_ = check(pAttr_, "cbAnyFile", 20012, true);
  cbHiddenFile_ = check(pAttr_, "cbHiddenFile", 20013, false);
  cbSystemFile_ = check(pAttr_, "cbSystemFile", 20014, false);
  cbReadOnlyFile_ = check(pAttr_, "cbReadOnlyFile", 20015, false);
  cbArchiveFile_ = check(pAttr_, "cbArchiveFile", 20016, false);
  for (QCheckBox* c : {cbAnyFile_, cbHiddenFile_, cbSystemFile_, cbReadOnlyFile_, cbArchiveFile_}) {
    v->addWidget(c);
    connect(c, &QCheckBox::toggled, this, [this] { FileAttrChange(); });
  }
}

void CriteriaBox::bSearchForClick(QPushButton* button) {
  PopupPanel* panel = nullptr;
  switch (tagOf(button)) {
    case 20021:
      panel = pSearchWhat_;
      break;
    case 20022:
      panel = pDate_;
      break;
    case 20023:
      panel = pSize_;
      break;
    case 20024:
      panel = pAttr_;
      break;
  }
  if (!panel) return;
  HidePanels();
  panel->popUpBeside(button);
}

void CriteriaBox::bSelectClick() {
  pmCheck_->popup(bSelect_->mapToGlobal(bSelect_->rect().topRight()));
}

void CriteriaBox::HidePanels() {
  for (PopupPanel* p : {pSearchWhat_, pDate_, pSize_, pAttr_}) p->hide();
}

void CriteriaBox::setCriteriaEnabled(bool enabled) {
  if (!enabled) HidePanels();
  setEnabled(enabled);
  for (PopupPanel* p : {pSearchWhat_, pDate_, pSize_, pAttr_}) p->setEnabled(enabled);
}

void CriteriaBox::SearchForChange() {
  panel_.searchForArchive = cbSearchForArchive_->isChecked();
  panel_.searchForDirs = cbSearchForDirs_->isChecked();
  panel_.searchForFiles = cbSearchForFiles_->isChecked();
  lSearchForInfo_->setText(qtText(kolvex::SearchForChange(panel_, context_.language, engine_.criteria())));
}

void CriteriaBox::DateChange() {
  panel_.enableDate = cbEnableDate_->isChecked();
  pDateInner_->setVisible(panel_.enableDate);
  pDate_->adjustSize();
  lDateInfo_->setText(
      qtText(kolvex::DateChange(panel_, context_.language, shortDate_, engine_.criteria())));
}

void CriteriaBox::SizeChange() {
  panel_.enableSize = cbEnableSize_->isChecked();
  panel_.betweenText = seBetween_->text().toStdString();
  panel_.andText = seAnd_->text().toStdString();
  panel_.betweenUnit = cbBetweenUnit_->currentIndex();
  panel_.andUnit = cbAndUnit_->currentIndex();
  std::optional<std::string> summary =
      kolvex::SizeChange(panel_, context_.language, engine_.criteria());
  // Texts that are not whole numbers leave the criteria and the summary as they were.
  if (!summary) return;
  pSizeInner_->setVisible(panel_.enableSize);
  pSize_->adjustSize();
  lSizeInfo_->setText(qtText(*summary));
}

void CriteriaBox::FileAttrChange() {
  panel_.anyFile = cbAnyFile_->isChecked();
  panel_.hiddenFile = cbHiddenFile_->isChecked();
  panel_.systemFile = cbSystemFile_->isChecked();
  panel_.readOnlyFile = cbReadOnlyFile_->isChecked();
  panel_.archiveFile = cbArchiveFile_->isChecked();
  lAttrInfo_->setText(qtText(kolvex::FileAttrChange(panel_, context_.language, engine_.criteria())));
}

void CriteriaBox::RefreshSummaries() {
  SearchForChange();
  FileAttrChange();
  DateChange();
  SizeChange();
}

void CriteriaBox::LoadCategories() {
  kolvex::LoadCategories(panel_, context_.options);
  cbCategories_->clear();
  cbCateMasks_->clear();
  for (const std::string& c : panel_.categoryCaptions) cbCategories_->addItem(qtText(c));
  for (const std::string& m : panel_.categoryMasks) cbCateMasks_->addItem(qtText(m));
  cbCategories_->setCurrentIndex(-1);
  cbCateMasks_->setCurrentIndex(-1);
}

void CriteriaBox::archivesReloaded() { archives_->reload(); }

void CriteriaBox::ticksChanged() { archives_->ticksChanged(); }

void CriteriaBox::mousePressEvent(QMouseEvent* event) {
  HidePanels();
  QWidget::mousePressEvent(event);
}

void CriteriaBox::resizeEvent(QResizeEvent*) { pbClient_->setGeometry(rect()); }

}  // namespace kolvex
