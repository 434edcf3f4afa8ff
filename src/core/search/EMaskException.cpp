#include "core/search/EMaskException.h"

namespace kolvex {
namespace {

// "'%s' is an invalid mask at (%d)", assembled rather than printf-formatted because the
// mask is user text and may hold "%" itself.
std::string invalidMaskMessage(std::string_view mask, std::size_t position) {
  std::string out = "'";
  out += mask;
  out += "' is an invalid mask at (";
  out += std::to_string(position);
  out += ")";
  return out;
}

}  // namespace

EMaskException::EMaskException(std::string_view mask, std::size_t position)
    : std::runtime_error(invalidMaskMessage(mask, position)), mask_(mask), position_(position) {}

}  // namespace kolvex
