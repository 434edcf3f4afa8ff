#pragma once
// Decodes one value (code byte and payload) from a stream, by the codes each property
// kind accepts. Lengths are checked against the bytes left before anything is allocated.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/persist/Stream.h"

namespace kolvex {

// The inner message of a failure inside one property; the reader wraps it into
// "Error reading <object>.<path>: <message>".
class EPropertyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void throwInvalidValue();  // "Invalid property value"

class ValueReader {
 public:
  // Reads the code byte of the next value.
  explicit ValueReader(Stream& in) : in_(in), code_(in.takeByte()) {}

  std::uint8_t code() const { return code_; }
  Stream& stream() { return in_; }

  std::int32_t asInteger();    // codes 2, 3, 4
  bool asBoolean();            // codes 8, 9, or 7 naming False / True
  std::int64_t asInt64();      // codes 19, 2, 3, 4
  double asDateTime();         // codes 5, or 2, 3, 4
  std::string asText();        // codes 6, 12, 18, 20
  std::string asBinary();      // code 10: the payload

  // Skips a value of any code (Collection and List nesting limited to a few levels).
  void skip(int depth = 0);

  // Payload readers shared with the raw decoder of the dump; each expects its code.
  std::int64_t intPayload();         // codes 2, 3, 4, 19
  std::string shortStringPayload();  // codes 6, 7: a length byte and the bytes
  std::uint32_t lengthPayload();     // the 4-byte length of codes 10, 12, 18, 20

 private:
  Stream& in_;
  std::uint8_t code_;
};

// Reads a short string (length byte and bytes) from the stream.
std::string readShortString(Stream& in);
std::uint32_t readU32(Stream& in);

}  // namespace kolvex
