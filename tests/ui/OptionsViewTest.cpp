// The options view in the main window: the modified flag and its buttons, the number
// fields' bounds, Default, Apply (Options.cfg, texts, monitor interval, automatic start),
// the question when leaving with changes, and Apply without a language.
#include <QCheckBox>
#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/options/TOptionsFrame.h"
#include "ui/shell/TSpyer.h"
#include "ui/options/TTransTestForm.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

struct Fixture {
  Fixture() {
    folder.useAsAppDir();
    MainFormSeams seams;
    seams.pump = &pump;
    seams.dialogs = &dialogs;
    seams.shell = &shell;
    seams.terminate = [] {};
    form = std::make_unique<TVORN_MainForm>(CommandLine{}, std::move(seams));
    view = qobject_cast<TOptionsFrame*>(form->View(viewIndexOf("TOptionsFrame")));
  }
  template <class T>
  T* child(const char* name) {
    return view->findChild<T*>(name);
  }
  QSpinBox* spin(const char* name) { return child<QSpinBox>(name); }
  QToolButton* button(const char* name) { return child<QToolButton>(name); }
  bool applyEnabled() { return button("sbApply")->isEnabled(); }
  bool reloadEnabled() { return button("sbReload")->isEnabled(); }
  TSCOptions saved() {
    TSCOptions o;
    loadOptions(o, folder.file(kOptionsFileName));
    return o;
  }
  void selectLanguage(const QString& name) {
    auto* list = child<QListView>("lbLanguages");
    const QModelIndexList hits =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name);
    QVERIFY(!hits.isEmpty());
    list->setCurrentIndex(hits.front());
  }
  // Text typed into a number field, then the focus leaves it.
  void type(QSpinBox* field, const QString& text) {
    field->findChild<QLineEdit*>()->setText(text);
    field->interpretText();
  }

  UiAppFolder folder;
  ScriptedPump pump;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  std::unique_ptr<TVORN_MainForm> form;
  TOptionsFrame* view = nullptr;
};

}  // namespace

class OptionsViewTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  }

  void startsWithTheSavedOptionsOnTheGeneralPageUnmodified() {
    Fixture f;
    QVERIFY(f.view);
    QCOMPARE(f.view->objectName(), QString("TOptionsFrame"));
    QCOMPARE(f.view->CurrentPage(), TOptionsFrame::kGeneralPage);
    QVERIFY(!f.view->Modified());
    QVERIFY(!f.applyEnabled());
    QVERIFY(!f.reloadEnabled());
    QVERIFY(f.button("sbDefault")->isEnabled());
    QCOMPARE(f.spin("seMaxRecent")->value(), 6);
    QCOMPARE(f.spin("seDriveMonitor")->value(), 5);
    QCOMPARE(f.spin("seSpeed")->value(), 25);
    QCOMPARE(f.spin("seFinalTrans")->value(), 255);
    QVERIFY(f.child<QCheckBox>("cbGradiant")->isChecked());
    QCOMPARE(f.child<QPlainTextEdit>("mReadme")->toPlainText(), QString("Readme.txt"));
    QCOMPARE(f.child<QPlainTextEdit>("mSearchTypes")->toPlainText(), QString("Any File (*.*)|*.*"));
    QCOMPARE(f.child<QListView>("lbLanguages")->currentIndex().data().toString(),
             QString("English"));
    QCOMPARE(f.button("sbApply")->text(), QString("Apply"));
    QCOMPARE(f.child<QLabel>("lDriveMonitor")->text(), QString("Dr&ive Monitor Frequency (sec.)"));
  }

  void everyKindOfChangeSetsModifiedAndReloadClearsIt() {
    Fixture f;
    auto changes = std::vector<std::function<void()>>{
        [&] { f.spin("seMaxRecent")->setValue(9); },
        [&] { f.child<QCheckBox>("cbAutoStart")->click(); },
        [&] { f.child<QPlainTextEdit>("mReadme")->appendPlainText("Info.txt"); },
        [&] { f.selectLanguage("German"); },
        [&] { f.spin("seDriveMonitor")->findChild<QLineEdit*>()->setText("1"); },
    };
    for (auto& change : changes) {
      change();
      QVERIFY(f.view->Modified());
      QVERIFY(f.applyEnabled());
      QVERIFY(f.reloadEnabled());
      f.button("sbReload")->click();
      QVERIFY(!f.view->Modified());
      QVERIFY(!f.applyEnabled());
      QVERIFY(!f.reloadEnabled());
    }
    QCOMPARE(f.spin("seMaxRecent")->value(), 6);
    QCOMPARE(f.child<QListView>("lbLanguages")->currentIndex().data().toString(),
             QString("English"));
  }

  void numberFieldsKeepTheirBounds() {
    Fixture f;
    QSpinBox* speed = f.spin("seSpeed");
    QSpinBox* final = f.spin("seFinalTrans");
    speed->setValue(500);
    QCOMPARE(speed->value(), 125);
    speed->setValue(1);
    QCOMPARE(speed->value(), 5);
    f.type(final, "300");
    QCOMPARE(final->value(), 255);
    f.type(final, "12");
    QCOMPARE(final->value(), 128);
    f.type(final, "");
    QCOMPARE(final->value(), 128);  // no number reads as the lower bound
    f.type(f.spin("seMaxRecent"), "-");
    QCOMPARE(f.spin("seMaxRecent")->value(), 0);
    QCOMPARE(f.spin("seMaxRecent")->maximum(), INT_MAX);
    // Letters cannot even be typed.
    QString letters = "12a";
    int pos = 3;
    QCOMPARE(final->findChild<QLineEdit*>()->validator()->validate(letters, pos),
             QValidator::Invalid);
  }

  void theFadeControlsFollowTheBoxAndTheLabelsToggleTheirBoxes() {
    Fixture f;
    f.form->show();
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    auto* box = f.child<QCheckBox>("cbGradiant");
    QTest::mouseClick(f.child<QLabel>("lGradiantShowCap"), Qt::LeftButton);
    QVERIFY(!box->isChecked());
    for (const char* name : {"lGraSpeed", "seSpeed", "lFinalTrans", "seFinalTrans", "bTest"})
      QVERIFY2(!f.child<QWidget>(name)->isVisible(), name);
    QVERIFY(f.view->Modified());
    box->click();
    for (const char* name : {"lGraSpeed", "seSpeed", "lFinalTrans", "seFinalTrans", "bTest"})
      QVERIFY2(f.child<QWidget>(name)->isVisible(), name);
    QTest::mouseClick(f.child<QLabel>("lAutoStart"), Qt::LeftButton);
    QVERIFY(f.child<QCheckBox>("cbAutoStart")->isChecked());
  }

  void theHelpLineShowsTheKeyOfTheControlUnderTheMouse() {
    Fixture f;
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    auto* hint = f.child<QLabel>("lHint");
    QCoreApplication::sendEvent(f.spin("seSpeed"), &enter);
    QCOMPARE(hint->text(), QString("How much the opacity changes in each step of a fade (5 to 125)."));
    QCoreApplication::sendEvent(f.child<QListView>("lbLanguages"), &enter);
    QCOMPARE(hint->text(), QString("The language of the program's texts."));
    // Nothing under the mouse, or another page: no hint of a control no longer pointed at.
    QCoreApplication::sendEvent(f.child<QListView>("lbLanguages"), &leave);
    QCOMPARE(hint->text(), QString());
    QCoreApplication::sendEvent(f.spin("seMaxRecent"), &enter);
    QVERIFY(!hint->text().isEmpty());
    f.button("sbLanguage")->click();
    QCOMPARE(hint->text(), QString());
  }

  void onlyTheFocusPassingThroughTheFieldsChangesNothing() {
    Fixture f;
    f.form->show();
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.selectLanguage("German");
    f.view->sbApplyClick();
    QVERIFY(!f.view->Modified());
    f.form->ShowView(viewIndexOf("TArchiveManFrame"));
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.button("sbGeneral")->click();
    for (const char* name : {"seMaxRecent", "seDriveMonitor", "seSpeed", "seFinalTrans"}) {
      f.spin(name)->setFocus(Qt::TabFocusReason);
      QCoreApplication::processEvents();
    }
    f.child<QPlainTextEdit>("mReadme")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QVERIFY(!f.view->Modified());
    QVERIFY(!f.applyEnabled());
    QVERIFY(!f.view->HasUnappliedChanges());
    // A value changed and changed back is no change either.
    f.type(f.spin("seDriveMonitor"), "9");
    QVERIFY(f.applyEnabled());
    f.type(f.spin("seDriveMonitor"), "05");
    QVERIFY(!f.view->Modified());
    f.selectLanguage("English");
    f.view->sbApplyClick();
  }

  void theButtonReachedByTabShowsTheFocusWithoutMoving() {
    Fixture f;
    f.form->show();
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.spin("seMaxRecent")->setValue(8);  // Apply and Reload enabled
    for (const char* name : {"sbGeneral", "sbAdvanced", "sbApply", "sbDefault"}) {
      QToolButton* b = f.button(name);
      f.spin("seMaxRecent")->setFocus();
      const QImage unfocused = b->grab().toImage();
      const QSize hint = b->sizeHint();
      b->setFocus(Qt::TabFocusReason);
      QVERIFY2(b->hasFocus(), name);
      QVERIFY2(b->grab().toImage() != unfocused, name);
      QCOMPARE(b->sizeHint(), hint);
    }
  }

  void applySavesWhatTheControlsHold() {
    Fixture f;
    f.form->Options().SpyFrequency = 5500;
    f.view->LoadOpt();
    QCOMPARE(f.spin("seDriveMonitor")->value(), 5);
    // The monitor polls once a second at most: 0 seconds is not offered.
    QCOMPARE(f.spin("seDriveMonitor")->minimum(), 1);
    f.form->Options().SpyFrequency = 0;
    f.view->LoadOpt();
    QCOMPARE(f.spin("seDriveMonitor")->value(), 1);
    f.form->Options().SpyFrequency = 5500;
    f.view->LoadOpt();
    f.spin("seMaxRecent")->setValue(11);
    f.child<QPlainTextEdit>("mSearchTypes")
        ->setPlainText("Pictures(*.bmp;*.jpg)|*.bmp;*.jpg\nno bar at all\n  \nTwo|a|b\nPictures *.png\n"
                       "Broken|[a-\n|*.bin\n");
    f.child<QPlainTextEdit>("mReadme")->setPlainText("Readme.txt\n\nInfo.txt\n");
    f.button("sbApply")->click();
    QVERIFY(!f.view->Modified());
    QVERIFY(!f.applyEnabled());
    // The lines without a bar are named (the blank one is no category anyway), and the memo
    // shows what was kept rather than text that is stored nowhere.
    QCOMPARE(f.dialogs.messages.size(), 1u);
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Information);
    QVERIFY(f.dialogs.messages[0].text.find("left out:\n\nno bar at all\nPictures *.png\n\n") !=
            std::string::npos);
    // So are a line without a name (an empty line of the Kind list) and one whose mask every
    // search of that kind would stop at.
    QVERIFY(f.dialogs.messages[0].text.find("left out:\n\n|*.bin\n\n") != std::string::npos);
    QVERIFY(f.dialogs.messages[0].text.find("Broken|[a-\n'[a-' is an invalid mask at (3)") !=
            std::string::npos);
    QCOMPARE(f.child<QPlainTextEdit>("mSearchTypes")->toPlainText(),
             QString("Pictures(*.bmp;*.jpg)|*.bmp;*.jpg\nTwo|a|b"));

    const TSCOptions saved = f.saved();
    QCOMPARE(saved.SpyFrequency, 5000);
    QCOMPARE(saved.ForeBackMaxItems, 11);
    QCOMPARE(saved.SearchTypeCaptions->lines,
             (std::vector<std::string>{"Pictures(*.bmp;*.jpg)", "Two"}));
    QCOMPARE(saved.SearchTypeMasks->lines, (std::vector<std::string>{"*.bmp;*.jpg", "a|b"}));
    QCOMPARE(saved.DescriptionFiles->lines, (std::vector<std::string>{"Readme.txt", "Info.txt"}));
    QCOMPARE(f.form->Options().ForeBackMaxItems, 11);
    QCOMPARE(f.form->Options().SearchTypeMasks->lines, saved.SearchTypeMasks->lines);
  }

  void applyRelabelsEveryViewAndSetsTheMonitorAndTheAutoStart() {
    Fixture f;
    auto* spyer = dynamic_cast<TSpyer*>(f.form->Monitor());
    QVERIFY(spyer);  // the real monitor by default
    f.selectLanguage("German");
    f.spin("seDriveMonitor")->setValue(7);
    f.child<QCheckBox>("cbAutoStart")->setChecked(true);
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.view->sbApplyClick();

    QCOMPARE(f.saved().LanguageName, std::string("German"));
    QCOMPARE(f.button("sbApply")->text(), QString("Übernehmen"));
    QCOMPARE(f.button("sbGeneral")->text(), QString("Allgemein"));
    QCOMPARE(f.form->ViewName(viewIndexOf("TOptionsFrame")), QString("Optionen"));
    QCOMPARE(f.form->FrameCaption(), QString("Optionen"));
    QCOMPARE(spyer->Interval(), 7000);
    // Each test's application folder has its own configuration folder.
    const std::string entry = qgetenv("XDG_CONFIG_HOME").toStdString() + "/autostart/Kolvex.desktop";
    QVERIFY(exists(entry));
    QVERIFY(readBytes(entry).find("/am") != std::string::npos);

    f.child<QCheckBox>("cbAutoStart")->setChecked(false);
    f.selectLanguage("English");
    f.view->sbApplyClick();
    QVERIFY(!exists(entry));
    QCOMPARE(f.button("sbApply")->text(), QString("Apply"));
  }

  void defaultKeepsTheLanguageAndSavesNothing() {
    Fixture f;
    TSCOptions defaults;
    defaults.setFactoryValues();
    defaults.LanguageName = "German";
    defaults.ForeBackMaxItems = 42;
    saveOptions(defaults, f.folder.file(kDefaultOptionsFileName));
    const std::string before = readBytes(f.folder.file(kOptionsFileName));

    f.button("sbDefault")->click();
    QCOMPARE(f.spin("seMaxRecent")->value(), 42);
    QCOMPARE(f.child<QListView>("lbLanguages")->currentIndex().data().toString(),
             QString("English"));
    QVERIFY(f.view->Modified());
    QVERIFY(f.applyEnabled());
    QCOMPARE(readBytes(f.folder.file(kOptionsFileName)), before);
    QCOMPARE(f.form->Options().ForeBackMaxItems, 6);  // not applied yet

    f.view->sbApplyClick();
    QCOMPARE(f.saved().ForeBackMaxItems, 42);
    QCOMPARE(f.saved().LanguageName, std::string("English"));
  }

  void aMissingDefaultFileIsReportedAndChangesNothing() {
    Fixture f;
    f.button("sbDefault")->click();
    QCOMPARE(f.dialogs.messages.size(), 1u);
    QVERIFY(f.dialogs.messages[0].text.find("Default.cfg") != std::string::npos);
    QVERIFY(!f.view->Modified());
  }

  void leavingWithChangesAsksAndAnswersAreHonoured() {
    Fixture f;
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.spin("seMaxRecent")->setValue(13);
    f.dialogs.answers = {Answer::Cancel};
    f.form->ShowView(viewIndexOf("TAboutFrame"));
    QCOMPARE(f.form->CurrentViewIndex(), int(viewIndexOf("TOptionsFrame")));
    QCOMPARE(f.dialogs.questions.size(), 1u);
    QCOMPARE(f.dialogs.questions[0],
             std::string("The options have been changed.\nDo you want to apply them?"));

    f.dialogs.answers = {Answer::No};
    f.form->ShowView(viewIndexOf("TAboutFrame"));
    QCOMPARE(f.form->CurrentViewIndex(), int(viewIndexOf("TAboutFrame")));
    QCOMPARE(f.spin("seMaxRecent")->value(), 6);
    QVERIFY(!f.view->Modified());
    QCOMPARE(f.saved().ForeBackMaxItems, 6);

    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.spin("seMaxRecent")->setValue(14);
    f.dialogs.answers = {Answer::Yes};
    f.form->ShowView(viewIndexOf("TAboutFrame"));
    QCOMPARE(f.form->CurrentViewIndex(), int(viewIndexOf("TAboutFrame")));
    QCOMPARE(f.saved().ForeBackMaxItems, 14);
    QVERIFY(!f.view->Modified());
  }

  void exitingWithChangesAsksTooAndCancelOrAFailedApplyKeepsTheProgram() {
    {
      Fixture f;
      f.form->ShowView(viewIndexOf("TOptionsFrame"));
      f.spin("seMaxRecent")->setValue(13);
      f.dialogs.answers = {Answer::Cancel};
      f.form->findChild<QToolButton*>("sbExit")->click();
      QVERIFY(!f.form->ShuttingDown());
      QCOMPARE(f.dialogs.questions.size(), 1u);
      QVERIFY(f.view->Modified());
      // Closing the window asks the same; Cancel refuses the close.
      f.dialogs.answers = {Answer::Cancel};
      QCloseEvent close;
      QCoreApplication::sendEvent(f.form.get(), &close);
      QVERIFY(!close.isAccepted());
      QVERIFY(!f.form->ShuttingDown());
      // An Apply that fails (no language) has said why and leaves the program running.
      f.child<QListView>("lbLanguages")->selectionModel()->clear();
      f.dialogs.answers = {Answer::Yes};
      f.form->ExitClick();
      QVERIFY(!f.form->ShuttingDown());
      QCOMPARE(f.dialogs.messages.size(), 1u);
      f.selectLanguage("English");
      f.dialogs.answers = {Answer::Yes};
      f.form->ExitClick();
      QVERIFY(f.form->ShuttingDown());
      QCOMPARE(f.saved().ForeBackMaxItems, 13);
    }
    Fixture f;
    f.form->ShowView(viewIndexOf("TOptionsFrame"));
    f.spin("seMaxRecent")->setValue(14);
    f.dialogs.answers = {Answer::No};
    f.form->findChild<QToolButton*>("sbExit")->click();
    QVERIFY(f.form->ShuttingDown());
    QCOMPARE(f.saved().ForeBackMaxItems, 6);  // left as saved
  }

  void applyWithoutALanguageSaysSoAndSavesNothing() {
    Fixture f;
    const std::string before = readBytes(f.folder.file(kOptionsFileName));
    f.spin("seMaxRecent")->setValue(20);
    f.child<QListView>("lbLanguages")->selectionModel()->clear();
    QVERIFY(!f.view->ApplyOpt());
    QCOMPARE(f.dialogs.messages.size(), 1u);
    QCOMPARE(f.dialogs.messages[0].kind, MessageKind::Error);
    QCOMPARE(f.dialogs.messages[0].text,
             std::string("Choose a language on the Language page before applying the "
                         "options.\nNothing has been saved."));
    QCOMPARE(readBytes(f.folder.file(kOptionsFileName)), before);
    QCOMPARE(f.form->Options().ForeBackMaxItems, 6);
    QVERIFY(f.view->Modified());
    QCOMPARE(f.view->CurrentPage(), TOptionsFrame::kLanguagePage);
    QCOMPARE(f.spin("seMaxRecent")->value(), 20);  // the user's input stays
  }

  void theTestShowsTheSampleWithTheChosenFadeAndRestoresTheOptions() {
    Fixture f;
    f.form->Options().GradiantShow = false;
    f.spin("seSpeed")->setValue(125);
    int waited = 0;
    bool sampleShown = false;
    int speedDuringTest = 0;
    f.view->setTestWait([&](int ms) {
      waited = ms;
      speedDuringTest = f.form->Options().TransIncreaseBy;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* sample = qobject_cast<TTransTestForm*>(w)) {
          sampleShown = sample->isVisible() && sample->windowTitle() == "TransTestForm";
          QCOMPARE(sample->findChild<QLineEdit*>()->text(), QString("This is an edit"));
        }
    });
    f.child<QPushButton>("bTest")->click();
    QCOMPARE(waited, 2000);
    QVERIFY(sampleShown);
    QCOMPARE(speedDuringTest, 125);
    QCOMPARE(f.form->Options().TransIncreaseBy, 25);
    QVERIFY(!f.form->Options().GradiantShow);
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TTransTestForm*>(w));
  }

 private:
  QTemporaryDir config_;
};

QTEST_MAIN(OptionsViewTest)
#include "OptionsViewTest.moc"
