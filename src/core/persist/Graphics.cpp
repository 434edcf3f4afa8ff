#include "core/persist/Graphics.h"

#include "core/persist/PersistError.h"
#include "core/persist/ValueReader.h"
#include "core/persist/ValueWriter.h"

namespace kolvex {
namespace {

std::string withLength(const std::string& bytes) {
  std::string out;
  ValueWriter w(out);
  w.u32(static_cast<std::uint32_t>(bytes.size()));
  out += bytes;
  return out;
}

// The data behind a 4-byte length prefix; the length must fit the payload.
std::string afterLength(std::string&& payload) {
  if (payload.size() < 4) throw EPropertyError(msg::kStreamReadError);
  MemoryStream s(std::move(payload));
  std::uint32_t n = readU32(s);
  if (n > s.remaining()) throw EPropertyError(msg::kStreamReadError);
  std::string out;
  s.readAppend(out, n);
  return out;
}

}  // namespace

void TGraphic::writeExtra(ValueWriter& out) const { out.binary(payload()); }

void TGraphic::readExtra(ValueReader& in) { loadPayload(in.asBinary()); }

void TIcon::loadPayload(std::string&& payload) {
  // The icon file header: reserved word, then the type word, which must be 0 or 1.
  if (!payload.empty()) {
    if (payload.size() < 6) throw EPropertyError(msg::kIconNotValid);
    unsigned type = static_cast<std::uint8_t>(payload[2]) |
                    (static_cast<std::uint8_t>(payload[3]) << 8);
    if (type != 0 && type != 1) throw EPropertyError(msg::kIconNotValid);
  }
  bytes_ = std::move(payload);
}

std::string TJPEGImage::payload() const { return withLength(bytes_); }

void TJPEGImage::loadPayload(std::string&& payload) { bytes_ = afterLength(std::move(payload)); }

std::string TBitmap::payload() const { return withLength(bytes_); }

void TBitmap::loadPayload(std::string&& payload) {
  std::string data = afterLength(std::move(payload));
  if (!data.empty() && (data.size() < 2 || data[0] != 'B' || data[1] != 'M'))
    throw EPropertyError(msg::kBitmapNotValid);
  bytes_ = std::move(data);
}

}  // namespace kolvex
