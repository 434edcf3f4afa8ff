#pragma once
// Walks one stream item by item and hands every property to a visitor, which decodes
// the value. The object reader and the dump share it.
#include <string>
#include <string_view>

#include "core/persist/Stream.h"
#include "core/persist/ValueReader.h"

namespace kolvex {

class StreamVisitor {
 public:
  virtual ~StreamVisitor() = default;
  virtual void begin(std::string_view className, std::string_view objectName) = 0;
  // Must consume the value. An EPropertyError becomes
  // "Error reading <errorName()>.<path>: <message>".
  virtual void property(std::string_view path, ValueReader& value) = 0;
  virtual std::string errorName() const = 0;
};

// Reads one complete stream from the current position and leaves the position exactly
// after its last byte. Throws EStreamError ("Invalid stream format", "Stream read error")
// or EReadError for a failure inside a property.
void parseStream(Stream& in, StreamVisitor& visitor);

}  // namespace kolvex
