#pragma once
// Catalog files that cannot be read, told to the user once for each state of the file:
// the same file unchanged is not told again at the next refresh, but one written or cut
// again since (another size or time of change) is, and so is one that was fine between.
// What was told can be kept in a file, so that the next start does not ask again either.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/catalog/ArchiveList.h"

namespace kolvex {

class DamagedCatalogs {
 public:
  // Takes the unreadable entries of a listing of the folder (entries with no header) and
  // returns those not told before in their present state; from now on they count as told.
  // Files that are readable again or gone are forgotten.
  std::vector<ArchiveEntry> untold(const std::vector<ArchiveEntry>& unreadable);

  // What was told, one file a line. load takes what it can read of such a text (nothing
  // of a missing or garbled file: then each damaged file is told once more), save writes
  // it whole or not at all and returns false when the file cannot be written.
  void load(const std::string& file);
  bool save(const std::string& file) const;
  std::string text() const;
  void takeText(const std::string& text);

 private:
  struct State {
    std::int64_t size = -1, changedSec = 0, changedNsec = 0, inode = 0;
    bool operator==(const State&) const = default;
  };
  static State stateOf(const std::string& path);

  std::map<std::string, State> told_;
};

}  // namespace kolvex
