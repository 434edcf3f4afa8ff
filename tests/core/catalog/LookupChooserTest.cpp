// The walk's choice between one-by-one and batched lookups, fed with figures as a disk
// and a cache would give them.
#include <gtest/gtest.h>

#include "core/catalog/LookupChooser.h"

namespace kolvex {
namespace {

using M = LookupChooser::Method;

// Runs `batches` batches of 100 lookups, each costing what cost(method) says per lookup;
// returns how many went batched.
template <typename Cost>
int batchedOf(LookupChooser& c, int batches, Cost cost) {
  int batched = 0;
  for (int i = 0; i < batches; ++i) {
    const M m = c.next(100);
    batched += m == M::Batched;
    c.measured(m, 100, 100 * cost(m));
  }
  return batched;
}

TEST(LookupChooser, TriesBothThenKeepsToTheFasterAndRetriesTheOther) {
  LookupChooser c(true);
  // Both are measured before any choice.
  EXPECT_EQ(c.next(100), M::OneByOne);
  c.measured(M::OneByOne, 100, 100 * 2000);
  EXPECT_EQ(c.next(100), M::Batched);
  c.measured(M::Batched, 100, 100 * 30000);
  // A cached tree: one by one wins, and batches are tried only once in a while.
  const int tried = batchedOf(c, 160, [](M m) { return m == M::Batched ? 30000 : 2000; });
  EXPECT_GE(tried, 160 / LookupChooser::kTryOtherEvery - 1);
  EXPECT_LE(tried, 160 / LookupChooser::kTryOtherEvery + 1);
}

TEST(LookupChooser, FollowsACacheThatTurnsColdAndWarmAgain) {
  LookupChooser c(true);
  batchedOf(c, 40, [](M m) { return m == M::Batched ? 8000 : 1500; });  // warm
  // Cold: one by one waits for the disk every time, a batch overlaps the waits. Within a
  // few tries of the batch the walk keeps to it.
  auto cold = [](M m) { return m == M::Batched ? 20000 : 120000; };
  batchedOf(c, 3 * LookupChooser::kTryOtherEvery, cold);
  EXPECT_GE(batchedOf(c, 64, cold), 64 - 64 / LookupChooser::kTryOtherEvery - 1);
  // Warm again: back to one by one.
  auto warm = [](M m) { return m == M::Batched ? 8000 : 1500; };
  batchedOf(c, 3 * LookupChooser::kTryOtherEvery, warm);
  EXPECT_LE(batchedOf(c, 64, warm), 64 / LookupChooser::kTryOtherEvery + 1);
}

TEST(LookupChooser, SmallBatchesAndAMissingRingGoOneByOne) {
  LookupChooser c(true);
  batchedOf(c, 20, [](M m) { return m == M::Batched ? 1000 : 90000; });
  EXPECT_EQ(c.next(100), M::Batched);
  // A folder of a few entries is not worth a hand-over, nor a measurement.
  EXPECT_EQ(c.next(LookupChooser::kSmall - 1), M::OneByOne);
  c.measured(M::OneByOne, LookupChooser::kSmall - 1, 1);
  EXPECT_EQ(c.next(100), M::Batched);
  // Once the ring has failed it is never chosen again, however fast it measured.
  c.batchedGone();
  EXPECT_EQ(batchedOf(c, 40, [](M m) { return m == M::Batched ? 1000 : 90000; }), 0);
  LookupChooser without(false);
  EXPECT_EQ(batchedOf(without, 40, [](M) { return 1000; }), 0);
}

}  // namespace
}  // namespace kolvex
