#include "ui/catalog/ScanWindows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "ui/common/CatalogFolderService.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/Skin.h"
#include "ui/common/WindowFade.h"
#include "ui/catalog/TAddingForm.h"
#include "ui/catalog/TFlatAddingForm.h"

namespace kolvex {

ScanWindows::ScanWindows(AppContext& context, QWidget* owner)
    : context_(context),
      adding_(std::make_unique<TAddingForm>(owner)),
      flat_(std::make_unique<TFlatAddingForm>(context.skin, owner)) {
  flat_->ShapeFromMask(context.skin.FlatMask);
  ApplyLanguage();
}

ScanWindows::~ScanWindows() = default;

void ScanWindows::ApplyLanguage() {
  ApplyInterfaceTexts(adding_.get(), context_.language, true);
  ApplyInterfaceTexts(flat_.get(), context_.language, true);
  flat_->LayoutControls();
}

void ScanWindows::releaseOwner() {
  for (QWidget* w : {static_cast<QWidget*>(adding_.get()), static_cast<QWidget*>(flat_.get())})
    w->setParent(nullptr, w->windowFlags());
}

void ScanWindows::show(bool compact) {
  if (beforeNext_) {
    auto action = std::move(beforeNext_);
    beforeNext_ = nullptr;
    action();
  }
  percent_ = -1;
  if (compact) {
    flat_->PlaceAboveTaskbar();
    shown_ = flat_.get();
  } else {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      adding_->move(screen->availableGeometry().center() - adding_->rect().center());
    shown_ = adding_.get();
  }
  context_.catalogs.scanShown(volume_.toStdString());
  ShowGradually(shown_, context_.options, context_.pump);
  // The fade hands out events: a Cancel among them hides the window and clears shown_.
  if (shown_) shown_->raise();
}

void ScanWindows::hide() {
  if (!shown_) return;
  QWidget* window = shown_;
  shown_ = nullptr;
  HideGradually(window, context_.options, context_.pump);
  context_.catalogs.scanHidden();
}

void ScanWindows::setStatus(std::string_view, const std::string& text) {
  // Which volume is meant, also in the compact window that pops up by itself.
  const QString t = volume_.isEmpty() ? QString::fromStdString(text)
                                      : volume_ + ": " + QString::fromStdString(text);
  adding_->lStat()->setText(t);
  adding_->lStat()->setToolTip(t);
  flat_->lStat()->setText(t);
  flat_->lStat()->setToolTip(t);
}

void ScanWindows::setRange(std::int64_t maximum) {
  maximum_ = maximum;
  addingScale_.setRange(adding_->pbProgress(), maximum);
  flatScale_.setRange(flat_->pbProgress(), maximum);
}

void ScanWindows::setPosition(std::int64_t position) {
  addingScale_.setPosition(adding_->pbProgress(), position);
  flatScale_.setPosition(flat_->pbProgress(), position);
  const int percent =
      maximum_ > 0 ? static_cast<int>(std::min<std::int64_t>(position, maximum_) * 100 / maximum_) : 0;
  if (percent != percent_) {
    percent_ = percent;
    context_.catalogs.scanProgressed(percent);
  }
}

}  // namespace kolvex
