#include "core/search/MaskErrorText.h"

#include "core/search/TMaskList.h"

namespace kolvex {

std::string localMaskError(LanguageFile& language, const EMaskException& error) {
  if (language.message(kInvalidMaskKey) == kInvalidMaskKey) return error.what();
  return language.format(kInvalidMaskKey,
                         {error.mask(), static_cast<std::int64_t>(error.position())});
}

std::optional<std::string> maskListError(LanguageFile& language, std::string_view list) {
  try {
    TMaskList(list).compileAll();
  } catch (const EMaskException& e) {
    return localMaskError(language, e);
  }
  return std::nullopt;
}

}  // namespace kolvex
