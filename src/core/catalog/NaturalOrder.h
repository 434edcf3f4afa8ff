#pragma once
// The order in which people expect names: letters without regard to case, runs of digits
// by their value ("disc 9" before "disc 10"). Names are UTF-8 or raw bytes; case is
// folded for ASCII and for the Latin-1 letters, everything else compares by its bytes.
#include <string_view>

namespace kolvex {

// Negative when a comes first, positive when b does, 0 only for identical texts: names
// that differ in case or in leading zeros alone still get a fixed order (the byte order),
// so a sort by this is the same wherever it runs.
int NaturalCompare(std::string_view a, std::string_view b);

inline bool NaturalLess(std::string_view a, std::string_view b) { return NaturalCompare(a, b) < 0; }

}  // namespace kolvex
