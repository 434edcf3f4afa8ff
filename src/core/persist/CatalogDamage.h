#pragma once
// The messages for a catalog that contradicts itself. A reader checks everything the
// file can tell about itself (links, the kind of each record, the counters of each
// folder, the header's totals), so a damaged catalog is reported as damaged instead of
// being shown as a shorter truth. Each throws ECatalogLinkError.
#include <cstdint>
#include <string>

namespace kolvex {

// A link that breaks the tree's rules; holder is kNoRecord for the header.
[[noreturn]] void throwBadLink(std::int64_t link, std::int64_t holder);

// A record whose kind does not fit the chain that reached it: a file linked as a folder
// (isDirectory false) or a folder linked as a file. holder is kNoRecord for the header.
[[noreturn]] void throwWrongKind(std::int64_t pos, bool isDirectory, std::int64_t holder);

// A folder whose chain of sub-folders (or files) holds another number of entries than its
// counter says.
[[noreturn]] void throwWrongCount(std::int64_t folderPos, bool folders, std::int64_t found,
                                  std::int64_t counted);

// A folder whose totals for its whole subtree (FilesUnderMe, DirsUnderMe) do not add up.
[[noreturn]] void throwWrongSubtree(std::int64_t folderPos);

// Anything else the header says that the records contradict; what completes the sentence
// "The catalog is damaged: ".
[[noreturn]] void throwDamaged(const std::string& what);

}  // namespace kolvex
