#include "ui/common/WindowFade.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kolvex {
namespace {

int finalOpacity(const TSCOptions& o) { return std::clamp(o.FinalTrans, 128, 255); }

int stepCount(const TSCOptions& o) {
  return o.TransIncreaseBy > 0 ? finalOpacity(o) / o.TransIncreaseBy : 0;
}

bool fades(const TSCOptions& o) { return o.GradiantShow && platformHasWindowOpacity(); }

}  // namespace

std::vector<int> fadeInSteps(const TSCOptions& options) {
  std::vector<int> steps;
  const int n = stepCount(options);
  for (int i = 1; i <= n; ++i) steps.push_back(options.TransIncreaseBy * i);
  steps.push_back(finalOpacity(options));
  return steps;
}

std::vector<int> fadeOutSteps(const TSCOptions& options) {
  std::vector<int> steps;
  for (int k = stepCount(options); k >= 1; --k) steps.push_back(k * options.TransIncreaseBy);
  steps.push_back(0);
  return steps;
}

bool platformHasWindowOpacity() {
  const QString name = QGuiApplication::platformName();
  return name == "xcb" || name == "windows" || name == "cocoa";
}

void ShowGradually(QWidget* window, const TSCOptions& options, EventPump& pump) {
  if (!window) return;
  if (!fades(options)) {
    window->show();
    return;
  }
  QPointer<QWidget> w(window);
  w->setWindowOpacity(0.0);
  w->show();
  for (int opacity : fadeInSteps(options)) {
    // The events of a step may close the window again (a scan cancelled as its progress
    // window fades in): then the fade ends there.
    if (!w || !w->isVisible()) return;
    w->setWindowOpacity(opacity / 255.0);
    pump.processEvents();
  }
}

void HideGradually(QWidget* window, const TSCOptions& options, EventPump& pump) {
  if (!window) return;
  if (!fades(options)) {
    window->hide();
    return;
  }
  QPointer<QWidget> w(window);
  for (int opacity : fadeOutSteps(options)) {
    if (!w) return;
    w->setWindowOpacity(opacity / 255.0);
    pump.processEvents();
  }
  if (!w) return;
  w->hide();
  w->setWindowOpacity(1.0);
}

QRect GetTaskbarRect(const QScreen* screen) {
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect all = screen->geometry(), free = screen->availableGeometry();
  return QRect(free.left(), free.bottom() + 1, free.width(), all.bottom() - free.bottom());
}

}  // namespace kolvex
