#pragma once
// The catalog folder as the desktop program sees it: the one list of catalogs, the one
// scan runner, and the only ways to rewrite or delete a catalog. Owned by the main
// window; views call its operations and hear of changes by its signals, which the shell
// connects to them (ViewWiring). It knows no view.
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/DamagedCatalogs.h"
#include "core/explorer/ArchiveListEntry.h"
#include "core/persist/FileOps.h"
#include "ui/common/ScanRunner.h"

class QWidget;

namespace kolvex {

class CatalogFolderService final : public QObject, public ScanActivity {
  Q_OBJECT

 public:
  // owner: the window messages wait for at start and progress windows stay above.
  CatalogFolderService(Dialogs& dialogs, LanguageFile& language, EventPump& pump,
                       QWidget* owner = nullptr, FileOps& ops = posixFileOps());
  ~CatalogFolderService() override;

  // The folder listed, with a trailing '/' (the program's catalog folder when not set).
  void setFolder(const std::string& folder) { folder_ = folder; }
  std::string folder() const;

  // Reads the folder again: refreshStarted, then catalogsChanged with the readable
  // catalogs in the order people read labels. The files that cannot be read are named in
  // a question that offers to delete them, once for each state of a file.
  void refresh();
  const std::vector<ArchiveEntry>& catalogs() const { return catalogs_; }
  // The files of the last refresh that could not be read, with their reasons.
  const std::vector<ArchiveEntry>& damaged() const { return damaged_; }
  // Asks whether to delete the damaged files, told before or not.
  void offerDeletingDamaged() { offerDeleting(damaged_); }
  std::vector<ArchiveListEntry> catalogList() const;

  // Replaces the catalog's header (written beside it and renamed over it): on success the
  // views let go of the old file (rewritten) and the list is read again; on failure the
  // reason is shown and the catalog and every view stay as they were.
  bool rewriteHeader(const std::string& path, const TSCCDInfo& header);
  // Deletes the catalog after the views let go of it (aboutToDelete), then refreshes. A
  // failure is shown in the program's language.
  bool deleteCatalog(const std::string& path);

  // The one scan runner (the service owns it).
  void setScanRunner(std::unique_ptr<ScanRunner> runner);
  ScanRunner* scanRunner() const { return runner_.get(); }
  bool scanRunning() const { return runner_ && runner_->ScanRunning(); }
  // Scans a folder into a catalog; the views let go of that catalog when the scan starts
  // (aboutToRewrite), and the list is read again when a catalog came of it.
  bool createCatalog(bool compact, bool quiet, TSCCDInfo& header, const std::string& scanPath,
                     const std::string& catalogPath);
  // Scans the catalog's folder again; as createCatalog.
  ScanResult updateCatalog(const std::string& catalogPath);
  void cancelScan();
  void raiseScanWindow();
  // The program ends: a running scan is cancelled, and from now on nothing is listed or
  // announced (a scan still unwinding finds no views to tell).
  void shutDown();

  // ScanActivity: the progress windows report here, the service passes it on.
  void scanShown(const std::string& volume) override { emit scanStarted(volume); }
  void scanProgressed(int percent) override { emit scanProgress(percent); }
  void scanHidden() override { emit scanEnded(); }

 signals:
  void refreshStarted();
  void catalogsChanged();
  void aboutToRewrite(const std::string& path);
  void rewritten(const std::string& path);
  void aboutToDelete(const std::string& path);
  void scanStarted(const std::string& volume);
  void scanProgress(int percent);
  void scanEnded();

 private:
  void offerDeleting(std::vector<ArchiveEntry> files);
  // Runs now when the window is up; at start, once it is (a box waits for it).
  void whenShown(std::function<void()> action);

  Dialogs& dialogs_;
  LanguageFile& language_;
  EventPump& pump_;
  QWidget* owner_;
  FileOps& ops_;
  std::string folder_;
  std::vector<ArchiveEntry> catalogs_;
  std::vector<ArchiveEntry> damaged_;
  DamagedCatalogs toldDamaged_;
  std::string toldFolder_;  // the catalog folder toldDamaged_ was read from
  // Beside the catalogs: the damaged files the user was told about (not a catalog).
  static constexpr const char* kToldDamagedFile = ".kolvex-damaged";
  std::unique_ptr<ScanRunner> runner_;
  bool shutDown_ = false;
};

}  // namespace kolvex
