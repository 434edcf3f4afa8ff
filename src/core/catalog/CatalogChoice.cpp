#include "core/catalog/CatalogChoice.h"

#include <sys/stat.h>

#include <optional>
#include <stdexcept>

#include "core/catalog/ArchiveList.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// Anything of that name: a fifo or a folder is then refused by the reader with its own
// message, not taken for a label.
bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string labelOf(const std::string& path) {
  try {
    return CatalogReader(path).header().CDLabel;
  } catch (const EStreamError& e) {
    throw EStreamError(path + ": " + e.what());
  }
}

}  // namespace

std::vector<CheckedArchive> CatalogsOfFolder(const std::string& dir,
                                             std::vector<std::string>& unreadable) {
  std::vector<CheckedArchive> all;
  for (ArchiveEntry& e : ListArchives(dir)) {
    if (!e.header) {
      unreadable.push_back(e.path + ": " + e.error);
      continue;
    }
    all.push_back({e.header->CDLabel, std::move(e.path), true});
  }
  return all;
}

std::vector<CheckedArchive> CatalogsNamed(const std::string& dir,
                                          const std::vector<std::string>& names,
                                          std::vector<std::string>& unreadable) {
  std::optional<std::vector<CheckedArchive>> all;
  std::vector<CheckedArchive> chosen;
  auto add = [&](CheckedArchive a) {
    for (const CheckedArchive& c : chosen)
      if (c.path == a.path) return;
    chosen.push_back(std::move(a));
  };
  for (const std::string& name : names) {
    if (exists(name)) {
      add({labelOf(name), name, true});
      continue;
    }
    if (name.find('/') == std::string::npos && exists(dir + name)) {
      add({labelOf(dir + name), dir + name, true});
      continue;
    }
    if (!all) all = CatalogsOfFolder(dir, unreadable);
    bool found = false;
    for (const CheckedArchive& a : *all)
      if (a.label == name) {
        add(a);
        found = true;
      }
    if (!found) throw std::invalid_argument("No catalog is named " + name);
  }
  return chosen;
}

}  // namespace kolvex
