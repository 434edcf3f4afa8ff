#include "core/persist/CatalogReader.h"

#include <unordered_set>

#include "core/persist/PersistError.h"

namespace kolvex {

CatalogReader::CatalogReader(const std::string& path, FileOps& ops) : file_(ops) {
  file_.QELFileName = path;
  file_.OpenForRead();
  readHeader();
}

CatalogReader::CatalogReader(std::unique_ptr<Stream> stream) : file_(posixFileOps()) {
  file_.attach(std::move(stream));
  readHeader();
}

void CatalogReader::readHeader() {
  file_.Rewind();
  file_.ReadCDHeader();
  base_ = file_.position();
  area_ = file_.stream().size() - base_;
}

void throwBadLink(std::int64_t link, std::int64_t holder) {
  std::string where = holder == kNoRecord ? "the header" : "the record at " + std::to_string(holder);
  throw ECatalogLinkError("The catalog is damaged: " + where + " links to position " +
                          std::to_string(link));
}

TSCFileObjectInfo& CatalogReader::readAt(std::int64_t pos, std::int64_t holder) {
  if (pos < 0 || static_cast<std::uint64_t>(pos) >= area_) {
    // Past the end of the file, as a reader without the check would find it.
    if (pos >= 0 && holder == kNoRecord) throwReadError();
    throwBadLink(pos, holder);
  }
  if (holder != kNoRecord && pos >= holder) throwBadLink(pos, holder);
  file_.seek(base_ + static_cast<std::uint64_t>(pos));
  file_.ReadCurrFile();
  return *file_.CurrFile;
}

void CatalogReader::forEachInChain(std::int64_t first, std::int64_t holder, const Visit& visit) {
  // Positions fall strictly along a chain, so it ends.
  for (std::int64_t pos = first; pos != kNoRecord;) {
    const TSCFileObjectInfo& r = readAt(pos, holder);
    std::int64_t next = r.BrotherRP;
    visit(pos, r);
    holder = pos;
    pos = next;
  }
}

void CatalogReader::forEachChild(std::int64_t dirPos, const TSCFileObjectInfo& dir,
                                 const Visit& visitDir, const Visit& visitFile) {
  std::int64_t files = dir.ChildFileRP;  // dir may be CurrFile, refilled below
  forEachInChain(dir.ChildDirRP, dirPos, visitDir);
  forEachInChain(files, dirPos, visitFile);
}

void CatalogReader::walkTree(const TreeVisit& visit, bool withFiles) {
  walkFrom(
      header().EntranceRP,
      [&](const WalkStep& step) { visit(step.pos, step.record, step.depth); }, withFiles);
}

void CatalogReader::walkFrom(std::int64_t start, const std::function<void(const WalkStep&)>& visit,
                             bool withFiles) {
  // Records already reached: one reached twice would repeat a whole subtree.
  std::unordered_set<std::int64_t> seen;
  auto mark = [&](std::int64_t pos, std::int64_t holder) {
    if (!seen.insert(pos).second) throwBadLink(pos, holder);
  };
  struct Frame {
    std::int64_t next;    // next sub-directory to visit
    std::int64_t holder;  // the record whose link points at it
  };
  std::vector<Frame> stack;

  auto enter = [&](std::int64_t pos, std::int64_t holder, int depth) -> std::int64_t {
    const TSCFileObjectInfo& dir = readAt(pos, holder);
    mark(pos, holder);
    std::int64_t brother = dir.BrotherRP, subdirs = dir.ChildDirRP, files = dir.ChildFileRP;
    visit(WalkStep{pos, dir, depth, false});
    if (withFiles) {
      forEachInChain(files, pos, [&](std::int64_t fpos, const TSCFileObjectInfo& f) {
        mark(fpos, pos);
        visit(WalkStep{fpos, f, depth + 1, true});
      });
    }
    stack.push_back({subdirs, pos});
    return brother;
  };

  enter(start, kNoRecord, 0);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == kNoRecord) {
      stack.pop_back();
      continue;
    }
    std::int64_t pos = top.next, holder = top.holder;
    int depth = static_cast<int>(stack.size());
    std::int64_t brother = enter(pos, holder, depth);
    // enter() pushed; the frame below is the one we came from.
    Frame& from = stack[stack.size() - 2];
    from.next = brother;
    from.holder = pos;
  }
}

void CatalogReader::forEachInFileOrder(const Visit& visit) {
  std::int64_t count = std::int64_t{header().TotalFiles} + header().TotalDirectories + 1;
  if (count < 1) throw ECatalogLinkError("The catalog is damaged: its record count is negative");
  file_.seek(base_);
  for (std::int64_t i = 0; i < count; ++i) {
    std::int64_t pos = static_cast<std::int64_t>(file_.position() - base_);
    file_.ReadCurrFile();
    visit(pos, *file_.CurrFile);
  }
}

}  // namespace kolvex
