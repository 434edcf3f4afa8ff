#include "core/content/CompanionFile.h"

#include <algorithm>
#include <cstring>

#include "core/persist/TQELFile.h"

namespace kolvex {
namespace {

constexpr char kMark[8] = {'K', 'V', 'X', 'Q', 'F', 'P', '0', '1'};
constexpr std::size_t kHead = 8 + 8 + 16 + 8;
constexpr std::size_t kEntry = 32;
constexpr std::size_t kTrailer = 16;

void put(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint64_t get(std::string_view bytes, std::size_t at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

void putPrint(std::string& out, const Fingerprint& f) {
  put(out, f.low);
  put(out, f.high);
}

Fingerprint getPrint(std::string_view bytes, std::size_t at) {
  return {get(bytes, at), get(bytes, at + 8)};
}

[[noreturn]] void damaged(const std::string& why) {
  throw ECompanionError("The fingerprint file is damaged: " + why);
}

}  // namespace

const FingerprintEntry* CompanionContent::find(std::int64_t record) const {
  auto it = std::lower_bound(entries.begin(), entries.end(), record,
                             [](const FingerprintEntry& e, std::int64_t r) { return e.record < r; });
  return it != entries.end() && it->record == record ? &*it : nullptr;
}

std::string serializeCompanion(const CompanionContent& content) {
  std::string out;
  out.reserve(kHead + content.entries.size() * kEntry + kTrailer);
  out.append(kMark, sizeof kMark);
  put(out, content.identity.size);
  putPrint(out, content.identity.header);
  put(out, content.entries.size());
  for (const FingerprintEntry& e : content.entries) {
    put(out, static_cast<std::uint64_t>(e.record));
    put(out, static_cast<std::uint64_t>(e.size));
    putPrint(out, e.fingerprint);
  }
  putPrint(out, fingerprintOf(out.data(), out.size()));
  return out;
}

CompanionContent parseCompanion(std::string_view bytes) {
  if (bytes.size() < kHead + kTrailer) damaged("it is too short");
  if (std::memcmp(bytes.data(), kMark, sizeof kMark) != 0)
    throw ECompanionError("This is not a fingerprint file of this program, or of a newer version");
  CompanionContent c;
  c.identity.size = get(bytes, 8);
  c.identity.header = getPrint(bytes, 16);
  const std::uint64_t count = get(bytes, 32);
  const std::size_t room = bytes.size() - kHead - kTrailer;
  if (count > room / kEntry || count * kEntry != room)
    damaged("its length does not fit its entry count");
  const std::size_t end = bytes.size() - kTrailer;
  if (getPrint(bytes, end) != fingerprintOf(bytes.data(), end))
    damaged("its check digest does not match its content");
  c.entries.reserve(static_cast<std::size_t>(count));
  std::int64_t previous = -1;
  for (std::size_t at = kHead; at < end; at += kEntry) {
    std::uint64_t record = get(bytes, at), size = get(bytes, at + 8);
    if (record > static_cast<std::uint64_t>(INT64_MAX) || static_cast<std::int64_t>(record) <= previous)
      damaged("its record positions are not in ascending order");
    if (record >= c.identity.size) damaged("a record position lies beyond its catalog");
    if (size > static_cast<std::uint64_t>(INT64_MAX)) damaged("a file size is out of range");
    previous = static_cast<std::int64_t>(record);
    c.entries.push_back({previous, static_cast<std::int64_t>(size), getPrint(bytes, at + 16)});
  }
  return c;
}

std::string companionPathOf(const std::string& catalogPath) {
  const std::size_t n = std::strlen(kCatalogExtension);
  std::string stem = catalogPath;
  if (stem.size() >= n &&
      std::equal(stem.end() - static_cast<std::ptrdiff_t>(n), stem.end(), kCatalogExtension,
                 [](char a, char b) { return (a | 0x20) == b; }))
    stem.resize(stem.size() - n);
  return stem + kCompanionExtension;
}

}  // namespace kolvex
