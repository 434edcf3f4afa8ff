#include "cli/TerminalProgress.h"

#include <ostream>

namespace kolvex::cli {

void TerminalProgress::show(bool) {
  shown_ = enabled_;
  lastPercent_ = -1;
}

void TerminalProgress::hide() {
  if (!shown_) return;
  err_ << "\r\033[K" << std::flush;  // the line is cleared for what follows
  shown_ = false;
}

void TerminalProgress::setStatus(std::string_view, const std::string& text) {
  status_ = text;
  // A language text may hold line breaks; the bar has one line.
  for (char& c : status_)
    if (c == '\n' || c == '\r') c = ' ';
  position_ = 0;
  lastPercent_ = -1;
  draw();
}

void TerminalProgress::setPosition(std::int64_t position) {
  position_ = position;
  draw();
}

void TerminalProgress::draw() {
  if (!shown_) return;
  constexpr int kWidth = 30;
  if (maximum_ <= 0 || position_ <= 0) {
    err_ << "\r\033[K" << status_ << std::flush;
    return;
  }
  int percent = static_cast<int>(position_ * 100 / maximum_);
  if (percent > 100) percent = 100;
  int filled = percent * kWidth / 100;
  err_ << "\r\033[K" << status_ << " [" << std::string(filled, '#')
       << std::string(kWidth - filled, '.') << "] " << percent << "% " << position_ << "/"
       << maximum_ << std::flush;
  lastPercent_ = percent;
}

}  // namespace kolvex::cli
