// libFuzzer entry point for every reader of the program's files.
#include <cstddef>
#include <cstdint>

#include "support/ExerciseReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kolvex::test::exerciseReaders(data, size);
  return 0;
}
