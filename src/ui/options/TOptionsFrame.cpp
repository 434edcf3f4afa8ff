#include "ui/options/TOptionsFrame.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <exception>

#include "core/app/AutoStartEntry.h"
#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "core/search/SearchTypeLines.h"
#include "ui/common/FingerprintSetting.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/SkinWidgets.h"
#include "ui/options/TTransTestForm.h"
#include "ui/common/WindowFade.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

constexpr const char* kHelpKeyProperty = "helpKey";
constexpr int kTestShowMilliseconds = 2000;

// A number field that takes any whole number while it is typed and, when the value is
// set or the field loses the focus, brings it into its bounds; text that is no number at
// all reads as the lower bound.
class NumberField final : public QSpinBox {
 public:
  NumberField(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  }

 protected:
  QValidator::State validate(QString& text, int&) const override {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == "-" || t == "+") return QValidator::Intermediate;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok) return QValidator::Invalid;
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
  }
  void fixup(QString& text) const override {
    bool ok = false;
    qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok) v = minimum();
    text = QString::number(std::clamp<qlonglong>(v, minimum(), maximum()));
  }
};

std::vector<std::string> linesOf(const QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  for (const QString& line : memo->toPlainText().split('\n')) lines.push_back(line.toStdString());
  // The newline after the last line does not start another one.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The page buttons and the command buttons: flat text buttons in the skin's colours. The
// one reached by Tab wears a ring in the colour of the fields' focus frame (a thicker
// border with less padding, so that nothing moves), or a keyboard user would not see
// where Space goes.
const char* const kButtonStyle =
    "QToolButton { color: #2a3442; background: rgba(255, 255, 255, 120);"
    " border: 1px solid #aeb9c6; border-radius: 4px; padding: 4px 12px; }"
    "QToolButton:hover { background: rgba(255, 255, 255, 200); }"
    "QToolButton:checked { background: white; border-color: #2c7a72; color: #1d5650;"
    " font-weight: bold; }"
    "QToolButton:focus { border: 2px solid #308cc6; padding: 3px 11px; }"
    "QToolButton:disabled { color: #98a3af; background: rgba(255, 255, 255, 60); }";

}  // namespace

TOptionsFrame::TOptionsFrame(AppContext& context, QWidget* parent) : KolvexView(context, parent) {
  setObjectName("TOptionsFrame");
  setStyleSheet(kButtonStyle);
  pbClient_ = new TPaintBox(context.skin, 5, this);
  pbClient_->setObjectName("pbClient");

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(12, 12, 12, 8);
  outer->setSpacing(8);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(10);
  auto* pageButtons = new QVBoxLayout;
  pageButtons->setSpacing(6);
  auto pageButton = [&](const char* name, int tag, const char* caption, Page page) {
    QToolButton* b = commandButton(name, tag, caption);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setMinimumWidth(120);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(b, &QToolButton::clicked, this, [this, page] { ShowPage(page); });
    pageButtons->addWidget(b);
    return b;
  };
  sbGeneral_ = pageButton("sbGeneral", 30001, "General", kGeneralPage);
  sbAdvanced_ = pageButton("sbAdvanced", 30002, "Advanced", kAdvancedPage);
  sbLanguage_ = pageButton("sbLanguage", 30003, "Language", kLanguagePage);
  pageButtons->addStretch();
  middle->addLayout(pageButtons);

  pPages_ = new QStackedWidget(this);
  pPages_->setObjectName("pPages");
  pPages_->setAttribute(Qt::WA_StyledBackground);
  pPages_->setStyleSheet(
      "#pPages { background: rgba(255, 255, 255, 150); border: 1px solid #c3ccd6;"
      " border-radius: 6px; } QLabel, QCheckBox { color: #2a3442; }");
  pPages_->addWidget(BuildGeneralPage());
  pPages_->addWidget(BuildAdvancedPage());
  pPages_->addWidget(BuildLanguagePage());
  middle->addWidget(pPages_, 1);
  outer->addLayout(middle, 1);

  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(6);
  lHint_ = new QLabel(this);
  lHint_->setObjectName("lHint");
  lHint_->setWordWrap(true);
  lHint_->setMinimumHeight(34);
  lHint_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lHint_->setStyleSheet("color: #3c4a5a;");
  bottom->addWidget(lHint_, 1);
  sbApply_ = commandButton("sbApply", 30004, "Apply");
  sbReload_ = commandButton("sbReload", 30005, "Reload");
  sbDefault_ = commandButton("sbDefault", 30006, "Default");
  for (QToolButton* b : {sbApply_, sbReload_, sbDefault_}) {
    b->setMinimumWidth(84);
    bottom->addWidget(b, 0, Qt::AlignVCenter);
  }
  connect(sbApply_, &QToolButton::clicked, this, [this] { sbApplyClick(); });
  connect(sbReload_, &QToolButton::clicked, this, [this] { sbReloadClick(); });
  connect(sbDefault_, &QToolButton::clicked, this, [this] { sbDefaultClick(); });
  outer->addLayout(bottom);

  // The main window has just read Options.cfg: the controls show what it read.
  KolvexView::ApplyLanguage();
  LoadOpt();
  Settle();
  ShowPage(kGeneralPage);
}

