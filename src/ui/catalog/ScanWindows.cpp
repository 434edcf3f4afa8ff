#include "ui/catalog/ScanWindows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "ui/app/Skin.h"
#include "ui/app/WindowFade.h"
#include "ui/catalog/TAddingForm.h"
#include "ui/catalog/TFlatAddingForm.h"

namespace kolvex {

ScanWindows::ScanWindows(const TSCOptions& options, const Skin& skin, EventPump& pump)
    : options_(options),
      pump_(pump),
      adding_(std::make_unique<TAddingForm>()),
      flat_(std::make_unique<TFlatAddingForm>(skin)) {
  flat_->ShapeFromMask(skin.FlatMask);
}

ScanWindows::~ScanWindows() = default;

void ScanWindows::show(bool compact) {
  if (beforeNext_) {
    auto action = std::move(beforeNext_);
    beforeNext_ = nullptr;
    action();
  }
  if (compact) {
    flat_->PlaceAboveTaskbar();
    shown_ = flat_.get();
  } else {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      adding_->move(screen->availableGeometry().center() - adding_->rect().center());
    shown_ = adding_.get();
  }
  ShowGradually(shown_, options_, pump_);
  shown_->raise();
}

void ScanWindows::hide() {
  if (!shown_) return;
  QWidget* window = shown_;
  shown_ = nullptr;
  HideGradually(window, options_, pump_);
}

void ScanWindows::setStatus(std::string_view, const std::string& text) {
  const QString t = QString::fromStdString(text);
  adding_->lStat()->setText(t);
  flat_->lStat()->setText(t);
}

void ScanWindows::setRange(std::int64_t maximum) {
  addingScale_.setRange(adding_->pbProgress(), maximum);
  flatScale_.setRange(flat_->pbProgress(), maximum);
}

void ScanWindows::setPosition(std::int64_t position) {
  addingScale_.setPosition(adding_->pbProgress(), position);
  flatScale_.setPosition(flat_->pbProgress(), position);
}

}  // namespace kolvex
