#pragma once
#include <memory>

namespace kolvex {

// Empties a sub-object before a record is reused. A sub-object that another record
// shares (a copied header, a snapshot) is left to that record and replaced by a new one.
template <class T>
void resetShared(std::shared_ptr<T>& sub) {
  if (sub && sub.use_count() == 1)
    sub->clear();
  else
    sub = std::make_shared<T>();
}

}  // namespace kolvex
