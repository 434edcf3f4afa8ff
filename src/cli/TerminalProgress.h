#pragma once
// The scan's progress as one line on standard error, redrawn in place: the status text
// and, while records are written, a bar with the count. Drawn only on a terminal.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "core/catalog/ScanProgress.h"

namespace kolvex::cli {

class TerminalProgress final : public ScanProgress {
 public:
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  void show(bool compact) override;
  void hide() override;
  void setStatus(std::string_view key, const std::string& text) override;
  void setRange(std::int64_t maximum) override { maximum_ = maximum; }
  void setPosition(std::int64_t position) override;

 private:
  void draw();
  std::ostream& err_;
  bool enabled_;
  bool shown_ = false;
  std::string status_;
  std::int64_t maximum_ = 0;
  std::int64_t position_ = 0;
  int lastPercent_ = -1;
};

}  // namespace kolvex::cli
