#pragma once
// Decodes every stream of a file the program writes, property by property, for
// inspection. Streams of the program's own classes are also read into their objects, so
// a damaged file fails with the same message as in the program.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/persist/Stream.h"

namespace kolvex {

struct DumpValue {
  enum class Type { Null, Integer, Real, Text, Boolean, Lines, Binary };
  std::uint8_t code = 0;
  Type type = Type::Null;
  std::int64_t integer = 0;
  double real = 0.0;
  bool boolean = false;
  std::string text;
  std::vector<std::string> lines;
  std::uint64_t length = 0;  // Binary
};

struct DumpProperty {
  std::string path;
  DumpValue value;
};

struct DumpedStream {
  std::uint64_t offset = 0;
  std::int64_t rp = -1;  // record position, for the records of a catalog; else -1
  std::string className;
  std::string objectName;
  std::vector<DumpProperty> properties;
};

// Calls emit for each stream from the start to the end of the input, which stands at its
// first byte. Throws EStreamError with the reader's message at the first stream that
// cannot be read, and kNotAStream when the input holds no stream at all.
void dumpStreams(Stream& in, const std::function<void(const DumpedStream&)>& emit);

}  // namespace kolvex
