// An installed copy: resources from the share folder, the user's files in the data home;
// and the about view telling which kind of copy runs and where its files are.
#include <sys/stat.h>

#include <QDir>
#include <QLabel>
#include <QTest>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "support/ScriptedSeams.h"
#include "ui/shell/ViewRegistry.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/common/KolvexView.h"
#include "ui/shell/RequiredFiles.h"
#include "ui/shell/Startup.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

// prefix/bin/ without anything of the user's, prefix/share/kolvex/ with the resources, and
// an empty home folder.
struct Installation {
  Installation() {
    for (const char* d : {"usr/bin", "usr/share/kolvex/Languages", "home"})
      QDir().mkpath(QString::fromStdString(file(d)));
    TSCOptions factory;
    factory.setFactoryValues();
    saveOptions(factory, file("usr/share/kolvex/Default.cfg"));
    InterfacePackFile::save(UiAppFolder::smallPackage(), file("usr/share/kolvex/IPack.ipk"));
  }
  std::string file(const std::string& name) const { return folder.file(name); }
  AppPaths paths() const {
    return AppPaths::decide(file("usr/bin/"), "../share/kolvex", file("home/.local/share"));
  }
  UiAppFolder folder;  // only for its temporary folders
};

QStringList entries(const std::string& dir) {
  return QDir(QString::fromStdString(dir))
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class InstalledCopyTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartMakesTheUsersFilesAndWritesNothingElsewhere() {
    Installation in;
    const AppPaths paths = in.paths();
    const std::string defaults = readBytes(in.file("usr/share/kolvex/Default.cfg"));
    Startup startup(paths, CommandLine{}, in.folder.runtime(), nullptr);
    QCOMPARE(startup.prepare(), Startup::Outcome::Primary);

    const std::string user = in.file("home/.local/share/Kolvex/");
    QCOMPARE(readBytes(user + "Options.cfg"), defaults);
    QVERIFY(QDir(QString::fromStdString(user + "Archives")).exists());
    QCOMPARE(probeFilesIn(user).size(), 3);
    QVERIFY(entries(in.file("usr/bin")).isEmpty());
    QCOMPARE(entries(in.file("usr/share/kolvex")),
             QStringList({"Default.cfg", "IPack.ipk", "Languages"}));
  }

  void withoutTheDefaultsTheProgramDoesNotStart() {
    Installation in;
    ::unlink(in.file("usr/share/kolvex/Default.cfg").c_str());
    std::vector<std::string> shown;
    Startup startup(in.paths(), CommandLine{}, in.folder.runtime(),
                    [&](const std::string& text) { shown.push_back(text); });
    QCOMPARE(startup.prepare(), Startup::Outcome::Refused);
    QCOMPARE(shown, std::vector<std::string>{RequiredFiles::kErrorText});
    QVERIFY(probeFilesIn(in.file("home/.local/share/Kolvex/")).isEmpty());
  }

  void theAboutViewNamesTheKindOfCopyAndTheUsersFolder() {
    UiAppFolder folder;
    folder.useAsAppDir();
    ScriptedPump pump;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::vector<std::string> monitorLog;
    MainFormSeams seams;
    seams.pump = &pump;
    seams.dialogs = &dialogs;
    seams.shell = &shell;
    seams.driveMonitor = std::make_unique<RecordingMonitor>(monitorLog);
    seams.terminate = [] {};
    TVORN_MainForm form(CommandLine{}, std::move(seams));
    KolvexView* about = form.View(viewIndexOf("TAboutFrame"));
    auto* caption = about->findChild<QLabel*>("lCopyCap");
    auto* copy = about->findChild<QLabel*>("lCopy");
    auto* userFiles = about->findChild<QLabel*>("lUserFiles");
    QVERIFY(caption && copy && userFiles);
    QCOMPARE(caption->text(), QString("Portable:"));
    QCOMPARE(copy->toolTip(), QString::fromStdString(folder.path()));
    QCOMPARE(userFiles->toolTip(), QString::fromStdString(folder.path()));
    // A long folder is shortened in the middle and never runs past its label.
    QVERIFY(copy->fontMetrics().horizontalAdvance(copy->text()) <= copy->width());
    QVERIFY(copy->text().endsWith('/'));

    form.Options().LanguageName = "German";
    form.RefreshLanguage();
    QCOMPARE(caption->text(), QString("Portabel:"));
    QCOMPARE(about->findChild<QLabel*>("lUserFilesCap")->text(), QString("Ihre Dateien:"));
    setAppDirForTesting("");
  }
};

QTEST_MAIN(InstalledCopyTest)
#include "InstalledCopyTest.moc"
