#pragma once
// The order of the search results: the sort keys of the result list and the comparison
// of two hits under a key.
#include <vector>

#include "core/search/TTSearchResultItem.h"

namespace kolvex {

inline constexpr int kHitSortNameAsc = 0;
inline constexpr int kHitSortNameDesc = 1;
inline constexpr int kHitSortSizeAsc = 4;
inline constexpr int kHitSortSizeDesc = 5;
inline constexpr int kHitSortLabelAsc = 6;
inline constexpr int kHitSortLabelDesc = 7;
inline constexpr int kHitSortDateAsc = 8;
inline constexpr int kHitSortDateDesc = 9;
inline constexpr int kHitSortExtAsc = 10;
inline constexpr int kHitSortExtDesc = 11;
inline constexpr int kHitSortNone = 14;

// Negative when a goes before b, positive when after, 0 when equal (and always 0 for
// kHitSortNone or an unknown key).
int CompareHits(const TTSearchResultItem& a, const TTSearchResultItem& b, int key);

// The rows of hits in the order of the key, equal ones in the order they stand: what a
// stable sort under CompareHits gives, with each hit's key made once instead of at every
// comparison (a long result list is sorted in a blink).
std::vector<int> SortedOrder(const std::vector<const TTSearchResultItem*>& hits, int key);

// The key a click on a result column chooses: the column's ascending key, or its
// descending key when the ascending one is current. -1 for a column that has none.
int NextSortKey(int currentKey, int column);

// The column a sort-menu item stands for, by its tag; -1 for another tag.
int ColumnOfSortTag(int tag);

}  // namespace kolvex
