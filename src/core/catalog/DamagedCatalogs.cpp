#include "core/catalog/DamagedCatalogs.h"

#include <sys/stat.h>

namespace kolvex {

DamagedCatalogs::State DamagedCatalogs::stateOf(const std::string& path) {
  State state;
  struct stat st {};
  // A file that cannot be examined keeps the state "unknown", told once like any other.
  if (::stat(path.c_str(), &st) != 0) return state;
  state.size = st.st_size;
  state.changedSec = st.st_mtim.tv_sec;
  state.changedNsec = st.st_mtim.tv_nsec;
  state.inode = static_cast<std::int64_t>(st.st_ino);
  return state;
}

std::vector<ArchiveEntry> DamagedCatalogs::untold(const std::vector<ArchiveEntry>& unreadable) {
  std::map<std::string, State> now;
  std::vector<ArchiveEntry> fresh;
  for (const ArchiveEntry& entry : unreadable) {
    if (entry.header) continue;
    const State state = stateOf(entry.path);
    auto before = told_.find(entry.path);
    if (before == told_.end() || !(before->second == state)) fresh.push_back(entry);
    now[entry.path] = state;
  }
  told_ = std::move(now);
  return fresh;
}

}  // namespace kolvex
