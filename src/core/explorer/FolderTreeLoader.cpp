#include "core/explorer/FolderTreeLoader.h"

#include <algorithm>
#include <string>

#include "core/explorer/FolderEntry.h"
#include "core/explorer/MarkedStream.h"
#include "core/persist/ComponentReader.h"
#include "core/persist/PersistError.h"
#include "core/persist/RecordCensus.h"
#include "core/persist/RecordScanner.h"

namespace kolvex {

FolderTree FolderTreeLoader::load() {
  const std::int64_t rootPos = reader_.header().EntranceRP;
  readRecords();
  // The reader checked the root when it opened the catalog: a folder, the last record.
  TTFileObjectInfo root = explorerSnapshot(reader_.readAt(rootPos));

  FolderTree tree;
  seen_.clear();
  seen_.reserve(positions_.size() + 1);
  seen_.insert(rootPos);
  TreeNode& rootNode = tree.addRoot(std::move(root), rootPos, reader_.header().CDLabel);
  fileReached_.assign(files_.size(), false);
  checkFiles(rootNode);

  // Depth first without recursion: a crafted catalog may nest as deep as it has records.
  struct Frame {
    TreeNode* node;
    std::int64_t next;    // the next sub-folder link to follow
    std::int64_t holder;  // the record holding that link
    std::int64_t subfolders = 0, filesBelow = 0, dirsBelow = 0;
  };
  std::vector<Frame> stack{{&rootNode, rootNode.record.ChildDirRP, rootPos}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == kNoRecord) {
      // Every sub-folder is in: the folder's counters must fit them.
      const Frame done = top;
      stack.pop_back();
      const TTFileObjectInfo& r = done.node->record;
      if (done.subfolders != r.DirsOnlyUM)
        throwWrongCount(done.node->position, true, done.subfolders, r.DirsOnlyUM);
      if (r.FilesUnderMe != r.FilesOnlyUM + done.filesBelow ||
          r.DirsUnderMe != r.DirsOnlyUM + done.dirsBelow)
        throwWrongSubtree(done.node->position);
      if (!stack.empty()) {
        stack.back().filesBelow += r.FilesUnderMe;
        stack.back().dirsBelow += r.DirsUnderMe;
      }
      continue;
    }
    if (++top.subfolders > top.node->record.DirsOnlyUM)
      throwWrongCount(top.node->position, true, top.subfolders, top.node->record.DirsOnlyUM);
    std::int64_t pos = top.next;
    TTFileObjectInfo record = fetch(pos, top.holder);
    top.next = record.BrotherRP;
    top.holder = pos;
    std::int64_t subfolders = record.ChildDirRP;
    std::string text = record.FileName;
    TreeNode& node = tree.addChild(*top.node, std::move(record), pos, std::move(text));
    checkFiles(node);
    stack.push_back({&node, subfolders, pos});  // top is not used after this
    pump_.tick();
  }
  std::vector<std::int64_t> starts;
  starts.reserve(files_.size());
  for (const FileLink& f : files_) starts.push_back(f.pos);
  tree.setFileStarts(std::move(starts));
  positions_.clear();
  records_.clear();
  files_.clear();
  fileReached_.clear();
  return tree;
}

void FolderTreeLoader::readRecords() {
  positions_.clear();
  records_.clear();
  files_.clear();
  const std::uint64_t base = reader_.recordBase();
  RecordCensus census(reader_.header(), reader_.areaSize());
  MarkedStream in(reader_.file().stream(), base);
  RecordScanner scanner(in);
  TSCFileObjectInfo record;
  for (std::int64_t i = 0; i < census.records(); ++i) {
    auto pos = static_cast<std::int64_t>(in.position() - base);
    census.before(pos);
    in.mark();
    const RecordView& r = scanner.next();
    const bool folder = (r.Attribute & faDirectory) != 0;
    census.count(pos, folder);
    if (folder) {
      // Read again in full: the stream still holds the record from the mark on.
      in.seek(base + static_cast<std::uint64_t>(pos));
      record.clear();
      readObject(in, record);
      positions_.push_back(pos);
      records_.push_back(explorerSnapshot(record));
    } else {
      files_.push_back({pos, r.BrotherRP});
    }
    pump_.tick();
  }
  census.finish(static_cast<std::int64_t>(in.position() - base));
}

TTFileObjectInfo FolderTreeLoader::fetch(std::int64_t pos, std::int64_t holder) {
  if (pos < 0 || pos >= holder) throwBadLink(pos, holder);
  if (!seen_.insert(pos).second) throwBadLink(pos, holder);
  auto it = std::lower_bound(positions_.begin(), positions_.end(), pos);
  if (it != positions_.end() && *it == pos)
    return std::move(records_[static_cast<std::size_t>(it - positions_.begin())]);
  // Every record start is known from the pass: this is a file, or no record at all.
  auto file = std::lower_bound(files_.begin(), files_.end(), pos,
                               [](const FileLink& f, std::int64_t p) { return f.pos < p; });
  if (file != files_.end() && file->pos == pos) throwWrongKind(pos, false, holder);
  throwBadLink(pos, holder);
}

bool FolderTreeLoader::isFolderStart(std::int64_t pos) const {
  return std::binary_search(positions_.begin(), positions_.end(), pos);
}

void FolderTreeLoader::checkFiles(const TreeNode& folder) {
  const std::int32_t counted = folder.record.FilesOnlyUM;
  std::int64_t holder = folder.position, found = 0;
  for (std::int64_t pos = folder.record.ChildFileRP; pos != kNoRecord;) {
    if (pos < 0 || pos >= holder) throwBadLink(pos, holder);
    auto file = std::lower_bound(files_.begin(), files_.end(), pos,
                                 [](const FileLink& f, std::int64_t p) { return f.pos < p; });
    if (file == files_.end() || file->pos != pos) {
      if (isFolderStart(pos)) throwWrongKind(pos, true, holder);
      throwBadLink(pos, holder);
    }
    const auto index = static_cast<std::size_t>(file - files_.begin());
    // A file in two chains would be shown twice and another not at all.
    if (fileReached_[index]) throwBadLink(pos, holder);
    fileReached_[index] = true;
    if (++found > counted) throwWrongCount(folder.position, false, found, counted);
    holder = pos;
    pos = file->brother;
  }
  if (found != counted) throwWrongCount(folder.position, false, found, counted);
}

}  // namespace kolvex
