#include "ui/search/HitOrder.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

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

// The upper-cased name, or its extension: byte order of these is the order of compareNames
// (the standard's comparison of char strings is by unsigned bytes, a prefix first).
std::string upperKey(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(upper(static_cast<unsigned char>(c)));
  return out;
}

// Each key sits beside its row, so the sort reads memory in a row rather than jumping.
template <class K>
std::vector<int> orderBy(std::vector<K> keys, bool descending) {
  std::vector<std::pair<K, int>> keyed;
  keyed.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keyed.emplace_back(std::move(keys[i]), static_cast<int>(i));
  keys = {};
  if (descending)
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
  else
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int> order;
  order.reserve(keyed.size());
  for (const auto& k : keyed) order.push_back(k.second);
  return order;
}

// The catalog labels as ranks: a result holds few labels, each on many rows in a row.
std::vector<int> labelRanks(const std::vector<const TTSearchResultItem*>& hits) {
  std::unordered_map<std::string_view, int> ids;
  std::vector<std::string_view> distinct;
  std::vector<int> keys;
  keys.reserve(hits.size());
  for (const TTSearchResultItem* h : hits) {
    const auto [at, added] = ids.try_emplace(h->CDLabel, static_cast<int>(distinct.size()));
    if (added) distinct.push_back(h->CDLabel);
    keys.push_back(at->second);
  }
  std::vector<int> byLabel(distinct.size());
  for (std::size_t i = 0; i < byLabel.size(); ++i) byLabel[i] = static_cast<int>(i);
  std::sort(byLabel.begin(), byLabel.end(), [&](int a, int b) { return distinct[a] < distinct[b]; });
  std::vector<int> rank(distinct.size());
  for (std::size_t r = 0; r < byLabel.size(); ++r) rank[byLabel[r]] = static_cast<int>(r);
  for (int& k : keys) k = rank[k];
  return keys;
}

template <class F>
auto keysOf(const std::vector<const TTSearchResultItem*>& hits, F key) {
  std::vector<decltype(key(*hits.front()))> keys;
  keys.reserve(hits.size());
  for (const TTSearchResultItem* h : hits) keys.push_back(key(*h));
  return keys;
}

}  // namespace

std::vector<int> SortedOrder(const std::vector<const TTSearchResultItem*>& hits, int key) {
  const bool descending = key % 2 == 1;
  switch (key & ~1) {
    case kHitSortNameAsc:
      return orderBy(keysOf(hits, [](const TTSearchResultItem& h) { return upperKey(h.Name); }),
                     descending);
    case kHitSortExtAsc:
      return orderBy(keysOf(hits, [](const TTSearchResultItem& h) { return upperKey(extensionOf(h.Name)); }),
                     descending);
    case kHitSortLabelAsc:
      return orderBy(labelRanks(hits), descending);
    case kHitSortDateAsc:
      return orderBy(keysOf(hits, [](const TTSearchResultItem& h) { return h.DateTime; }), descending);
    case kHitSortSizeAsc:
      return orderBy(keysOf(hits, [](const TTSearchResultItem& h) { return h.Size; }), descending);
    default:
      break;
  }
  // No order (or nothing to order): the rows as they stand.
  std::vector<int> order(hits.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  return order;
}

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
