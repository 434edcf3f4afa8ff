#include "core/persist/CatalogDamage.h"

#include "core/persist/PersistError.h"
#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {
namespace {

std::string linker(std::int64_t holder) {
  return holder == kNoRecord ? "the header" : "the record at " + std::to_string(holder);
}

}  // namespace

void throwDamaged(const std::string& what) {
  throw ECatalogLinkError("The catalog is damaged: " + what);
}

void throwBadLink(std::int64_t link, std::int64_t holder) {
  throwDamaged(linker(holder) + " links to position " + std::to_string(link));
}

void throwWrongKind(std::int64_t pos, bool isDirectory, std::int64_t holder) {
  throwDamaged("the record at " + std::to_string(pos) + " is a " +
               (isDirectory ? "folder" : "file") + ", but " + linker(holder) +
               " links to it as a " + (isDirectory ? "file" : "folder"));
}

void throwWrongCount(std::int64_t folderPos, bool folders, std::int64_t found,
                     std::int64_t counted) {
  const char* what = folders ? " sub-folder(s)" : " file(s)";
  throwDamaged("the folder at " + std::to_string(folderPos) + " holds " + std::to_string(found) +
               what + ", but its counter says " + std::to_string(counted));
}

void throwWrongSubtree(std::int64_t folderPos) {
  throwDamaged("the totals of the folder at " + std::to_string(folderPos) +
               " do not add up to those of its sub-folders");
}

}  // namespace kolvex
