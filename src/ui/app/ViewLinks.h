#pragma once
// How the views reach each other. Each view registers itself in the main window's links
// when it is created; a link is null until its view exists, so every caller checks.
#include <string>
#include <vector>

#include "core/app/IconProvider.h"
#include "core/explorer/ArchiveListEntry.h"
#include "core/persist/TSCCDInfo.h"

namespace kolvex {

class ArchiveListReceiver {
 public:
  virtual ~ArchiveListReceiver() = default;
  // The catalogs after every refresh of the archive manager, in its order.
  virtual void UpdatingArchiveList(const std::vector<ArchiveListEntry>& catalogs) = 0;
};

class ExplorerLink : public ArchiveListReceiver {
 public:
  // Shows the catalog in the explorer (opening it when it is not shown) at a folder given
  // as a stored path ("X:\docs\"; empty for the root), selecting the entry of that name
  // when it is not empty. The caller switches to the explorer view.
  virtual void BrowseArchive(const std::string& catalogPath, const std::string& storedFolder,
                             const std::string& selectName) = 0;
  // Closes the catalog if the explorer shows it (before it is deleted, rescanned or
  // rewritten).
  virtual void CloseIfShown(const std::string& catalogPath) = 0;
};

class SearchLink : public ArchiveListReceiver {
 public:
  // Unticks every catalog but this one; the caller switches to the search view.
  virtual void SearchOnly(const std::string& catalogPath) = 0;
};

class ArchiveManagerLink {
 public:
  virtual ~ArchiveManagerLink() = default;
  // Reads the catalog folder again and hands the list to the explorer and the search.
  virtual void RefreshArchives() = 0;
  // Opens the add-archive dialog for a folder (command line, second launch).
  virtual void OfferFolder(const std::string& folder) = 0;
};

// Runs scans with their progress windows; only one scan runs at a time.
class ScanRunner {
 public:
  virtual ~ScanRunner() = default;
  virtual bool ScanRunning() const = 0;
  // CreateArchive: compact chooses the small progress window, quiet drops the success
  // message. Refused (false, with a message) while another scan runs.
  virtual bool CreateArchive(bool compact, bool quiet, TSCCDInfo& header, const std::string& scanPath,
                             const std::string& archiveFileName) = 0;
  // Asks a running scan to stop (shutdown).
  virtual void CancelScan() = 0;
  // Brings the running scan's progress window to the front.
  virtual void RaiseScanWindow() {}
};

// Told when a scan's progress window appears, moves on and goes, so that the main window
// shows a running scan whichever view is up.
class ScanActivity {
 public:
  virtual ~ScanActivity() = default;
  // volume: the label or folder being catalogued.
  virtual void scanShown(const std::string& volume) = 0;
  virtual void scanProgressed(int percent) = 0;
  virtual void scanHidden() = 0;
};

struct ViewLinks {
  ArchiveManagerLink* archiveManager = nullptr;
  ExplorerLink* explorer = nullptr;
  SearchLink* search = nullptr;
  ScanRunner* scans = nullptr;
  ScanActivity* scanActivity = nullptr;
  IconProvider* icons = nullptr;
};

}  // namespace kolvex
