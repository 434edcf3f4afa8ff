#pragma once
#include <string>

#include "core/persist/Persistent.h"
#include "core/persist/Stream.h"

namespace kolvex {

// The complete stream of one object: signature, class name, object name, properties in
// table order by the writing rules, end of properties, end of children.
std::string encodeObject(const Persistent& object);
// The same, appended to out.
void encodeObject(const Persistent& object, std::string& out);

// Appends the object's stream at the stream's position and leaves the position after it.
void writeObject(Stream& out, const Persistent& object);

}  // namespace kolvex
