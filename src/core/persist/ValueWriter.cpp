#include "core/persist/ValueWriter.h"

#include <limits>

#include "core/persist/Extended80.h"
#include "core/persist/TextCodec.h"
#include "core/persist/ValueCode.h"

namespace kolvex {
namespace {

// A copy whose length the compiler can bound (a short string's 255 bytes) is otherwise
// inlined as `rep movs`, whose start-up cost is many times that of copying a property
// name; out of line, the length is unknown and the library's memcpy does the copy.
[[gnu::noipa]] void appendBytes(std::string& out, const char* data, std::size_t n) {
  out.append(data, n);
}

}  // namespace

void ValueWriter::u32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ValueWriter::shortString(std::string_view s) {
  if (s.size() > 255) s = s.substr(0, 255);
  byte(static_cast<std::uint8_t>(s.size()));
  appendBytes(out_, s.data(), s.size());
}

void ValueWriter::integer(std::int64_t v) {
  auto put = [&](int bytes) {
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < bytes; ++i) byte(static_cast<std::uint8_t>(u >> (8 * i)));
  };
  if (v >= -128 && v <= 127) {
    byte(vaInt8), put(1);
  } else if (v >= -32768 && v <= 32767) {
    byte(vaInt16), put(2);
  } else if (v >= std::numeric_limits<std::int32_t>::min() &&
             v <= std::numeric_limits<std::int32_t>::max()) {
    byte(vaInt32), put(4);
  } else {
    byte(vaInt64), put(8);
  }
}

void ValueWriter::dateTime(double v) {
  std::uint8_t ext[10];
  doubleToExtended(v, ext);
  byte(vaExtended);
  raw(ext, sizeof ext);
}

void ValueWriter::asciiText(std::string_view s) {
  if (s.size() <= 255) {
    byte(vaString);
    shortString(s);
  } else {
    byte(vaLString);
    u32(static_cast<std::uint32_t>(s.size()));
    raw(s.data(), s.size());
  }
}

void ValueWriter::utf8Text(std::string_view s) {
  byte(vaUTF8String);
  u32(static_cast<std::uint32_t>(s.size()));
  raw(s.data(), s.size());
}

void ValueWriter::text(std::string_view s) {
  if (isAscii(s)) return asciiText(s);
  if (!isValidUtf8(s)) return utf8Text(s);  // raw bytes of a name kept as they are
  std::size_t units = utf16Length(s);
  if (s.size() < 2 * units) return utf8Text(s);
  std::string wide = utf8ToUtf16le(s);
  byte(vaWString);
  u32(static_cast<std::uint32_t>(units));
  raw(wide.data(), wide.size());
}

void ValueWriter::line(std::string_view s) {
  if (isAscii(s))
    asciiText(s);
  else
    utf8Text(s);
}

void ValueWriter::binary(std::string_view payload) {
  byte(vaBinary);
  u32(static_cast<std::uint32_t>(payload.size()));
  raw(payload.data(), payload.size());
}

}  // namespace kolvex
