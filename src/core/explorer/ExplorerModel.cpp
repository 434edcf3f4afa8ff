#include "core/explorer/ExplorerModel.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/explorer/FolderTexts.h"
#include "core/explorer/FolderTreeLoader.h"
#include "core/explorer/ListFolder.h"
#include "core/persist/PersistError.h"

namespace kolvex {

namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return up(x) == up(y);
  });
}

}  // namespace

void ExplorerModel::ProgressPump::processEvents() {
  if (model_.busy_ == ExplorerBusy::Listing)
    model_.listener().progressChanged(model_.progressPos_, model_.progressMax_);
  pump_.processEvents();
}

ExplorerModel::ExplorerModel(EventPump& pump, Dialogs& dialogs, FileOps& ops)
    : pump_(*this, pump), dialogs_(dialogs), ops_(ops) {}

ExplorerModel::~ExplorerModel() {
  if (!reader_) return;
  try {
    reader_->close();
  } catch (const EStreamError&) {
    // Nothing was written through a reader, so nothing can be lost here.
  }
}

// --- The catalog

void ExplorerModel::OpenArchive(const std::string& path) {
  if (depth_ > 0) {
    pending_ = Pending::Open;
    pendingFile_ = path;
    return;
  }
  archiveFile_ = path;
  {
    Scope scope(*this);
    openNow();
  }
  finish();
}

void ExplorerModel::CloseArchive() {
  if (depth_ > 0) {
    pending_ = Pending::Close;
    return;
  }
  {
    Scope scope(*this);
    closeNow();
  }
  finish();
}

bool ExplorerModel::closeIfShown(const std::string& path) {
  if (!shows(path)) return false;
  CloseArchive();
  return true;
}

// The catalog shown, or the one shown once the running operation and the requests made
// meanwhile are done.
bool ExplorerModel::shows(const std::string& path) const {
  switch (pending_) {
    case Pending::Open:
      return pendingFile_ == path;
    case Pending::Close:
      return false;
    case Pending::None:
      break;
  }
  return (isOpen() || busy_ == ExplorerBusy::BuildingTree) && archiveFile_ == path;
}

void ExplorerModel::finish() {
  while (depth_ == 0) {
    if (pending_ != Pending::None) {
      Pending what = pending_;
      pending_ = Pending::None;
      Scope scope(*this);
      if (what == Pending::Open) {
        archiveFile_ = pendingFile_;
        openNow();
      } else {
        closeNow();
      }
    } else if (!failures_.empty()) {
      // A message box runs window events, which may call the model again: it is in a
      // good state here.
      std::string text = std::move(failures_.front());
      failures_.erase(failures_.begin());
      dialogs_.message(MessageKind::Error, text);
    } else {
      return;
    }
  }
}

void ExplorerModel::openNow() {
  closeNow();
  if (!exists(archiveFile_)) {
    tellArchiveList();  // the selector may show the choice that could not be opened
    return;
  }
  // Every catalog opens by name, ascending: the order chosen in the last one is not kept,
  // so a list never looks unsorted because its sort column is out of sight.
  sortMode_ = kSortNameAsc;
  setBusy(ExplorerBusy::BuildingTree);
  try {
    auto reader = std::make_unique<CatalogReader>(archiveFile_, ops_);
    SlicedPump pump(pump_, slice_);
    FolderTree tree = FolderTreeLoader(*reader, pump).load();
    tree.sortByName();
    listener().treeAboutToChange();
    reader_ = std::move(reader);
    label_ = reader_->header().CDLabel;
    tree_ = std::move(tree);
    listener().treeChanged();
  } catch (const EStreamError& e) {
    setBusy(ExplorerBusy::Idle);
    tellArchiveList();
    failures_.push_back(e.what());
    return;
  }
  selected_ = indexOfArchive(archiveFile_);
  tellArchiveList();
  if (const TreeNode* root = tree_.root()) showNow(*root);
  setBusy(ExplorerBusy::Idle);
}

void ExplorerModel::closeNow() {
  if (!reader_) return;
  std::unique_ptr<CatalogReader> reader = std::move(reader_);
  try {
    reader->close();
  } catch (const EStreamError&) {
    // A reader has nothing to write out; the file is released either way.
  }
  reader.reset();
  listener().treeAboutToChange();
  listener().entriesAboutToChange();
  label_.clear();
  tree_.clear();
  entries_.clear();
  current_ = nullptr;
  history_.reset();
  status_ = {};
  address_.clear();
  listener().treeChanged();
  listener().entriesChanged();
  listener().folderChanged(nullptr);
  UpdateNavButtons();
  selected_ = -1;
  tellArchiveList();
}

// --- The catalog selector

void ExplorerModel::setArchiveList(std::vector<ArchiveListEntry> entries) {
  archives_ = std::move(entries);
  selected_ = isOpen() ? indexOfArchive(archiveFile_) : -1;
  tellArchiveList();
}

void ExplorerModel::chooseArchive(int index) {
  if (updatingArchiveList_) return;
  if (index < 0 || index >= static_cast<int>(archives_.size())) return;
  OpenArchive(archives_[static_cast<std::size_t>(index)].path);
}

int ExplorerModel::indexOfArchive(const std::string& path) const {
  for (std::size_t i = 0; i < archives_.size(); ++i)
    if (equalIgnoringCase(archives_[i].path, path)) return static_cast<int>(i);
  return -1;
}

