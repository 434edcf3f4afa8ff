#include "ui/common/CatalogFolderService.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "core/app/ReadErrorText.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/NaturalOrder.h"

namespace kolvex {

CatalogFolderService::CatalogFolderService(Dialogs& dialogs, LanguageFile& language,
                                           EventPump& pump, QWidget* owner, FileOps& ops)
    : dialogs_(dialogs), language_(language), pump_(pump), owner_(owner), ops_(ops) {}

CatalogFolderService::~CatalogFolderService() {
  if (!scanRunning()) return;
  // The scan is further down the stack (the program ends from an event it let through):
  // it is told to stop, and the runner with its windows lives until the scan has returned.
  runner_->CancelScan();
  runner_->ReleaseOwner();
  struct Leftover : QObject {
    std::unique_ptr<ScanRunner> runner;
  };
  auto* later = new Leftover;
  later->runner = std::move(runner_);
  later->deleteLater();
}

std::string CatalogFolderService::folder() const { return folder_.empty() ? ArchivesDir() : folder_; }

void CatalogFolderService::refresh() {
  if (shutDown_) return;
  emit refreshStarted();
  pump_.processEvents();
  std::vector<ArchiveEntry> entries;
  try {
    entries = ListArchives(folder(), ops_);
  } catch (const std::exception& e) {
    dialogs_.message(MessageKind::Error, e.what());
  }
  // Every readable catalog is listed and handed on, in the order people read names; one
  // that cannot be read hides none of the others and is offered for deletion below.
  std::vector<ArchiveEntry> readable, unreadable;
  for (ArchiveEntry& entry : entries) (entry.header ? readable : unreadable).push_back(std::move(entry));
  std::stable_sort(readable.begin(), readable.end(), [](const ArchiveEntry& a, const ArchiveEntry& b) {
    return NaturalLess(a.header->CDLabel, b.header->CDLabel);
  });
  catalogs_ = std::move(readable);
  damaged_ = std::move(unreadable);
  emit catalogsChanged();
  // Told once: the next refresh, and the next start, ask again only about a file that
  // changed since. What was told is kept beside the catalogs.
  const std::string toldFile = folder() + kToldDamagedFile;
  if (toldFolder_ != folder()) {
    toldDamaged_ = {};
    toldDamaged_.load(toldFile);
    toldFolder_ = folder();
  }
  const std::string before = toldDamaged_.text();
  std::vector<ArchiveEntry> untold = toldDamaged_.untold(damaged_);
  if (toldDamaged_.text() != before) {
    if (toldDamaged_.text().empty())
      removeFile(ops_, toldFile);
    else
      toldDamaged_.save(toldFile);  // a folder that cannot be written: asked again next start
  }
  if (!untold.empty()) whenShown([this, untold] { offerDeleting(untold); });
}

void CatalogFolderService::offerDeleting(std::vector<ArchiveEntry> files) {
  if (files.empty() || shutDown_) return;
  std::string list;
  for (const ArchiveEntry& f : files) list += "\n" + f.path + ": " + localReadError(language_, f.error);
  if (dialogs_.askDefaultNo(language_.format("A078", {list.substr(1)})) != Answer::Yes) return;
  std::string failures;
  for (const ArchiveEntry& f : files) {
    emit aboutToDelete(f.path);
    const std::string reason = DeleteArchive(f.path, ops_);
    if (!reason.empty()) failures += "\n" + language_.format("A081", {f.path, reason});
  }
  if (!failures.empty()) dialogs_.message(MessageKind::Error, failures.substr(1));
  refresh();
}

std::vector<ArchiveListEntry> CatalogFolderService::catalogList() const {
  std::vector<ArchiveListEntry> list;
  list.reserve(catalogs_.size());
  for (const ArchiveEntry& e : catalogs_) list.push_back({e.header->CDLabel, e.path});
  return list;
}

bool CatalogFolderService::rewriteHeader(const std::string& path, const TSCCDInfo& header) {
  try {
    RewriteArchiveHeader(path, header, ops_);
  } catch (const std::exception& e) {
    dialogs_.message(MessageKind::Error, e.what());
    return false;
  }
  emit rewritten(path);
  refresh();
  return true;
}

bool CatalogFolderService::deleteCatalog(const std::string& path) {
  emit aboutToDelete(path);
  const std::string reason = DeleteArchive(path, ops_);
  if (!reason.empty()) dialogs_.message(MessageKind::Error, language_.format("A081", {path, reason}));
  refresh();
  return reason.empty();
}

void CatalogFolderService::setScanRunner(std::unique_ptr<ScanRunner> runner) {
  runner_ = std::move(runner);
}

bool CatalogFolderService::createCatalog(bool compact, bool quiet, TSCCDInfo& header,
                                         const std::string& scanPath,
                                         const std::string& catalogPath) {
  if (!runner_) return false;
  // The scan runs window events: the program may end and take this service with it.
  QPointer<CatalogFolderService> self(this);
  const bool done = runner_->CreateArchive(compact, quiet, header, scanPath, catalogPath,
                                           [this, catalogPath] { emit aboutToRewrite(catalogPath); });
  // The list is read again when the folder changed: a catalog came of the scan (or one
  // that failed left the old one, which the views have let go of).
  if (self && (done || isRegularFile(catalogPath))) refresh();
  return done;
}

ScanResult CatalogFolderService::updateCatalog(const std::string& catalogPath) {
  if (!runner_) return {ScanOutcome::Refused, "no scan runner"};
  QPointer<CatalogFolderService> self(this);
  ScanResult result =
      runner_->UpdateArchive(catalogPath, [this, catalogPath] { emit aboutToRewrite(catalogPath); });
  if (self) refresh();
  return result;
}

void CatalogFolderService::cancelScan() {
  if (scanRunning()) runner_->CancelScan();
}

void CatalogFolderService::shutDown() {
  cancelScan();
  shutDown_ = true;
  disconnect();
}

void CatalogFolderService::raiseScanWindow() {
  if (runner_) runner_->RaiseScanWindow();
}

void CatalogFolderService::whenShown(std::function<void()> action) {
  // At start the window is not up yet: the box waits for it rather than standing alone.
  if (!owner_ || owner_->isVisible())
    action();
  else
    QTimer::singleShot(0, this, std::move(action));
}

}  // namespace kolvex
