#pragma once
#include <cstddef>
#include <cstdint>

namespace kolvex::test {

// Runs every reader of the program's files over the bytes: as a catalog (header, tree
// with files, every record in file order), as a stream of each persisted class, and
// through the dump. Errors of the readers are expected and swallowed; anything else
// (a crash, a sanitizer report, another exception) is a fault. Shared by the fuzzer and
// by the test that replays its corpus.
void exerciseReaders(const std::uint8_t* data, std::size_t size);

}  // namespace kolvex::test
