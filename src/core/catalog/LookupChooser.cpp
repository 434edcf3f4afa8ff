#include "core/catalog/LookupChooser.h"

namespace kolvex {

LookupChooser::Method LookupChooser::next(std::size_t lookups) {
  if (!batchedAvailable_ || lookups < kSmall) return OneByOne;
  if (cost_[OneByOne] < 0) return OneByOne;
  if (cost_[Batched] < 0) return Batched;
  // A batch must win clearly: its kernel workers also cost the cores time that its own
  // figure does not show.
  const Method best = cost_[Batched] < kBatchedMargin * cost_[OneByOne] ? Batched : OneByOne;
  trying_ = ++sinceTry_ >= kTryOtherEvery;
  if (!trying_) return best;
  sinceTry_ = 0;
  return best == Batched ? OneByOne : Batched;
}

void LookupChooser::measured(Method m, std::size_t lookups, std::int64_t nanoseconds) {
  if (lookups < kSmall) return;
  const double perLookup = static_cast<double>(nanoseconds) / static_cast<double>(lookups);
  double& cost = cost_[m];
  // A quarter of the newest figure: one odd folder moves the choice little, a cache that
  // turned cold moves it within a few batches. A try of the method not in use replaces
  // its figure, which is old by then.
  const bool fresh = cost < 0 || trying_;
  trying_ = false;
  cost = fresh ? perLookup : cost + (perLookup - cost) / 4;
}

}  // namespace kolvex
