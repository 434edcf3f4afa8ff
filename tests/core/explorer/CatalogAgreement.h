#pragma once
// Walks a catalog the three ways the program reads one: as ls lists it (each folder
// along its chains, from the scanned folder down), as the explorer shows it (the tree from
// one pass, then each folder listed) and as the search reads it (every record in file
// order). Whenever all three accept a catalog they must have met the same records, each
// of the same kind and with the same fields. Shared by the fuzzer and by the test that
// replays its corpus.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kolvex::test {

struct SeenRecord {
  std::int64_t pos = 0;
  bool folder = false;
  std::string name, path;
  std::int64_t size = 0;
  double time = 0;
  std::int32_t attribute = 0;
};

struct Walk {
  std::optional<std::string> error;  // the reader's message when it refused the catalog
  std::vector<SeenRecord> records;   // ordered by position
};

Walk walkAsLs(const std::string& bytes);
Walk walkAsExplorer(const std::string& bytes);
Walk walkAsSearch(const std::string& bytes);

// Empty when the three walks agree, or when at least one refused the catalog; otherwise
// the first difference.
std::string disagreement(const std::string& bytes);

}  // namespace kolvex::test
