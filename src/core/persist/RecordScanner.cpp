#include "core/persist/RecordScanner.h"

#include <array>
#include <cstring>

#include "core/persist/ComponentReader.h"
#include "core/persist/Extended80.h"
#include "core/persist/TextCodec.h"
#include "core/persist/ValueCode.h"

namespace kolvex {
namespace {

// The properties of a file record in stream order, as this program spells them.
enum Field {
  fFileName, fFilePath, fIconSmall, fIconLarge, fCreateDateTime, fAttribute, fPEVersion,
  fPECopyright, fPEDescription, fBrotherRP, fChildFileRP, fChildDirRP, fFileSize,
  fFilesUnderMe, fDirsUnderMe, fFilesOnlyUM, fDirsOnlyUM, kFields
};

constexpr std::string_view kNames[kFields] = {
    "FileName", "FilePath", "EXEIconSmall.Data", "EXEIconLarge.Data", "CreateDateTime",
    "Attribute", "PEVersion", "PECopyright", "PEDescription", "BrotherRP", "ChildFileRP",
    "ChildDirRP", "FileSize", "FilesUnderMe", "DirsUnderMe", "FilesOnlyUM", "DirsOnlyUM"};

// Every name is 8 to 17 bytes long: two 8-byte loads, its first and its last eight
// bytes, settle names of up to 16 bytes without a call; the icon paths (17) also memcmp.
struct NameKey {
  std::size_t size;
  std::uint64_t head, tail;
};

std::uint64_t load8(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

NameKey keyOf(std::string_view n) { return {n.size(), load8(n.data()), load8(n.data() + n.size() - 8)}; }

const NameKey* nameKeys() {
  static const auto keys = [] {
    std::array<NameKey, kFields> k{};
    for (int i = 0; i < kFields; ++i) k[i] = keyOf(kNames[i]);
    return k;
  }();
  return keys.data();
}

int findField(std::string_view name, int hint) {
  if (name.size() < 8) return -1;
  const NameKey* keys = nameKeys();
  std::uint64_t head = load8(name.data()), tail = load8(name.data() + name.size() - 8);
  for (int i = 0; i < kFields; ++i) {
    int k = hint + i < kFields ? hint + i : hint + i - kFields;
    const NameKey& key = keys[k];
    if (key.size == name.size() && key.head == head && key.tail == tail &&
        (name.size() <= 16 ? true : std::memcmp(name.data(), kNames[k].data(), name.size()) == 0))
      return k;
  }
  return -1;
}

std::int64_t littleEndian(const std::uint8_t* p, int bytes) {
  std::uint64_t u = 0;
  for (int i = bytes - 1; i >= 0; --i) u = (u << 8) | p[i];
  int unused = 64 - 8 * bytes;
  return static_cast<std::int64_t>(u << unused) >> unused;
}

std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(littleEndian(p, 4)) & 0xFFFFFFFFu;
}

bool ascii(const std::uint8_t* p, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] >= 0x80) return false;
  return true;
}

}  // namespace

