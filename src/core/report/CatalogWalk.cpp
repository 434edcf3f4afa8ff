#include "core/report/CatalogWalk.h"

#include "core/report/RowText.h"

namespace kolvex {
namespace {
struct Stopped {};
}  // namespace

CatalogWalk::CatalogWalk(CatalogReader& reader, std::int64_t start, std::string startPath)
    : reader_(reader), start_(start), startPath_(std::move(startPath)) {}

bool CatalogWalk::run(const std::function<void(const WalkEntry&)>& visit,
                      const WalkProceed& proceed) {
  // The folders open on the way down: their real paths and indices by depth.
  std::vector<std::string> paths;
  std::vector<int> indices;
  int folders = 0;
  std::int64_t done = 0;
  try {
    reader_.walkFrom(
        start_,
        [&](const CatalogReader::WalkStep& step) {
          if (step.depth == 0) {
            paths.assign(1, startPath_);
            indices.assign(1, folders++);
            return;
          }
          const auto holder = static_cast<std::size_t>(step.depth - 1);
          if (step.viaFileChain) {
            visit(WalkEntry{step.pos, step.record, false, indices[holder], paths[holder], -1});
          } else {
            paths.resize(holder + 1);
            indices.resize(holder + 1);
            const int own = folders++;
            visit(WalkEntry{step.pos, step.record, true, indices[holder], paths[holder], own});
            paths.push_back(JoinFolderPath(paths[holder], step.record.FileName));
            indices.push_back(own);
          }
          ++done;
          if (proceed && !proceed(done)) throw Stopped{};
        },
        true);
  } catch (const Stopped&) {
    return false;
  }
  return true;
}

}  // namespace kolvex