// The window fills its selector from inside this call; its change handler must see
// UpdatingArchiveList and ignore what the filling does.
void ExplorerModel::tellArchiveList() {
  bool was = updatingArchiveList_;
  updatingArchiveList_ = true;
  listener().archiveListChanged();
  updatingArchiveList_ = was;
}

// --- The folder shown

std::string ExplorerModel::folderCaption() const {
  return current_ ? FolderCaption(label_, current_->record) : std::string();
}

bool ExplorerModel::ShowFolder(const TreeNode& node) {
  if (depth_ > 0 || !isOpen()) return false;
  bool ok;
  {
    Scope scope(*this);
    ok = showNow(node);
  }
  finish();
  return ok;
}

bool ExplorerModel::showNow(const TreeNode& node) {
  if (&node == current_) {
    UpdateNavButtons();
    return true;
  }
  // Put back when the listing fails, so the explorer stays at the last good state.
  const TreeNode* previous = current_;
  std::string previousAddress = address_;
  ExplorerHistory previousHistory = history_;
  FolderStatus previousStatus = status_;

  address_ = FolderAddress(label_, node.record);
  current_ = &node;
  if (history_.current() != &node) history_.PushHistory(&node, historyLimit_);
  UpdateNavButtons();
  status_ = {true, node.record.DirsOnlyUM, node.record.FilesOnlyUM};
  progressPos_ = 0;
  progressMax_ =
      std::int64_t{std::max(node.record.FilesOnlyUM, 0)} + std::max(node.record.DirsOnlyUM, 0);
  listener().folderChanged(previous);
  setBusy(ExplorerBusy::Listing);
  try {
    SlicedPump pump(pump_, slice_);
    std::vector<FolderEntry> list = ListFolder(*reader_, tree_, node, [&](std::int64_t count) {
      progressPos_ = count;
      pump.tick();
    });
    SortEntries(list, sortMode_);
    listener().entriesAboutToChange();
    entries_ = std::move(list);
    listener().entriesChanged();
  } catch (const EStreamError& e) {
    current_ = previous;
    address_ = std::move(previousAddress);
    history_ = std::move(previousHistory);
    status_ = previousStatus;
    UpdateNavButtons();
    listener().folderChanged(&node);
    progressPos_ = 0;
    setBusy(ExplorerBusy::Idle);
    failures_.push_back(e.what());
    return false;
  }
  progressPos_ = 0;
  setBusy(ExplorerBusy::Idle);
  return true;
}

bool ExplorerModel::GoBack(int steps) { return history_.canGoBack(steps) && moveInHistory(-steps); }

bool ExplorerModel::GoForward(int steps) {
  return history_.canGoForward(steps) && moveInHistory(steps);
}

bool ExplorerModel::moveInHistory(int steps) {
  if (depth_ > 0 || !isOpen()) return false;
  bool ok;
  {
    Scope scope(*this);
    ExplorerHistory before = history_;
    history_.move(steps);
    ok = showNow(*history_.current());
    if (!ok) {
      history_ = std::move(before);
      UpdateNavButtons();
    }
  }
  finish();
  return ok;
}

// The parent node, not the address without its last component: a name may itself hold
// a backslash, and the address would then lead elsewhere.
bool ExplorerModel::GoUp() {
  if (!current_ || !current_->parent) return false;
  return ShowFolder(*current_->parent);
}

const TreeNode* ExplorerModel::FindTreeNodeByPath(const std::string& address) const {
  return kolvex::FindTreeNodeByPath(address, tree_);
}

const TreeNode* ExplorerModel::folderNodeOf(const FolderEntry& entry) const {
  if (!entry.isFolder()) return nullptr;
  if (entry.node) return entry.node;
  // A folder-like entry of the file chain: found by its address, as a path would be.
  std::string path = address_;
  if (path.empty() || path.back() != '\\') path += '\\';
  return FindTreeNodeByPath(path + entry.record.FileName);
}

// --- History

void ExplorerModel::UpdateNavButtons() {
  NavButtons nav;
  nav.back = history_.canGoBack();
  nav.forward = history_.canGoForward();
  nav.up = current_ && current_->parent;
  bool changed = nav.back != nav_.back || nav.forward != nav_.forward || nav.up != nav_.up;
  nav_ = nav;
  if (changed) listener().navChanged();
}

std::vector<HistoryMenuItem> ExplorerModel::backMenu() const { return history_.backMenu(label_); }

std::vector<HistoryMenuItem> ExplorerModel::forwardMenu() const {
  return history_.forwardMenu(label_);
}

// --- The file list

void ExplorerModel::columnClick(int column) {
  if (depth_ > 0 || column < 0 || column >= kColumnCount) return;
  Scope scope(*this);
  sortMode_ = SortModeAfterColumnClick(column, sortMode_);
  listener().entriesAboutToChange();
  SortEntries(entries_, sortMode_);
  listener().entriesChanged();
}

void ExplorerModel::sortMenuClick(int tag) {
  int column = ColumnOfSortMenuTag(tag);
  if (column >= 0) columnClick(column);
}

// --- Long operations

void ExplorerModel::setBusy(ExplorerBusy busy) {
  if (busy == busy_) return;
  busy_ = busy;
  listener().busyChanged(busy);
}

}  // namespace kolvex
