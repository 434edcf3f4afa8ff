#pragma once
// Text conversions of the stream format. Texts are UTF-8 in memory; a text that is not
// valid UTF-8 (a file name made of other bytes) is kept byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvex {

bool isAscii(std::string_view s);
// Appends one code point in UTF-8 (a surrogate keeps its three-byte form).
void appendUtf8(std::string& out, std::uint32_t codePoint);
bool isValidUtf8(std::string_view s);
// A text that can be shown as UTF-8: valid UTF-8 stays as it is; each byte that does not
// belong to a valid sequence becomes U+FFFD (writers that must lose nothing put the exact
// bytes beside it).
std::string readableUtf8(std::string_view s);
// Number of UTF-16 code units of a valid UTF-8 text.
std::size_t utf16Length(std::string_view utf8);
// UTF-8 to UTF-16LE bytes (valid UTF-8 only).
std::string utf8ToUtf16le(std::string_view utf8);
// UTF-16LE bytes to UTF-8; an unpaired surrogate is kept as its own three-byte form,
// so nothing read is lost.
std::string utf16leToUtf8(const std::uint8_t* data, std::size_t units);
// 8-bit text from other writers: Windows-1252 to UTF-8 (ASCII stays as it is).
std::string cp1252ToUtf8(std::string_view bytes);

}  // namespace kolvex
