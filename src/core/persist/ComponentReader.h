#pragma once
#include "core/persist/Persistent.h"
#include "core/persist/Stream.h"

namespace kolvex {

// Reads one stream from the current position into an existing object. Properties absent
// from the stream keep their values; the class name in the stream is not compared.
void readObject(Stream& in, Persistent& object);

}  // namespace kolvex
