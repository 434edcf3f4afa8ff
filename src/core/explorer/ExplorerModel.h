#pragma once
// The archive explorer without its window: one catalog at a time, its folder tree, the
// folder shown with its file list, the back and forward history and the sort order.
// The window shows this state and forwards its clicks here.
//
// Building the tree and listing a folder let window events run. While an operation runs
// (busy() tells which, and the listener's calls come from inside one) navigation and
// sorting are refused; OpenArchive and CloseArchive are remembered and carried out when
// the operation ends, so a catalog is never closed in the middle of a walk. A damaged
// catalog ends the operation with the error's message, shown once the explorer is in a
// good state again: a failed open leaves it closed, a failed listing puts back the
// folder, history and list shown before.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/explorer/ArchiveListEntry.h"
#include "core/explorer/ExplorerHistory.h"
#include "core/explorer/ExplorerListener.h"
#include "core/explorer/FolderEntry.h"
#include "core/explorer/FolderTree.h"
#include "core/explorer/SortMode.h"
#include "core/persist/CatalogReader.h"

namespace kolvex {

struct NavButtons {
  bool back = false;
  bool forward = false;
  bool up = false;
};

// The numbers of the status text (message A010: sub-folders, then files).
struct FolderStatus {
  bool shown = false;
  std::int32_t dirs = 0;
  std::int32_t files = 0;
};

class ExplorerModel {
 public:
  ExplorerModel(EventPump& pump, Dialogs& dialogs, FileOps& ops = posixFileOps());
  // Releases the catalog without telling the listener, which may be gone already.
  ~ExplorerModel();
  ExplorerModel(const ExplorerModel&) = delete;
  ExplorerModel& operator=(const ExplorerModel&) = delete;

  void setListener(ExplorerListener* listener) { listener_ = listener; }
  // The option ForeBackMaxItems: how many earlier folders the history keeps.
  void setHistoryLimit(int maxItems) { historyLimit_ = maxItems < 0 ? 0 : maxItems; }
  // Work between two rounds of window events (20 ms by default).
  void setEventSlice(std::chrono::milliseconds slice) { slice_ = slice; }

  // --- The catalog
  // The catalog file shown, or last asked for.
  const std::string& ArchiveFile() const { return archiveFile_; }
  // Closes what is open, then opens the catalog file path (ArchiveFile from then on),
  // builds the tree and shows the root. A path that names nothing leaves the explorer
  // closed, without a message; one that names no regular file (a fifo, a device, a
  // folder) or a damaged catalog leaves it closed with the reader's message.
  void OpenArchive(const std::string& path);
  // Opens ArchiveFile again.
  void OpenArchive() { OpenArchive(std::string(archiveFile_)); }
  void CloseArchive();
  // Before a catalog is deleted, rescanned or rewritten: closes it when it is the one
  // shown or being opened (ArchiveFile equal to path exactly). True when it was.
  bool closeIfShown(const std::string& path);
  bool isOpen() const { return reader_ != nullptr; }
  // The open catalog's header; null when closed.
  const TSCCDInfo* header() const { return reader_ ? &reader_->header() : nullptr; }
  const std::string& label() const { return label_; }

  // --- The catalog selector (its entries come from the archive manager)
  // Replaces the entries and selects the one of the open catalog, with
  // UpdatingArchiveList set while the listener is told.
  void setArchiveList(std::vector<ArchiveListEntry> entries);
  const std::vector<ArchiveListEntry>& archiveList() const { return archives_; }
  // The selected entry; -1 for none.
  int selectedArchive() const { return selected_; }
  // While set, a change of the selector's selection is not a choice of the user.
  bool UpdatingArchiveList() const { return updatingArchiveList_; }
  // The user chose entry index in the selector: opens its catalog.
  void chooseArchive(int index);

