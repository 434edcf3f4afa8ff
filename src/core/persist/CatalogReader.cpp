#include "core/persist/CatalogReader.h"

#include <unordered_set>

#include "core/persist/PersistError.h"
#include "core/persist/RecordCensus.h"

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
  checkStreamStart(file_.stream());
  file_.ReadCDHeader();
  base_ = file_.position();
  area_ = file_.stream().size() - base_;
  checkRoot();
}

void CatalogReader::checkRoot() {
  const std::int64_t pos = header().EntranceRP;
  const TSCFileObjectInfo& root = readAt(pos);
  if (!root.isDirectory()) throwWrongKind(pos, false, kNoRecord);
  if (file_.position() - base_ != area_)
    throwDamaged("the scanned folder's record at " + std::to_string(pos) +
                 " is not the last record of the file");
  if (root.FilesUnderMe != header().TotalFiles || root.DirsUnderMe != header().TotalDirectories)
    throwDamaged("its header counts " + std::to_string(header().TotalFiles) + " file(s) and " +
                 std::to_string(header().TotalDirectories) +
                 " folder(s), but the scanned folder holds " + std::to_string(root.FilesUnderMe) +
                 " file(s) and " + std::to_string(root.DirsUnderMe) + " folder(s)");
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

void CatalogReader::forEachInChain(std::int64_t holder, Chain chain, const Visit& visit) {
  const std::int64_t folder = holder;
  std::int64_t found = 0;
  // Positions fall strictly along a chain, so it ends.
  for (std::int64_t pos = chain.first; pos != kNoRecord;) {
    const TSCFileObjectInfo& r = readAt(pos, holder);
    if (r.isDirectory() != chain.folders) throwWrongKind(pos, r.isDirectory(), holder);
    if (++found > chain.counted) throwWrongCount(folder, chain.folders, found, chain.counted);
    std::int64_t next = r.BrotherRP;
    visit(pos, r);
    holder = pos;
    pos = next;
  }
  if (found != chain.counted) throwWrongCount(folder, chain.folders, found, chain.counted);
}

void CatalogReader::forEachChild(std::int64_t dirPos, const TSCFileObjectInfo& dir,
                                 const Visit& visitDir, const Visit& visitFile) {
  const Chain files = fileChainOf(dir);  // dir may be CurrFile, refilled below
  forEachInChain(dirPos, folderChainOf(dir), visitDir);
  forEachInChain(dirPos, files, visitFile);
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
  // One open folder: its counters, the sub-folder to visit next and what its sub-folders
  // add up to so far.
  struct Frame {
    std::int64_t pos;
    std::int32_t filesOnly, dirsOnly, filesUnder, dirsUnder;
    std::int64_t next;    // next sub-directory to visit
    std::int64_t holder;  // the record whose link points at it
    std::int64_t subdirs = 0, filesBelow = 0, dirsBelow = 0;
  };
  std::vector<Frame> stack;

  auto enter = [&](std::int64_t pos, std::int64_t holder, int depth) -> std::int64_t {
    const TSCFileObjectInfo& dir = readAt(pos, holder);
    if (!dir.isDirectory()) throwWrongKind(pos, false, holder);
    mark(pos, holder);
    Frame f{pos, dir.FilesOnlyUM, dir.DirsOnlyUM, dir.FilesUnderMe, dir.DirsUnderMe,
            dir.ChildDirRP, pos};
    const Chain files = fileChainOf(dir);
    const std::int64_t brother = dir.BrotherRP;
    visit(WalkStep{pos, dir, depth, false});
    if (withFiles) {
      forEachInChain(pos, files, [&](std::int64_t fpos, const TSCFileObjectInfo& file) {
        mark(fpos, pos);
        visit(WalkStep{fpos, file, depth + 1, true});
      });
    }
    stack.push_back(f);
    return brother;
  };
  // A folder whose chain of sub-folders has ended: its counters must fit what was found.
  auto leave = [&](const Frame& f) {
    if (f.subdirs != f.dirsOnly) throwWrongCount(f.pos, true, f.subdirs, f.dirsOnly);
    if (f.filesUnder != f.filesOnly + f.filesBelow || f.dirsUnder != f.dirsOnly + f.dirsBelow)
      throwWrongSubtree(f.pos);
  };

  enter(start, kNoRecord, 0);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == kNoRecord) {
      const Frame done = top;
      stack.pop_back();
      leave(done);
      if (!stack.empty()) {
        stack.back().filesBelow += done.filesUnder;
        stack.back().dirsBelow += done.dirsUnder;
      }
      continue;
    }
    if (++top.subdirs > top.dirsOnly) throwWrongCount(top.pos, true, top.subdirs, top.dirsOnly);
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
  RecordCensus census(header(), area_);
  file_.seek(base_);
  for (std::int64_t i = 0; i < census.records(); ++i) {
    std::int64_t pos = static_cast<std::int64_t>(file_.position() - base_);
    census.before(pos);
    file_.ReadCurrFile();
    census.count(pos, file_.CurrFile->isDirectory());
    visit(pos, *file_.CurrFile);
  }
  census.finish(static_cast<std::int64_t>(file_.position() - base_));
}

}  // namespace kolvex
