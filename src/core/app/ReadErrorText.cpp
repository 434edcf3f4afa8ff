#include "core/app/ReadErrorText.h"

#include "core/persist/PersistError.h"

namespace kolvex {

std::string localReadError(LanguageFile& language, const std::string& reason) {
  static constexpr struct {
    const char* fixed;
    const char* key;
  } kReasons[] = {{msg::kStreamReadError, "U002"},
                  {msg::kInvalidStreamFormat, "U003"},
                  {msg::kNotAStream, "U004"}};
  std::string text = reason;
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