QLabel* TOptionsFrame::label(QWidget* parent, const char* name, int tag, const char* caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  setTag(l, tag);
  return l;
}

QToolButton* TOptionsFrame::commandButton(const char* name, int tag, const char* caption) {
  auto* b = new QToolButton(this);
  b->setObjectName(name);
  setTag(b, tag);
  b->setText(caption);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // Reached by Tab, but a click leaves the focus in the field being edited: Apply and
  // Reload disable themselves, and the focus would jump on to Default, where the next
  // Space reset every option.
  b->setFocusPolicy(Qt::TabFocus);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

void TOptionsFrame::setHelpKey(QWidget* control, const char* key) {
  control->setProperty(kHelpKeyProperty, key);
  control->setAttribute(Qt::WA_Hover);
  control->installEventFilter(this);
}

QWidget* TOptionsFrame::BuildGeneralPage() {
  auto* page = new QWidget;
  page->setObjectName("pGeneral");
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(18, 16, 18, 16);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);
  grid->setColumnMinimumWidth(0, 22);

  auto numberRow = [&](int row, int indent, QLabel*& l, QSpinBox*& field, const char* labelName,
                       int tag, const char* caption, const char* fieldName, int minimum,
                       int maximum, const char* helpKey) {
    l = label(page, labelName, tag, caption);
    field = new NumberField(minimum, maximum, page);
    field->setObjectName(fieldName);
    field->setFixedWidth(96);
    l->setBuddy(field);
    grid->addWidget(l, row, indent, 1, 2 - indent);
    grid->addWidget(field, row, 2, Qt::AlignLeft);
    setHelpKey(l, helpKey);
    setHelpKey(field, helpKey);
    connect(field, &QSpinBox::textChanged, this, [this] { FieldEdited(); });
  };
  auto checkRow = [&](int row, QCheckBox*& box, QLabel*& l, const char* boxName,
                      const char* labelName, int tag, const char* caption, const char* helpKey) {
    box = new QCheckBox(page);
    box->setObjectName(boxName);
    l = label(page, labelName, tag, caption);
    l->setBuddy(box);
    l->setCursor(Qt::PointingHandCursor);
    grid->addWidget(box, row, 0);
    grid->addWidget(l, row, 1, 1, 3);
    setHelpKey(box, helpKey);
    setHelpKey(l, helpKey);
  };

  numberRow(0, 0, lMaxHistory_, seMaxRecent_, "lMaxHistory", 30007, "&Max Recent Locations",
            "seMaxRecent", 0, INT_MAX, "EH01");
  numberRow(1, 0, lDriveMonitor_, seDriveMonitor_, "lDriveMonitor", 30008,
            "Dr&ive Monitor Frequency (sec.)", "seDriveMonitor", kDriveMonitorMinSeconds,
            kDriveMonitorMaxSeconds,
            "EH02");
  grid->setRowMinimumHeight(2, 6);
  checkRow(3, cbGradiant_, lGradiantShowCap_, "cbGradiant", "lGradiantShowCap", 30009,
           "&Gradually Show and Hide Windows", "EH03");
  numberRow(4, 1, lGraSpeed_, seSpeed_, "lGraSpeed", 30010, "&Speed", "seSpeed", kSpeedMin,
            kSpeedMax, "EH04");
  numberRow(5, 1, lFinalTrans_, seFinalTrans_, "lFinalTrans", 30011, "&Final Transparency",
            "seFinalTrans", kFinalTransMin, kFinalTransMax, "EH05");
  bTest_ = new QPushButton("&Test...", page);
  bTest_->setObjectName("bTest");
  setTag(bTest_, 30012);
  bTest_->setMinimumWidth(96);
  grid->addWidget(bTest_, 6, 2, Qt::AlignLeft);
  setHelpKey(bTest_, "EH06");
  connect(bTest_, &QPushButton::clicked, this, [this] { bTestClick(); });
  grid->setRowMinimumHeight(7, 6);
  checkRow(8, cbAutoStart_, lAutoStart_, "cbAutoStart", "lAutoStart", 30013,
           "Auto Run at Windows Startup", "EH07");
  checkRow(9, cbFingerprints_, lFingerprints_, "cbFingerprints", "lFingerprints", 30017,
           "Record content fingerprints", "EH11");
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(10, 1);

  connect(cbGradiant_, &QCheckBox::toggled, this, [this] { cbGradiantChanged(); });
  connect(cbAutoStart_, &QCheckBox::toggled, this, [this] { FieldEdited(); });
  connect(cbFingerprints_, &QCheckBox::toggled, this, [this] { FieldEdited(); });
  return page;
}

