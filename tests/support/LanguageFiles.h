#pragma once
// The program's own language files in the source tree, for tests that read their texts.
#include <cstdlib>
#include <string>

namespace kolvex::test {

// The folder of English.ini and German.ini, with its trailing '/'.
inline std::string languageFilesDir() {
  const char* data = std::getenv("KOLVEX_TEST_DATA");
  return std::string(data ? data : "data") + "/../../assets/Languages/";
}

}  // namespace kolvex::test
