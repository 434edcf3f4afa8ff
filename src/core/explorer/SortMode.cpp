#include "core/explorer/SortMode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace kolvex {

namespace {

unsigned char upper(char c) {
  auto u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - ('a' - 'A')) : u;
}

// Byte order of the upper-cased texts, a text before a longer one that begins with it.
int compareUpper(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = upper(a[i]), y = upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string_view extensionOf(std::string_view name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

template <class T>
int compareNumbers(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Time stamps from elsewhere may be NaN, which compares false with everything and would
// break the sort; NaN counts as equal to NaN and later than any number.
int compareTimes(double a, double b) {
  bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? 1 : -1);
  return compareNumbers(a, b);
}

int compareKeys(const TTFileObjectInfo& a, const TTFileObjectInfo& b, SortModeValue mode) {
  switch (mode & ~1) {
    case kSortSizeAsc:
      return compareNumbers(a.FileSize, b.FileSize);
    case kSortDateAsc:
      return compareTimes(a.CreateDateTime, b.CreateDateTime);
    case kSortKindAsc:
      return compareUpper(extensionOf(a.FileName), extensionOf(b.FileName));
    default:
      return compareUpper(a.FileName, b.FileName);
  }
}

// A sort key, or its first sixteen bytes, as two numbers compared high part first.
struct PrimaryKey {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

// Eight bytes of the upper-cased text from position from, big-endian, zero-padded:
// ordered as compareUpper orders the texts whenever the keys differ.
std::uint64_t prefixPart(std::string_view text, std::size_t from) {
  std::uint64_t k = 0;
  for (std::size_t i = from; i < from + 8; ++i)
    k = (k << 8) | (i < text.size() ? upper(text[i]) : 0u);
  return k;
}

PrimaryKey prefixKey(std::string_view text) { return {prefixPart(text, 0), prefixPart(text, 8)}; }

// A time stamp as an unsigned number in the order of compareTimes: -0 equals 0, NaN last.
std::uint64_t timeKey(double t) {
  if (std::isnan(t)) return ~std::uint64_t{0};
  if (t == 0.0) t = 0.0;
  std::uint64_t bits;
  std::memcpy(&bits, &t, sizeof bits);
  return (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
}

// The mode's key, or a prefix of it, in the same order (ascending).
PrimaryKey primaryKey(const TTFileObjectInfo& r, SortModeValue mode) {
  switch (mode & ~1) {
    case kSortSizeAsc:
      return {static_cast<std::uint64_t>(r.FileSize) ^ (std::uint64_t{1} << 63), 0};
    case kSortDateAsc:
      return {timeKey(r.CreateDateTime), 0};
    case kSortKindAsc:
      return prefixKey(extensionOf(r.FileName));
    default:
      return prefixKey(r.FileName);
  }
}

}  // namespace

SortModeValue SortModeAfterColumnClick(int column, SortModeValue mode) {
  static constexpr SortModeValue ascending[kColumnCount] = {kSortNameAsc, kSortKindAsc,
                                                            kSortDateAsc, kSortSizeAsc};
  if (column < 0 || column >= kColumnCount) return mode;
  SortModeValue asc = ascending[column];
  return mode == asc ? static_cast<SortModeValue>(asc + 1) : asc;
}

int ColumnOfSortMenuTag(int tag) {
  int column = tag - 90302;
  return column >= 0 && column < kColumnCount ? column : -1;
}

bool EntryBefore(const FolderEntry& a, const FolderEntry& b, SortModeValue mode) {
  bool fa = a.isFolder(), fb = b.isFolder();
  if (fa != fb) return fa;
  int c = compareKeys(a.record, b.record, mode);
  if (mode & 1) c = -c;
  if (c == 0) c = compareUpper(a.record.FileName, b.record.FileName);
  if (c == 0) c = a.record.FileName.compare(b.record.FileName);
  if (c == 0) c = compareNumbers(a.position, b.position);
  return c < 0;
}

void SortEntries(std::vector<FolderEntry>& entries, SortModeValue mode) {
  // Each entry gets a compact key that orders as the mode's key does (a name by its first
  // sixteen bytes), so most comparisons touch neither the records nor their names; equal
  // keys are decided by EntryBefore. Each entry is then moved once.
  struct Key {
    bool file;
    PrimaryKey primary;
    std::uint32_t index;
  };
  std::vector<Key> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PrimaryKey k = primaryKey(entries[i].record, mode);
    if (mode & 1) k = {~k.high, ~k.low};
    keys[i] = {!entries[i].isFolder(), k, static_cast<std::uint32_t>(i)};
  }
  std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    if (a.file != b.file) return b.file;
    if (a.primary.high != b.primary.high) return a.primary.high < b.primary.high;
    if (a.primary.low != b.primary.low) return a.primary.low < b.primary.low;
    return EntryBefore(entries[a.index], entries[b.index], mode);
  });
  std::vector<FolderEntry> sorted;
  sorted.reserve(entries.size());
  for (const Key& k : keys) sorted.push_back(std::move(entries[k.index]));
  entries = std::move(sorted);
}

}  // namespace kolvex
