#pragma once
// Encodes values by the writing rules of the stream format into a byte buffer.
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvex {

class ValueWriter {
 public:
  explicit ValueWriter(std::string& out) : out_(out) {}

  void byte(std::uint8_t b) { out_ += static_cast<char>(b); }
  void raw(const void* data, std::size_t n) { out_.append(static_cast<const char*>(data), n); }
  void u32(std::uint32_t v);
  // A short string: a length byte and at most 255 bytes (longer texts are cut).
  void shortString(std::string_view s);

  // Smallest of Int8, Int16, Int32 that holds v (Int64 beyond the 32-bit range).
  void integer(std::int64_t v);
  void boolean(bool v) { byte(v ? 9 : 8); }
  void dateTime(double v);
  // The text rule: ShortString / LongString for ASCII, Utf8String or WideString else;
  // a text that is not valid UTF-8 is written byte for byte as Utf8String.
  void text(std::string_view s);
  // A string-list line: the text rule without its WideString branch.
  void line(std::string_view s);
  void binary(std::string_view payload);

 private:
  void asciiText(std::string_view s);
  void utf8Text(std::string_view s);
  std::string& out_;
};

}  // namespace kolvex