std::size_t RecordScanner::decode(const std::uint8_t* start, std::size_t avail) {
  const std::uint8_t* p = start;
  const std::uint8_t* end = start + avail;
  incomplete_ = false;
  auto need = [&](std::size_t n) {
    if (static_cast<std::size_t>(end - p) >= n) return true;
    incomplete_ = true;
    return false;
  };
  if (!need(6) || std::memcmp(p, kSignature, 4) != 0) return 0;
  p += 4;
  if (*p >= 0xF0) return 0;  // a flag byte
  for (int name = 0; name < 2; ++name) {  // class name (not compared), object name
    if (!need(1) || !need(1u + *p)) return 0;
    p += 1 + *p;
  }
  view_ = RecordView{};
  int hint = 0;
  while (true) {
    if (!need(1)) return 0;
    std::uint8_t n = *p++;
    if (n == 0) break;
    if (!need(n + 1u)) return 0;
    int f = findField({reinterpret_cast<const char*>(p), n}, hint);
    if (f < 0) return 0;
    hint = f + 1;
    p += n;
    std::uint8_t code = *p++;
    switch (f) {
      case fFileName: case fFilePath: case fPEVersion: case fPECopyright: case fPEDescription: {
        std::size_t len;
        if (code == vaString) {
          if (!need(1)) return 0;
          len = *p++;
        } else if (code == vaUTF8String || code == vaLString || code == vaWString) {
          if (!need(4)) return 0;
          len = u32(p);
          p += 4;
          if (code == vaWString) len *= 2;
        } else {
          return 0;
        }
        if (!need(len)) return 0;
        std::string_view text(reinterpret_cast<const char*>(p), len);
        if (f == fFileName || f == fFilePath) {
          // Texts in other forms than UTF-8 are converted into a buffer of the scanner.
          std::string& buf = f == fFileName ? nameBuf_ : pathBuf_;
          if (code == vaWString) {
            buf = utf16leToUtf8(p, len / 2);
            text = buf;
          } else if (code != vaUTF8String && !ascii(p, len)) {
            buf = cp1252ToUtf8(text);
            text = buf;
          }
          (f == fFileName ? view_.FileName : view_.FilePath) = text;
        }
        p += len;
        break;
      }
      case fIconSmall: case fIconLarge: {
        if (code != vaBinary || !need(4)) return 0;
        std::size_t len = u32(p);
        p += 4;
        if (!need(len)) return 0;
        // An icon's type word must be 0 or 1; the general reader says so when it is not.
        if (len > 0 && (len < 6 || p[3] != 0 || p[2] > 1)) return 0;
        p += len;
        break;
      }
      case fCreateDateTime:
        if (code == vaExtended) {
          if (!need(10) || !extendedToDouble(p, view_.CreateDateTime)) return 0;
          p += 10;
          break;
        }
        [[fallthrough]];
      default: {
        int bytes = code == vaInt8 ? 1 : code == vaInt16 ? 2 : code == vaInt32 ? 4 : code == vaInt64 ? 8 : 0;
        bool wide = f == fBrotherRP || f == fChildFileRP || f == fChildDirRP || f == fFileSize;
        if (bytes == 0 || (bytes == 8 && !wide) || !need(static_cast<std::size_t>(bytes))) return 0;
        std::int64_t v = littleEndian(p, bytes);
        p += bytes;
        switch (f) {
          case fCreateDateTime: view_.CreateDateTime = static_cast<double>(v); break;
          case fAttribute: view_.Attribute = static_cast<std::int32_t>(v); break;
          case fBrotherRP: view_.BrotherRP = v; break;
          case fChildFileRP: view_.ChildFileRP = v; break;
          case fChildDirRP: view_.ChildDirRP = v; break;
          case fFileSize: view_.FileSize = v; break;
          case fFilesUnderMe: view_.FilesUnderMe = static_cast<std::int32_t>(v); break;
          case fDirsUnderMe: view_.DirsUnderMe = static_cast<std::int32_t>(v); break;
          case fFilesOnlyUM: view_.FilesOnlyUM = static_cast<std::int32_t>(v); break;
          default: view_.DirsOnlyUM = static_cast<std::int32_t>(v); break;
        }
      }
    }
  }
  if (!need(1) || *p++ != vaNull) return 0;  // children: none
  return static_cast<std::size_t>(p - start);
}

void RecordScanner::decodeSlowly() {
  ++slow_;
  record_.clear();
  readObject(in_, record_);
  const TSCFileObjectInfo& r = record_;
  view_.FileName = r.FileName;
  view_.FilePath = r.FilePath;
  view_.CreateDateTime = r.CreateDateTime;
  view_.Attribute = r.Attribute;
  view_.BrotherRP = r.BrotherRP;
  view_.ChildFileRP = r.ChildFileRP;
  view_.ChildDirRP = r.ChildDirRP;
  view_.FileSize = r.FileSize;
  view_.FilesUnderMe = r.FilesUnderMe;
  view_.DirsUnderMe = r.DirsUnderMe;
  view_.FilesOnlyUM = r.FilesOnlyUM;
  view_.DirsOnlyUM = r.DirsOnlyUM;
}

const RecordView& RecordScanner::next() {
  // A usual record is a few hundred bytes; one with icons may need a larger window.
  for (std::size_t want = 4096;; want *= 4) {
    std::size_t avail;
    const std::uint8_t* p = in_.window(want, avail);
    if (std::size_t used = decode(p, avail)) {
      in_.skip(used);
      return view_;
    }
    // Only a record cut off by the window's end is worth a larger window.
    if (!incomplete_ || avail < want || want >= (std::size_t{1} << 22)) break;
  }
  decodeSlowly();
  return view_;
}

}  // namespace kolvex
