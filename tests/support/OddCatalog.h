#pragma once
// A generated catalog tree whose names try every way a name can break an output format:
// separators and quotes of CSV, line breaks, HTML markup and entities, backslashes,
// leading signs, letters outside ASCII and bytes that are not UTF-8.
#include <cstdint>
#include <string>
#include <vector>

#include "core/report/FileKind.h"
#include "support/CatalogCraft.h"

namespace kolvex::test {

// The odd names, each used for files and folders of the tree.
const std::vector<std::string>& oddNames();

// A tree of about `files` files in nested folders, with sizes, time stamps and attributes
// that vary (some files of size 0, some hidden or read-only, one undated), names drawn
// from oddNames() and plain names with common extensions. The same seed gives the same tree.
Entry oddTree(int files, std::uint32_t seed = 1);

// Kinds by a fixed table, so tests do not depend on the machine's MIME database.
class TableKinds final : public FileKindClassifier {
 public:
  FileKind kindOfExtension(const std::string& ext) override;
  int asked = 0;
};

}  // namespace kolvex::test
