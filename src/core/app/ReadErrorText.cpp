#include "core/app/ReadErrorText.h"

#include <string_view>

#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

// The file could not be opened at all: a message that holds the file's path and ends the
// reason ("PATH: Cannot open file PATH..."), said again in the language's words.
std::string localOpenError(LanguageFile& language, const std::string& reason) {
  static constexpr struct {
    const char* fixed;
    const char* key;
  } kMessages[] = {{msg::kNotRegularFile, "U010"}, {msg::kCannotOpenFile, "U011"}};
  for (const auto& m : kMessages) {
    const std::string_view fixed = m.fixed;
    const std::size_t hole = fixed.find("%s");
    const std::string_view head = fixed.substr(0, hole), tail = fixed.substr(hole + 2);
    const std::size_t at = reason.find(head);
    if (at == std::string::npos || !reason.ends_with(tail) ||
        reason.size() <= at + head.size() + tail.size())
      continue;
    if (language.message(m.key) == m.key) return reason;
    const std::size_t from = at + head.size();
    const std::string path = reason.substr(from, reason.size() - tail.size() - from);
    return reason.substr(0, at) + language.format(m.key, {path});
  }
  return reason;
}

}  // namespace

std::string localReadError(LanguageFile& language, const std::string& reason) {
  static constexpr struct {
    const char* fixed;
    const char* key;
  } kReasons[] = {{msg::kStreamReadError, "U002"},
                  {msg::kInvalidStreamFormat, "U003"},
                  {msg::kNotAStream, "U004"}};
  std::string text = localOpenError(language, reason);
  for (const auto& r : kReasons) {
    const std::string fixed = r.fixed;
    const std::string local = language.message(r.key);
    if (local == r.key) continue;  // no language file: the reason stays as the stream gave it
    for (std::size_t at = text.find(fixed); at != std::string::npos;
         at = text.find(fixed, at + local.size()))
      text.replace(at, fixed.size(), local);
  }
  return text;
}

}  // namespace kolvex
