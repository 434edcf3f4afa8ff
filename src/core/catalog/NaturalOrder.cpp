#include "core/catalog/NaturalOrder.h"

#include <cstddef>

namespace kolvex {
namespace {

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// One character of a name for comparison: ASCII letters lower-cased; the Latin-1 capitals
// À to Þ (except ×), which UTF-8 writes as C3 80..9E, taken as their small letters
// (C3 A0..BE). Returns the code to compare and advances past it.
unsigned folded(std::string_view s, std::size_t& i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c >= 'A' && c <= 'Z') {
    ++i;
    return c + 32u;
  }
  if (c == 0xC3 && i + 1 < s.size()) {
    auto next = static_cast<unsigned char>(s[i + 1]);
    if (next >= 0x80 && next <= 0x9E && next != 0x97) next = static_cast<unsigned char>(next + 0x20);
    i += 2;
    return 0xC300u | next;
  }
  ++i;
  // Other bytes of multi-byte characters keep their order after every ASCII character.
  return c >= 0x80 ? (static_cast<unsigned>(c) << 8) : c;
}

// The run of digits starting at i, without its leading zeros.
std::string_view digitRun(std::string_view s, std::size_t& i) {
  while (i < s.size() && s[i] == '0' && i + 1 < s.size() && isDigit(static_cast<unsigned char>(s[i + 1])))
    ++i;
  const std::size_t start = i;
  while (i < s.size() && isDigit(static_cast<unsigned char>(s[i]))) ++i;
  return s.substr(start, i - start);
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
    if (isDigit(ca) && isDigit(cb)) {
      // Numbers of any length: the longer run without leading zeros is the larger one.
      const std::string_view na = digitRun(a, i), nb = digitRun(b, j);
      if (na.size() != nb.size()) return na.size() < nb.size() ? -1 : 1;
      if (const int c = na.compare(nb); c != 0) return c < 0 ? -1 : 1;
      continue;
    }
    const unsigned fa = folded(a, i), fb = folded(b, j);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  // Equal to people ("Readme" and "README", "a01" and "a1"): the bytes decide.
  const int raw = a.compare(b);
  return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

}  // namespace kolvex
