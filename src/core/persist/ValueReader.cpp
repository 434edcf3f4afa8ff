#include "core/persist/ValueReader.h"

#include <cstring>
#include <strings.h>

#include "core/persist/Extended80.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"
#include "core/persist/ValueCode.h"

namespace kolvex {

void throwInvalidValue() { throw EPropertyError(msg::kInvalidPropertyValue); }

std::uint32_t readU32(Stream& in) {
  const std::uint8_t* p = in.take(4);
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::string readShortString(Stream& in) {
  std::uint8_t n = in.takeByte();
  const std::uint8_t* p = in.take(n);
  return std::string(reinterpret_cast<const char*>(p), n);
}

std::int64_t ValueReader::intPayload() {
  int bytes = code_ == vaInt8 ? 1 : code_ == vaInt16 ? 2 : code_ == vaInt32 ? 4 : 8;
  const std::uint8_t* p = in_.take(static_cast<std::size_t>(bytes));
  std::uint64_t u = 0;
  for (int i = bytes - 1; i >= 0; --i) u = (u << 8) | p[i];
  // Sign-extend from the payload's width.
  int unused = 64 - 8 * bytes;
  return static_cast<std::int64_t>(u << unused) >> unused;
}

std::string ValueReader::shortStringPayload() { return readShortString(in_); }
std::uint32_t ValueReader::lengthPayload() { return readU32(in_); }

std::int32_t ValueReader::asInteger() {
  if (code_ != vaInt8 && code_ != vaInt16 && code_ != vaInt32) throwInvalidValue();
  return static_cast<std::int32_t>(intPayload());
}

bool ValueReader::asBoolean() {
  if (code_ == vaTrue) return true;
  if (code_ == vaFalse) return false;
  if (code_ == vaIdent) {
    std::string id = shortStringPayload();
    if (strcasecmp(id.c_str(), "True") == 0 && id.size() == 4) return true;
    if (strcasecmp(id.c_str(), "False") == 0 && id.size() == 5) return false;
  }
  throwInvalidValue();
}

std::int64_t ValueReader::asInt64() {
  if (code_ != vaInt8 && code_ != vaInt16 && code_ != vaInt32 && code_ != vaInt64)
    throwInvalidValue();
  return intPayload();
}

double ValueReader::asDateTime() {
  if (code_ == vaExtended) {
    double v;
    if (!extendedToDouble(in_.take(10), v)) throwInvalidValue();
    return v;
  }
  if (code_ == vaInt8 || code_ == vaInt16 || code_ == vaInt32)
    return static_cast<double>(intPayload());
  throwInvalidValue();
}

std::string ValueReader::asText() {
  std::string out;
  switch (code_) {
    case vaString:
      return cp1252ToUtf8(shortStringPayload());
    case vaLString:
      in_.readAppend(out, lengthPayload());
      return isAscii(out) ? out : cp1252ToUtf8(out);
    case vaUTF8String:
      in_.readAppend(out, lengthPayload());
      return out;
    case vaWString: {
      std::uint64_t units = lengthPayload();
      in_.readAppend(out, units * 2);
      return utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(out.data()), units);
    }
    default:
      throwInvalidValue();
  }
}

std::string ValueReader::asBinary() {
  if (code_ != vaBinary) throwInvalidValue();
  std::string out;
  in_.readAppend(out, lengthPayload());
  return out;
}

void ValueReader::skip(int depth) {
  auto skipBytes = [&](std::uint64_t n) {
    if (n > in_.remaining()) throwReadError();
    in_.seek(in_.position() + n);
  };
  if (depth > 16) throwInvalidFormat();
  switch (code_) {
    case vaNull: case vaFalse: case vaTrue: case vaNil:
      return;
    case vaInt8: case vaInt16: case vaInt32: case vaInt64:
      intPayload();
      return;
    case vaExtended: skipBytes(10); return;
    case vaSingle: skipBytes(4); return;
    case vaCurrency: case vaDate: skipBytes(8); return;
    case vaString: case vaIdent: skipBytes(in_.takeByte()); return;
    case vaBinary: case vaLString: case vaUTF8String: skipBytes(lengthPayload()); return;
    case vaWString: skipBytes(std::uint64_t{lengthPayload()} * 2); return;
    case vaSet:
      while (std::uint8_t n = in_.takeByte()) skipBytes(n);
      return;
    case vaList:
      while (in_.peekByte() != vaNull) ValueReader(in_).skip(depth + 1);
      in_.takeByte();
      return;
    case vaCollection:
      while (in_.peekByte() != vaNull) {
        std::uint8_t c = in_.peekByte();
        if (c == vaInt8 || c == vaInt16 || c == vaInt32) ValueReader(in_).intPayload();
        if (in_.takeByte() != vaList) throwInvalidFormat();
        while (in_.peekByte() != vaNull) {
          skipBytes(in_.takeByte());  // property name
          ValueReader(in_).skip(depth + 1);
        }
        in_.takeByte();
      }
      in_.takeByte();
      return;
    default:
      throwInvalidFormat();
  }
}

}  // namespace kolvex
