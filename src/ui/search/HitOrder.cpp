#include "ui/search/HitOrder.h"

#include <algorithm>
#include <string_view>

namespace kolvex {
namespace {

unsigned char upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// Ordinal after upper-casing a to z only; a prefix goes first.
int compareNames(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = upper(a[i]), y = upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string_view extensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

int compareBytes(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <class T>
int compareValues(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int ascending(const TTSearchResultItem& a, const TTSearchResultItem& b, int key) {
  switch (key) {
    case kHitSortNameAsc:
      return compareNames(a.Name, b.Name);
    case kHitSortExtAsc:
      return compareNames(extensionOf(a.Name), extensionOf(b.Name));
    case kHitSortLabelAsc:
      return compareBytes(a.CDLabel, b.CDLabel);
    case kHitSortDateAsc:
      return compareValues(a.DateTime, b.DateTime);
    case kHitSortSizeAsc:
      return compareValues(a.Size, b.Size);
    default:
      return 0;
  }
}

}  // namespace

int CompareHits(const TTSearchResultItem& a, const TTSearchResultItem& b, int key) {
  switch (key) {
    case kHitSortNameAsc:
    case kHitSortExtAsc:
    case kHitSortLabelAsc:
    case kHitSortDateAsc:
    case kHitSortSizeAsc:
      return ascending(a, b, key);
    case kHitSortNameDesc:
    case kHitSortExtDesc:
    case kHitSortLabelDesc:
    case kHitSortDateDesc:
    case kHitSortSizeDesc:
      return -ascending(a, b, key - 1);
    default:
      return 0;
  }
}

int NextSortKey(int currentKey, int column) {
  static constexpr int kAscending[] = {kHitSortNameAsc, kHitSortLabelAsc, kHitSortExtAsc, kHitSortDateAsc,
                                       kHitSortSizeAsc};
  if (column < 0 || column >= 5) return -1;
  const int up = kAscending[column];
  return currentKey == up ? up + 1 : up;
}

int ColumnOfSortTag(int tag) {
  switch (tag) {
    case 90302:
      return 0;
    case 90306:
      return 1;
    case 90303:
      return 2;
    case 90304:
      return 3;
    case 90305:
      return 4;
    default:
      return -1;
  }
}

}  // namespace kolvex
