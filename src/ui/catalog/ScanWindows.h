#pragma once
// The two progress windows of a scan, as the scanner sees them: it writes status and bar
// into both and shows, places and hides whichever the scan asked for.
#include <functional>
#include <memory>

#include "core/app/EventPump.h"
#include "core/catalog/ScanProgress.h"
#include "core/persist/TSCOptions.h"
#include "ui/catalog/ProgressBarScale.h"

class QWidget;

namespace kolvex {

class Skin;
class TAddingForm;
class TFlatAddingForm;

class ScanWindows final : public ScanProgress {
 public:
  ScanWindows(const TSCOptions& options, const Skin& skin, EventPump& pump);
  ~ScanWindows() override;

  void show(bool compact) override;
  void hide() override;
  void setStatus(std::string_view key, const std::string& text) override;
  void setRange(std::int64_t maximum) override;
  void setPosition(std::int64_t position) override;

  // Runs once when the next scan's window appears, that is when the scan really starts
  // (an update closes its catalog in the explorer only then).
  void beforeNextScan(std::function<void()> action) { beforeNext_ = std::move(action); }

  TAddingForm* addingForm() const { return adding_.get(); }
  TFlatAddingForm* flatAddingForm() const { return flat_.get(); }
  // The window of the running scan, or null.
  QWidget* shown() const { return shown_; }

 private:
  const TSCOptions& options_;
  EventPump& pump_;
  std::unique_ptr<TAddingForm> adding_;
  std::unique_ptr<TFlatAddingForm> flat_;
  ProgressBarScale addingScale_, flatScale_;
  QWidget* shown_ = nullptr;
  std::function<void()> beforeNext_;
};

}  // namespace kolvex