  // --- The tree and the folder shown
  const FolderTree& tree() const { return tree_; }
  const TreeNode* CurrentNode() const { return current_; }
  const std::string& Address() const { return address_; }
  // The caption above the information panel: the folder's name, or the label at the root.
  std::string folderCaption() const;
  FolderStatus status() const { return status_; }
  // Shows a folder of tree(): re-lists nothing when it is already shown, otherwise
  // records it in the history and lists it. False when refused or failed.
  bool ShowFolder(const TreeNode& node);
  bool GoBack(int steps = 1);
  bool GoForward(int steps = 1);
  // Shows the parent of the folder shown.
  bool GoUp();
  const TreeNode* FindTreeNodeByPath(const std::string& address) const;
  // The tree node a folder entry of the list stands for (double click): its own node, or
  // for a folder-like entry of the file chain the node its address leads to; null for
  // files.
  const TreeNode* folderNodeOf(const FolderEntry& entry) const;

  // --- History
  const ExplorerHistory& History() const { return history_; }
  NavButtons navButtons() const { return nav_; }
  // The history menus; an item is chosen with GoBack(item.steps) or GoForward(item.steps).
  std::vector<HistoryMenuItem> backMenu() const;
  std::vector<HistoryMenuItem> forwardMenu() const;

  // --- The file list
  const std::vector<FolderEntry>& entries() const { return entries_; }
  SortModeValue SortMode() const { return sortMode_; }
  // A click on a list column (0 name, 1 kind, 2 date, 3 size) or on a sort menu item.
  void columnClick(int column);
  void sortMenuClick(int tag);
  // --- Long operations
  ExplorerBusy busy() const { return busy_; }
  std::int64_t progressPosition() const { return progressPos_; }
  std::int64_t progressMaximum() const { return progressMax_; }

 private:
  // Passes window events on, first telling the listener how far a listing has come.
  class ProgressPump final : public EventPump {
   public:
    ProgressPump(ExplorerModel& model, EventPump& pump) : model_(model), pump_(pump) {}
    void processEvents() override;

   private:
    ExplorerModel& model_;
    EventPump& pump_;
  };
  enum class Pending { None, Open, Close };
  // Marks the time inside an operation, when the model's state may be incomplete.
  class Scope {
   public:
    explicit Scope(ExplorerModel& m) : m_(m) { ++m_.depth_; }
    ~Scope() { --m_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ExplorerModel& m_;
  };

  bool shows(const std::string& path) const;
  void openNow();
  void closeNow();
  bool showNow(const TreeNode& node);
  bool moveInHistory(int steps);
  // Runs the opens and closes asked for meanwhile, then shows the errors collected.
  void finish();
  void setBusy(ExplorerBusy busy);
  void UpdateNavButtons();
  void tellArchiveList();
  int indexOfArchive(const std::string& path) const;

  ProgressPump pump_;
  Dialogs& dialogs_;
  FileOps& ops_;
  ExplorerListener* listener_ = nullptr;
  ExplorerListener silent_;  // stands in while no listener is set
  int historyLimit_ = 6;
  std::chrono::milliseconds slice_{20};

  std::string archiveFile_;
  std::unique_ptr<CatalogReader> reader_;
  std::string label_;
  FolderTree tree_;
  const TreeNode* current_ = nullptr;
  std::string address_;
  FolderStatus status_;
  ExplorerHistory history_;
  NavButtons nav_;
  std::vector<FolderEntry> entries_;
  SortModeValue sortMode_ = kSortNameAsc;

  std::vector<ArchiveListEntry> archives_;
  int selected_ = -1;
  bool updatingArchiveList_ = false;

  ExplorerBusy busy_ = ExplorerBusy::Idle;
  std::int64_t progressPos_ = 0;
  std::int64_t progressMax_ = 0;
  int depth_ = 0;
  Pending pending_ = Pending::None;
  std::string pendingFile_;
  std::vector<std::string> failures_;

  ExplorerListener& listener() { return listener_ ? *listener_ : silent_; }
};

}  // namespace kolvex
