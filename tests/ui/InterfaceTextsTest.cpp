// Captions and hints by component number, applied to windows and saved back.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "core/app/AppError.h"
#include "support/ScriptedSeams.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/KolvexView.h"
#include "ui/common/QtDesktopShell.h"
#include "ui/common/QtDialogs.h"
#include "ui/common/Skin.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

void writeLanguage(const std::string& dir, const std::string& text) {
  QDir().mkpath(QString::fromStdString(dir));
  std::ofstream(dir + "Test.ini") << text;
}

const char* const kTexts =
    "[Information]\nFontName=DejaVu Serif\nFontSize=13\n"
    "[Interface]\nC10000=Window title\nC20001=&Save && close\nH20001=Saves the file\n"
    "C20002=Name\nC20003=typed\nC20004=Check me\nC20005=Menu item\nH20005=Item hint\n"
    "C20006=Sub menu\nC20007=Inside view\nC5000=never read\n";

}  // namespace

class InterfaceTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void questionsSpeakTheLanguageAndAskingToDeleteDefaultsToNo() {
    UiAppFolder folder;
    LanguageFile german(folder.path() + "Languages/", "German");
    QtDialogs dialogs(&german);
    QStringList seen;
    QString defaultButton;
    // The box is modal: a timer looks at it, then presses the button Enter would press.
    auto inspect = [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      for (QAbstractButton* b : box->buttons()) seen << b->text();
      defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
      (box->defaultButton() ? box->defaultButton() : box->buttons().front())->click();
    };
    QTimer::singleShot(0, inspect);
    QCOMPARE(dialogs.ask("Weiter?", true), Answer::Yes);
    seen.sort();
    QCOMPARE(seen, QStringList({"&Ja", "&Nein", "Abbrechen"}));
    QCOMPARE(defaultButton, QString("&Ja"));
    seen.clear();
    QTimer::singleShot(0, inspect);
    QCOMPARE(dialogs.askDefaultNo("Löschen?"), Answer::No);
    QCOMPARE(defaultButton, QString("&Nein"));
    seen.clear();
    QTimer::singleShot(0, inspect);
    dialogs.message(MessageKind::Information, "Fertig.");
    QCOMPARE(seen, QStringList({"OK"}));
  }

  void theDesktopsFailuresSpeakTheLanguage() {
    UiAppFolder folder;
    LanguageFile german(folder.path() + "Languages/", "German");
    QtDesktopShell shell(german);
    // The test platform has no desktop to hand a file to.
    QCOMPARE(shell.open("/no/such/file.html"), german.format("U005", {"/no/such/file.html"}));
    QVERIFY(german.message("U005").find("Desktop") != std::string::npos);
  }

  void aBoxWhoseWindowGoesAnswersWhatChangesNothing() {
    // The window a question stands over may be destroyed while it is open (the program
    // ends under it); the box goes with it and the question is answered safely.
    QtDialogs dialogs;
    for (bool withCancel : {false, true}) {
      auto* owner = new QWidget;
      owner->show();
      owner->activateWindow();
      QTRY_VERIFY(QApplication::activeWindow() == owner);
      QTimer::singleShot(0, [owner] {
        QVERIFY(QApplication::activeModalWidget()->parent() == owner);
        delete owner;
      });
      QCOMPARE(dialogs.ask("Overwrite?", withCancel), withCancel ? Answer::Cancel : Answer::No);
    }
  }

  void captionsAndHintsComeByNumber() {
    UiAppFolder folder;
    writeLanguage(folder.file("Languages/"), kTexts);
    LanguageFile language(folder.file("Languages/"), "Test");

    QWidget window;
    setTag(&window, 10000);
    auto* button = new QPushButton("old", &window);
    setTag(button, 20001);
    auto* label = new QLabel("old", &window);
    setTag(label, 20002);
    auto* edit = new QLineEdit("old", &window);
    setTag(edit, 20003);
    auto* check = new QCheckBox("old", &window);
    setTag(check, 20004);
    auto* menu = new QMenu(&window);
    auto* item = new QAction("old", menu);
    setTag(item, 20005);
    menu->addAction(item);
    auto* sub = new QMenu("old", menu);
    setTag(sub, 20006);
    auto* untagged = new QLabel("stays", &window);
    auto* low = new QLabel("stays too", &window);
    setTag(low, 5000);
    auto* missing = new QLabel("cleared", &window);
    setTag(missing, 20099);

    ScriptedDialogs dialogs;
    ScriptedPump pump;
    TSCOptions options;
    TSCInterfacePack pack;
    Skin skin;
    struct NoViews : ViewSwitcher {
      void ShowView(int) override {}
    } views;
    struct NoShell : DesktopShell {
      std::string open(const std::string&) override { return {}; }
      std::string explore(const std::string&) override { return {}; }
      std::string print(const std::string&) override { return {}; }
    } shell;
    ScriptedPicker picker;
    CatalogFolderService catalogs{dialogs, language, pump};
    AppContext context{options, pack, skin, language, pump, dialogs, shell, views, catalogs, picker};
    auto* view = new KolvexView(context, &window);
    auto* inView = new QLabel("the view's own", view);
    setTag(inView, 20007);

    ApplyInterfaceTexts(&window, language, true);
    QCOMPARE(window.windowTitle(), QString("Window title"));
    QCOMPARE(button->text(), QString("&Save && close"));
    QCOMPARE(button->toolTip(), QString("Saves the file"));
    QCOMPARE(label->text(), QString("Name"));
    QCOMPARE(edit->text(), QString("typed"));
    QCOMPARE(check->text(), QString("Check me"));
    QCOMPARE(item->text(), QString("Menu item"));
    QCOMPARE(item->toolTip(), QString("Item hint"));
    QCOMPARE(sub->title(), QString("Sub menu"));
    QCOMPARE(untagged->text(), QString("stays"));
    QCOMPARE(low->text(), QString("stays too"));
    QCOMPARE(missing->text(), QString());
    QCOMPARE(inView->text(), QString("the view's own"));  // the view applies its own
    QCOMPARE(window.font().family(), QString("DejaVu Serif"));
    QCOMPARE(window.font().pointSize(), 13);

    view->ApplyLanguage();
    QCOMPARE(inView->text(), QString("Inside view"));
  }

  void labelsShowNoAcceleratorMarks() {
    QCOMPARE(withoutAccelerator("&Max Recent Locations"), QString("Max Recent Locations"));
    QCOMPARE(withoutAccelerator("Fish && Chips"), QString("Fish & Chips"));
    QCOMPARE(withoutAccelerator("end&"), QString("end"));
  }

  void aBadFontSizeFailsAfterTheTexts() {
    UiAppFolder folder;
    writeLanguage(folder.file("Languages/"),
                  "[Information]\nFontSize=big\n[Interface]\nC10000=Set anyway\n");
    LanguageFile language(folder.file("Languages/"), "Test");
    QWidget window;
    setTag(&window, 10000);
    const int size = window.font().pointSize();
    QVERIFY_THROWS_EXCEPTION(EConvertError, ApplyInterfaceTexts(&window, language, true));
    QCOMPARE(window.windowTitle(), QString("Set anyway"));
    QCOMPARE(window.font().pointSize(), size);
  }

  void savedTextsAreTheNonEmptyOnesOncePerNumber() {
    QWidget window;
    setTag(&window, 10000);
    window.setWindowTitle("Main");
    auto* a = new QLabel("Shared", &window);
    setTag(a, 10001);
    auto* b = new QLabel("Shadow copy", &window);
    setTag(b, 10001);
    auto* c = new QPushButton(&window);
    setTag(c, 10002);
    c->setToolTip("Only a hint");
    auto* d = new QPushButton(&window);
    setTag(d, 10003);  // nothing to save

    std::vector<InterfaceText> texts = CollectInterfaceTexts(&window, true);
    QCOMPARE(texts.size(), 3u);
    QCOMPARE(texts[0].tag, 10000);
    QCOMPARE(texts[0].caption, std::string("Main"));
    QCOMPARE(texts[1].caption, std::string("Shared"));
    QCOMPARE(texts[2].caption, std::string());
    QCOMPARE(texts[2].hint, std::string("Only a hint"));
  }
};

QTEST_MAIN(InterfaceTextsTest)
#include "InterfaceTextsTest.moc"
