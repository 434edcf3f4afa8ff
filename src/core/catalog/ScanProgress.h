#pragma once
// What a scan tells the window that follows it: the progress dialog, the compact window of
// the drive monitor, the command line's bar on a terminal, or a test.
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvex {

class ScanProgress {
 public:
  virtual ~ScanProgress() = default;
  // compact: the small window above the taskbar instead of the centred dialog.
  virtual void show(bool compact) = 0;
  virtual void hide() = 0;
  // The status line: the message key ("A004" counting, "A005" writing) and its text in
  // the current language.
  virtual void setStatus(std::string_view key, const std::string& text) = 0;
  // The bar's maximum (files + folders to write) and its position (records written).
  virtual void setRange(std::int64_t maximum) = 0;
  virtual void setPosition(std::int64_t position) = 0;
};

// Shows nothing.
class NoScanProgress final : public ScanProgress {
 public:
  void show(bool) override {}
  void hide() override {}
  void setStatus(std::string_view, const std::string&) override {}
  void setRange(std::int64_t) override {}
  void setPosition(std::int64_t) override {}
};

}  // namespace kolvex
