// Replays the fuzzer's corpus (and the inputs that once crashed it) through every reader.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/ExerciseReaders.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

TEST(FuzzCorpus, EveryKeptInputIsReadOrRefusedCleanly) {
  const char* data = std::getenv("KOLVEX_TEST_DATA");
  ASSERT_NE(data, nullptr);
  std::string dir = std::string(data) + "/fuzz/catalog/";
  auto names = test::listDir(dir);
  ASSERT_GT(names.size(), 10u) << "the corpus in " << dir << " is missing";
  for (const auto& name : names) {
    std::string bytes = test::readFile(dir + name);
    SCOPED_TRACE(name);
    test::exerciseReaders(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
}

}  // namespace
}  // namespace kolvex