QWidget* TOptionsFrame::BuildAdvancedPage() {
  auto* page = new QWidget;
  page->setObjectName("pAdvanced");
  auto* box = new QVBoxLayout(page);
  box->setContentsMargins(18, 16, 18, 16);
  box->setSpacing(6);
  auto memo = [&](QLabel*& l, QPlainTextEdit*& m, const char* labelName, int tag,
                  const char* caption, const char* memoName, const char* helpKey, int stretch) {
    l = label(page, labelName, tag, caption);
    m = new QPlainTextEdit(page);
    m->setObjectName(memoName);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setTabChangesFocus(true);
    l->setBuddy(m);
    box->addWidget(l);
    box->addWidget(m, stretch);
    setHelpKey(l, helpKey);
    setHelpKey(m, helpKey);
    connect(m, &QPlainTextEdit::textChanged, this, [this] { FieldEdited(); });
  };
  memo(lSearchTypes_, mSearchTypes_, "lSearchTypes", 30014, "&Search Types", "mSearchTypes", "EH09",
       3);
  box->addSpacing(6);
  memo(lReadMe_, mReadme_, "lReadMe", 30015, "\"R&eadme\" Files", "mReadme", "EH10", 2);
  return page;
}

QWidget* TOptionsFrame::BuildLanguagePage() {
  auto* page = new QWidget;
  page->setObjectName("pLanguage");
  auto* box = new QVBoxLayout(page);
  box->setContentsMargins(18, 16, 18, 16);
  box->setSpacing(6);
  lLanguages_ = label(page, "lLanguages", 30016, "&Language");
  lbLanguages_ = new QListView(page);
  lbLanguages_->setObjectName("lbLanguages");
  lbLanguages_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbLanguages_->setSelectionMode(QAbstractItemView::SingleSelection);
  lbLanguages_->setMaximumWidth(260);
  languages_ = new QStringListModel(lbLanguages_);
  lbLanguages_->setModel(languages_);
  lLanguages_->setBuddy(lbLanguages_);
  box->addWidget(lLanguages_);
  box->addWidget(lbLanguages_, 1);
  setHelpKey(lLanguages_, "EH08");
  setHelpKey(lbLanguages_, "EH08");
  connect(lbLanguages_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { FieldEdited(); });
  return page;
}

void TOptionsFrame::ApplyLanguage() {
  KolvexView::ApplyLanguage();
  lHint_->clear();  // a help line of the old language would stay otherwise
}

void TOptionsFrame::LoadOpt() {
  LoadOptFrom(context_.options);
  cbFingerprints_->setChecked(RecordFingerprints());
}

void TOptionsFrame::LoadOptFrom(const TSCOptions& o) {
  seMaxRecent_->setValue(o.ForeBackMaxItems);
  seDriveMonitor_->setValue(o.SpyFrequency / 1000);
  cbGradiant_->setChecked(o.GradiantShow);
  seSpeed_->setValue(o.TransIncreaseBy);
  seFinalTrans_->setValue(o.FinalTrans);
  cbAutoStart_->setChecked(o.AutoStart);

  QStringList readme;
  for (const std::string& line : o.DescriptionFiles->lines) readme << qtText(line);
  mReadme_->setPlainText(readme.join('\n'));

  ShowSearchTypes(o);

  FillLanguages(o.LanguageName);
  cbGradiantChanged();
}

