#include "ui/support/WalkData.h"

#include "ui/shell/ViewRegistry.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "core/catalog/AppDir.h"
#include "ui/shell/ProbeFiles.h"
#include "ui/options/TOptionsFrame.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/search/TSearchFrame.h"

namespace kolvex::test {

Answer WalkDialogs::ask(const std::string& text, bool) {
  // The same question straight again is the medium prompt going round: No ends it.
  const bool again = !shown.empty() && shown.back() == text;
  shown.push_back(text);
  return again ? Answer::No : Answer::Yes;
}

void WalkPump::processEvents() {
  QCoreApplication::processEvents();
  if (inside_ || !onEvents) return;
  inside_ = true;  // what the test does in here may let events in again
  onEvents();
  inside_ = false;
}

namespace {

void makeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

WalkProgram::WalkProgram(bool withCatalogs) {
  // The interface package the build makes, so the windows look as they do for a user.
  const QString built = QFileInfo(QString(KOLVEX_EXECUTABLE)).dir().filePath("IPack.ipk");
  const QString own = QString::fromStdString(folder.file("IPack.ipk"));
  if (QFile::exists(built) && QFile::remove(own)) QFile::copy(built, own);
  folder.useAsAppDir();
  ProbeFiles::create(folder.path());
  const QString awkward = scratch_.path() + "/Sammlung alter Datenträger";
  QDir().mkpath(awkward + "/Ein Ordner mit einem ziemlich langen Namen/und noch einer darunter");
  QDir().mkpath(awkward + "/Fotos 2001/Urlaub");
  makeFile(awkward + "/Readme.txt", "Disc of holiday photographs and letters, collected 2001.\n");
  makeFile(awkward + "/eine_datei_mit_einem_sehr_langen_namen_ohne_leerzeichen_2001.txt", "x");
  makeFile(awkward + "/Fotos 2001/Urlaub/Strand.jpg", QByteArray(3000, 'j'));
  // A copy of the same name elsewhere, so that the duplicates window has a group to show.
  makeFile(awkward + "/Fotos 2001/Strand.jpg", QByteArray(3000, 'j'));
  makeFile(awkward + "/Fotos 2001/Brief an Tante Käthe.doc", QByteArray(20000, 'd'));
  // A 5 GiB file that takes no room: the size column must show all of its digits.
  const QString big = awkward + "/Abbild.iso";
  makeFile(big, "");
  if (::truncate(QFile::encodeName(big).constData(), 5368709120LL) != 0)
    throw std::runtime_error("cannot make the large file");
  awkwardFolder_ = QFile::encodeName(awkward).toStdString();

  MainFormSeams seams;
  seams.pump = &pump;
  seams.dialogs = &dialogs;
  seams.shell = &shell;
  seams.picker = &picker;
  seams.driveMonitor = std::make_unique<RecordingMonitor>(monitorLog);
  seams.terminate = [this] { ++terminated; };
  seams.trayAvailable = [] { return true; };
  form_ = std::make_unique<TVORN_MainForm>(CommandLine{}, std::move(seams));
  picker.answer = awkwardFolder_;
  picker.saveAnswer = QFile::encodeName(scratch_.filePath("export.out")).toStdString();
  form_->show();
  if (withCatalogs) makeCatalogs();
}

void WalkProgram::makeCatalogs() {
  awkwardCatalog_ = catalogue(awkwardFolder_);
  if (QDir("/usr/share/doc").exists()) docCatalog_ = catalogue("/usr/share/doc");
  manager().RefreshArchives();
}

WalkProgram::~WalkProgram() = default;

TArchiveManFrame& WalkProgram::manager() {
  return *qobject_cast<TArchiveManFrame*>(form_->View(viewIndexOf("TArchiveManFrame")));
}
TArchiveExplorerFrame& WalkProgram::explorer() {
  return *qobject_cast<TArchiveExplorerFrame*>(form_->View(viewIndexOf("TArchiveExplorerFrame")));
}
TSearchFrame& WalkProgram::search() {
  return *qobject_cast<TSearchFrame*>(form_->View(viewIndexOf("TSearchFrame")));
}
TOptionsFrame& WalkProgram::options() {
  return *qobject_cast<TOptionsFrame*>(form_->View(viewIndexOf("TOptionsFrame")));
}

std::string WalkProgram::catalogue(const std::string& path) {
  DesktopScanRunner& scans = *manager().Scans();
  TSCCDInfo header;
  if (!scans.scanner().GetVolumeInfo(path, header)) throw std::runtime_error("no volume for " + path);
  const std::string catalog = scans.scanner().ArchiveFileNameFor(header);
  if (!scans.CreateArchive(false, true, header, header.BaseDir, catalog))
    throw std::runtime_error("cannot catalogue " + path);
  return catalog;
}

void WalkProgram::setLanguage(const std::string& name) {
  form_->Options().LanguageName = name;
  form_->RefreshLanguage();
}

}  // namespace kolvex::test
