#include "core/explorer/FolderTreeLoader.h"

#include <strings.h>

#include <algorithm>
#include <string>

#include "core/explorer/FolderEntry.h"
#include "core/explorer/MarkedStream.h"
#include "core/persist/ComponentReader.h"
#include "core/persist/PersistError.h"
#include "core/persist/StreamParser.h"

namespace kolvex {

namespace {

// Reads a record's Attribute and steps over everything else: most records are files,
// which the tree does not need, and decoding them in full would double the pass.
class AttributeScan final : public StreamVisitor {
 public:
  void begin(std::string_view, std::string_view) override { attribute = 0; }
  void property(std::string_view path, ValueReader& value) override {
    if (path.size() == 9 && strncasecmp(path.data(), "Attribute", 9) == 0)
      attribute = value.asInteger();
    else
      value.skip();
  }
  std::string errorName() const override { return "TSCFileObjectInfo"; }
  std::int32_t attribute = 0;
};

}  // namespace

FolderTree FolderTreeLoader::load() {
  const std::int64_t rootPos = reader_.header().EntranceRP;
  // The root first: a bad EntranceRP ends here with the reader's own message.
  TTFileObjectInfo root = explorerSnapshot(reader_.readAt(rootPos));
  readFolderRecords(rootPos);

  FolderTree tree;
  seen_.clear();
  seen_.reserve(positions_.size() + 1);
  seen_.insert(rootPos);
  std::int64_t firstChild = root.ChildDirRP;
  TreeNode& rootNode = tree.addRoot(std::move(root), rootPos, reader_.header().CDLabel);

  // Depth first without recursion: a crafted catalog may nest as deep as it has records.
  struct Frame {
    TreeNode* node;
    std::int64_t next;    // the next sub-folder link to follow
    std::int64_t holder;  // the record holding that link
  };
  std::vector<Frame> stack{{&rootNode, firstChild, rootPos}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == kNoRecord) {
      stack.pop_back();
      continue;
    }
    std::int64_t pos = top.next;
    TTFileObjectInfo record = fetch(pos, top.holder);
    top.next = record.BrotherRP;
    top.holder = pos;
    std::int64_t subfolders = record.ChildDirRP;
    std::string text = record.FileName;
    TreeNode& node = tree.addChild(*top.node, std::move(record), pos, std::move(text));
    stack.push_back({&node, subfolders, pos});  // top is not used after this
    pump_.tick();
  }
  positions_.clear();
  records_.clear();
  return tree;
}

void FolderTreeLoader::readFolderRecords(std::int64_t rootPos) {
  positions_.clear();
  records_.clear();
  // Every link points backwards, so all the tree can use lies before the root's record.
  const std::uint64_t base = reader_.recordBase();
  MarkedStream in(reader_.file().stream(), base);
  AttributeScan scan;
  TSCFileObjectInfo record;
  try {
    for (;;) {
      auto pos = static_cast<std::int64_t>(in.position() - base);
      if (pos >= rootPos) break;
      in.mark();
      parseStream(in, scan);
      if (scan.attribute & faDirectory) {
        // Read again in full: the stream still holds the record from the mark on.
        in.seek(base + static_cast<std::uint64_t>(pos));
        record.clear();
        readObject(in, record);
        positions_.push_back(pos);
        records_.push_back(explorerSnapshot(record));
      }
      pump_.tick();
    }
  } catch (const EStreamError&) {
    // A damaged stretch is only an error if the tree reaches into it; fetch() reads
    // whatever the pass could not keep, and fails there with the reader's message.
  }
}

TTFileObjectInfo FolderTreeLoader::fetch(std::int64_t pos, std::int64_t holder) {
  if (pos < 0 || pos >= holder) reader_.readAt(pos, holder);  // throws the reader's error
  if (!seen_.insert(pos).second) throwBadLink(pos, holder);
  auto it = std::lower_bound(positions_.begin(), positions_.end(), pos);
  if (it != positions_.end() && *it == pos)
    return std::move(records_[static_cast<std::size_t>(it - positions_.begin())]);
  return explorerSnapshot(reader_.readAt(pos, holder));
}

}  // namespace kolvex
