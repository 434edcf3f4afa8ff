#pragma once
// Chooses, batch by batch, between looking a folder's entries up one after the other and
// handing them to the kernel as one batch, from what each cost lately per lookup. Cached
// lookups answer in a microsecond or two and a batch's hand-over loses to them; on a cold
// disk the batch keeps many requests outstanding and wins. Which one wins depends on the
// machine, the medium and the cache, and it changes as the walk goes, so the method not
// in use is tried again now and then.
#include <cstddef>
#include <cstdint>

namespace kolvex {

class LookupChooser {
 public:
  enum Method { OneByOne = 0, Batched = 1 };
  static constexpr int kTryOtherEvery = 32;  // batches between tries of the other method
  static constexpr double kBatchedMargin = 0.75;  // batched wins below this share
  static constexpr std::size_t kSmall = 4;   // fewer lookups: one by one, not measured

  explicit LookupChooser(bool batchedAvailable) : batchedAvailable_(batchedAvailable) {}

  // The method for the next batch of that many lookups.
  Method next(std::size_t lookups);
  // What a batch of that many lookups took with method m.
  void measured(Method m, std::size_t lookups, std::int64_t nanoseconds);
  // Batches can no longer be handed over (the kernel failed them): one by one from now on.
  void batchedGone() { batchedAvailable_ = false; }

 private:
  double cost_[2] = {-1, -1};  // nanoseconds per lookup, smoothed; below 0 when unknown
  int sinceTry_ = 0;
  bool trying_ = false;  // the last batch handed out tried the method not in use
  bool batchedAvailable_;
};

}  // namespace kolvex