void TOptionsFrame::ShowSearchTypes(const TSCOptions& o) {
  QStringList types;
  const auto& captions = o.SearchTypeCaptions->lines;
  const auto& masks = o.SearchTypeMasks->lines;
  for (std::size_t i = 0; i < captions.size(); ++i)
    types << qtText(captions[i]) + "|" + (i < masks.size() ? qtText(masks[i]) : QString());
  mSearchTypes_->setPlainText(types.join('\n'));
}

void TOptionsFrame::FillLanguages(const std::string& languageName) {
  QStringList names;
  for (const std::string& name : LanguageFile::available(LanguagesDir())) names << qtText(name);
  languages_->setStringList(names);
  lbLanguages_->selectionModel()->clear();
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (names[i].compare(qtText(languageName), Qt::CaseInsensitive) != 0) continue;
    lbLanguages_->setCurrentIndex(languages_->index(static_cast<int>(i)));
    break;
  }
}

bool TOptionsFrame::SelectedLanguage(std::string& name) const {
  const QModelIndexList selected = lbLanguages_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return false;
  name = selected.front().data().toString().toStdString();
  return true;
}

void TOptionsFrame::SetModified(bool modified) {
  modified_ = modified;
  sbApply_->setEnabled(modified);
  sbReload_->setEnabled(modified);
}

QStringList TOptionsFrame::FieldState() const {
  QStringList state;
  for (const QSpinBox* field : {seMaxRecent_, seDriveMonitor_, seSpeed_, seFinalTrans_}) {
    // "007" and "7" hold the same number.
    bool number = false;
    const qlonglong v = field->text().trimmed().toLongLong(&number);
    state << (number ? QString::number(v) : field->text());
  }
  for (const QCheckBox* box : {cbGradiant_, cbAutoStart_, cbFingerprints_})
    state << QString::number(box->isChecked());
  state << mReadme_->toPlainText() << mSearchTypes_->toPlainText();
  std::string language;
  state << (SelectedLanguage(language) ? qtText(language) : QString());
  return state;
}

void TOptionsFrame::Settle() {
  settled_ = FieldState();
  SetModified(false);
}

void TOptionsFrame::cbGradiantChanged() {
  const bool on = cbGradiant_->isChecked();
  for (QWidget* w :
       std::initializer_list<QWidget*>{lGraSpeed_, seSpeed_, lFinalTrans_, seFinalTrans_, bTest_})
    w->setVisible(on);
  FieldEdited();
}

void TOptionsFrame::ShowPage(Page page) {
  if (pPages_->currentIndex() != page) lHint_->clear();
  pPages_->setCurrentIndex(page);
  QToolButton* buttons[] = {sbGeneral_, sbAdvanced_, sbLanguage_};
  buttons[page]->setChecked(true);
}

TOptionsFrame::Page TOptionsFrame::CurrentPage() const {
  return static_cast<Page>(pPages_->currentIndex());
}

bool TOptionsFrame::ApplyOpt() {
  // Typed text still in a field counts as it would once the field loses the focus.
  for (QSpinBox* field : {seMaxRecent_, seDriveMonitor_, seSpeed_, seFinalTrans_})
    field->interpretText();
  std::string language;
  if (languages_->rowCount() == 0) {
    language = context_.options.LanguageName;  // no language file to choose from
  } else if (!SelectedLanguage(language)) {
    context_.dialogs.message(MessageKind::Error, context_.language.message(kNoLanguageKey));
    ShowPage(kLanguagePage);
    return false;
  }

  // Filled and saved as a copy: a save that fails leaves the program's options as they
  // were, in line with the file.
  TSCOptions draft;
  copyOptions(context_.options, draft);
  draft.ForeBackMaxItems = seMaxRecent_->value();
  draft.SpyFrequency = seDriveMonitor_->value() * 1000;
  draft.GradiantShow = cbGradiant_->isChecked();
  draft.TransIncreaseBy = seSpeed_->value();
  draft.FinalTrans = seFinalTrans_->value();
  draft.AutoStart = cbAutoStart_->isChecked();
  draft.DescriptionFiles->lines.clear();
  for (std::string& line : linesOf(mReadme_))
    if (!line.empty()) draft.DescriptionFiles->lines.push_back(std::move(line));
  // Lines the search cannot use are left out, and the user is told which and why.
  const SearchTypeLines searchTypes = sortSearchTypeLines(linesOf(mSearchTypes_), context_.language);
  draft.SearchTypeCaptions->lines = searchTypes.captions;
  draft.SearchTypeMasks->lines = searchTypes.masks;
  draft.LanguageName = language;
  try {
    saveOptions(draft, Paths().optionsFile());
  } catch (const std::exception& e) {
    context_.dialogs.message(MessageKind::Error, e.what());
    return false;
  }
  copyOptions(draft, context_.options);
  SetRecordFingerprints(cbFingerprints_->isChecked());
  AffectOpt();
  const std::string leftOut = searchTypesLeftOutText(searchTypes, context_.language);
  if (!leftOut.empty()) ShowSearchTypes(context_.options);  // what was kept, no more
  Settle();
  if (!leftOut.empty()) context_.dialogs.message(MessageKind::Information, leftOut);
  return true;
}

