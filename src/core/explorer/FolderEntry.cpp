#include "core/explorer/FolderEntry.h"

namespace kolvex {

TTFileObjectInfo explorerSnapshot(const TSCFileObjectInfo& record) {
  TTFileObjectInfo s = snapshotOf(record);
  if (s.EXEIconSmall && s.EXEIconSmall->empty()) s.EXEIconSmall.reset();
  if (s.EXEIconLarge && s.EXEIconLarge->empty()) s.EXEIconLarge.reset();
  return s;
}

}  // namespace kolvex
