#pragma once
// The two progress windows of a scan, as the scanner sees them: it writes status and bar
// into both and shows, places and hides whichever the scan asked for. Both stay above the
// window that owns them, name the volume being catalogued, and tell the main window that
// a scan runs.
#include <QString>
#include <functional>
#include <memory>

#include "core/catalog/ScanProgress.h"
#include "ui/common/AppContext.h"
#include "ui/catalog/ProgressBarScale.h"

class QWidget;

namespace kolvex {

class TAddingForm;
class TFlatAddingForm;

class ScanWindows final : public ScanProgress {
 public:
  // owner: the window the progress windows stay above (null: none, in tests).
  ScanWindows(AppContext& context, QWidget* owner);
  ~ScanWindows() override;

  void show(bool compact) override;
  void hide() override;
  void setStatus(std::string_view key, const std::string& text) override;
  void setRange(std::int64_t maximum) override;
  void setPosition(std::int64_t position) override;

  // The volume of the next scan (its label, or its folder), shown before every status.
  void setVolume(const std::string& volume) { volume_ = QString::fromStdString(volume); }
  // Runs once when the next scan's window appears, that is when the scan really starts
  // (an update closes its catalog in the explorer only then).
  void beforeNextScan(std::function<void()> action) { beforeNext_ = std::move(action); }
  // The captions of both windows in the current language.
  void ApplyLanguage();
  // Lets the windows go from their owner (it is destroyed while a scan is still running).
  void releaseOwner();

  TAddingForm* addingForm() const { return adding_.get(); }
  TFlatAddingForm* flatAddingForm() const { return flat_.get(); }
  // The window of the running scan, or null.
  QWidget* shown() const { return shown_; }

 private:
  AppContext& context_;
  std::unique_ptr<TAddingForm> adding_;
  std::unique_ptr<TFlatAddingForm> flat_;
  ProgressBarScale addingScale_, flatScale_;
  QWidget* shown_ = nullptr;
  QString volume_;
  std::int64_t maximum_ = 0;
  int percent_ = -1;
  std::function<void()> beforeNext_;
};

}  // namespace kolvex