void TOptionsFrame::AffectOpt() {
  const TSCOptions& o = context_.options;
  context_.language.setLanguageName(o.LanguageName);
  ApplyLanguage();
  context_.views.OptionsApplied();  // every other window and view
  AutoStartEntry(AutoStartEntry::userConfigHome())
      .apply(o.AutoStart, QCoreApplication::applicationFilePath().toStdString());
}

void TOptionsFrame::sbReloadClick() {
  try {
    loadOptions(context_.options, Paths().optionsFile());
  } catch (const std::exception& e) {
    context_.dialogs.message(MessageKind::Error, e.what());
  }
  LoadOpt();
  Settle();
}

void TOptionsFrame::sbDefaultClick() {
  // Read into a copy: the program goes on with its options until Apply.
  TSCOptions defaults;
  copyOptions(context_.options, defaults);
  try {
    loadOptions(defaults, Paths().defaultOptionsFile());
  } catch (const std::exception& e) {
    context_.dialogs.message(MessageKind::Error, e.what());
    return;
  }
  defaults.LanguageName = context_.options.LanguageName;
  LoadOptFrom(defaults);
  cbFingerprints_->setChecked(false);
  FieldEdited();
}

void TOptionsFrame::bTestClick() {
  if (testing_) return;
  seSpeed_->interpretText();
  seFinalTrans_->interpretText();
  TSCOptions& o = context_.options;
  const int savedSpeed = o.TransIncreaseBy, savedFinal = o.FinalTrans;
  const bool savedShow = o.GradiantShow;
  // The button is there to see the fade, whether or not fading is applied yet.
  o.TransIncreaseBy = seSpeed_->value();
  o.FinalTrans = seFinalTrans_->value();
  o.GradiantShow = true;
  testing_ = true;
  bTest_->setEnabled(false);
  QPointer<TOptionsFrame> self(this);
  {
    TTransTestForm form;
    ShowGradually(&form, o, context_.pump);
    if (testWait_) {
      testWait_(kTestShowMilliseconds);
    } else {
      QEventLoop wait;
      QTimer::singleShot(kTestShowMilliseconds, &wait, &QEventLoop::quit);
      wait.exec();
    }
    HideGradually(&form, o, context_.pump);
  }
  if (!self) return;  // the program ended meanwhile, and its options with it
  o.TransIncreaseBy = savedSpeed;
  o.FinalTrans = savedFinal;
  o.GradiantShow = savedShow;
  testing_ = false;
  bTest_->setEnabled(true);
}

void TOptionsFrame::resizeEvent(QResizeEvent* event) {
  pbClient_->setGeometry(rect());
  pbClient_->lower();
  KolvexView::resizeEvent(event);
}

bool TOptionsFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter || event->type() == QEvent::HoverEnter) {
    const QByteArray key = watched->property(kHelpKeyProperty).toByteArray();
    if (!key.isEmpty()) lHint_->setText(qtText(context_.language.message(key.toStdString())));
  } else if (event->type() == QEvent::Leave || event->type() == QEvent::HoverLeave) {
    // The line speaks of what is under the mouse, nothing else.
    if (!watched->property(kHelpKeyProperty).toByteArray().isEmpty()) lHint_->clear();
  } else if (event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == lGradiantShowCap_) cbGradiant_->toggle();
    if (watched == lAutoStart_) cbAutoStart_->toggle();
    if (watched == lFingerprints_) cbFingerprints_->toggle();
  }
  return KolvexView::eventFilter(watched, event);
}

}  // namespace kolvex
