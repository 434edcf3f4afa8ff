#include "core/persist/PersistError.h"

#include <cstring>

#include "core/persist/Stream.h"
#include "core/persist/ValueCode.h"

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
namespace {

std::string withReason(std::string text, int err) {
  if (err != 0) text += std::string(": ") + std::strerror(err);
  return text;
}

}  // namespace

void throwCannotCreate(const std::string& path, int err) {
  throw EFCreateError(withReason(fillMessage(msg::kCannotCreateFile, path), err));
}

void throwWriteError(int err) { throw EStreamError(withReason(msg::kStreamWriteError, err)); }

void throwCannotReplace(const std::string& path, int err) {
  throw EStreamError(withReason(fillMessage(msg::kCannotReplaceFile, path), err));
}

void checkStreamStart(Stream& in) {
  std::size_t avail = 0;
  const std::uint8_t* p = in.window(4, avail);
  if (avail < 4 || std::memcmp(p, kSignature, 4) != 0) throw EStreamError(msg::kNotAStream);
}

}  // namespace kolvex
