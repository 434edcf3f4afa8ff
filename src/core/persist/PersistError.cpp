#include "core/persist/PersistError.h"

namespace kolvex {

std::string fillMessage(const char* format, const std::string& text) {
  std::string out(format);
  auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

void throwReadError() { throw EStreamError(msg::kStreamReadError); }
void throwInvalidFormat() { throw EStreamError(msg::kInvalidStreamFormat); }
void throwCannotOpen(const std::string& path) {
  throw EFOpenError(fillMessage(msg::kCannotOpenFile, path));
}
void throwCannotCreate(const std::string& path) {
  throw EFCreateError(fillMessage(msg::kCannotCreateFile, path));
}

}  // namespace kolvex
