#include "core/app/CheckedFormat.h"

#include <vector>

namespace kolvex {
namespace {

const char* kindName(ArgKind k) { return k == ArgKind::Text ? "a text" : "a number"; }

// Walks the format once; fills out (when given) with the arguments' values. Returns the
// problem, or an empty text when the format fits.
std::string walk(std::string_view format, std::span<const ArgKind> kinds,
                 std::span<const FormatArg> args, std::string* out) {
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') {
      if (out) *out += c;
      continue;
    }
    if (i + 1 == format.size()) return "the text ends with a single '%'";
    char type = format[++i];
    if (type == '%') {
      if (out) *out += '%';
      continue;
    }
    ArgKind wanted;
    if (type == 's' || type == 'S') {
      wanted = ArgKind::Text;
    } else if (type == 'd' || type == 'D') {
      wanted = ArgKind::Integer;
    } else {
      return "unsupported placeholder '%" + std::string(1, type) + "'";
    }
    if (next == kinds.size()) {
      return "placeholder " + std::to_string(next + 1) + " has no value (" +
             std::to_string(kinds.size()) + " given)";
    }
    if (kinds[next] != wanted) {
      return "placeholder " + std::to_string(next + 1) + " takes " + kindName(wanted) +
             " but the value is " + kindName(kinds[next]);
    }
    if (out) *out += args[next].shown();
    ++next;
  }
  return {};
}

std::vector<ArgKind> kindsOf(std::span<const FormatArg> args) {
  std::vector<ArgKind> kinds;
  kinds.reserve(args.size());
  for (const FormatArg& a : args) kinds.push_back(a.kind());
  return kinds;
}

}  // namespace

std::string formatProblem(std::string_view format, std::span<const ArgKind> kinds) {
  return walk(format, kinds, {}, nullptr);
}

std::optional<std::string> formatChecked(std::string_view format, std::span<const FormatArg> args) {
  std::vector<ArgKind> kinds = kindsOf(args);
  std::string out;
  out.reserve(format.size() + 16 * args.size());
  if (!walk(format, kinds, args, &out).empty()) return std::nullopt;
  return out;
}

std::string formatOrShow(std::string_view format, std::span<const FormatArg> args) {
  if (std::optional<std::string> done = formatChecked(format, args)) return std::move(*done);
  return showUnfilled(format, args);
}

std::string showUnfilled(std::string_view text, std::span<const FormatArg> args) {
  std::string shown(text);
  if (args.empty()) return shown;
  shown += " [";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) shown += ", ";
    shown += args[i].shown();
  }
  shown += ']';
  return shown;
}

}  // namespace kolvex
