#include "core/report/TextOut.h"

#include <ostream>

#include "core/persist/PersistError.h"
#include "core/persist/Stream.h"

namespace kolvex {

void TextOut::flush() {
  if (buffer_.empty()) return;
  write(buffer_);
  buffer_.clear();
}

void OstreamTextOut::write(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out_) throw EStreamError(msg::kStreamWriteError);
}

void StreamTextOut::write(std::string_view text) { out_.write(text.data(), text.size()); }

}  // namespace kolvex
