#pragma once
// Gradual showing and hiding of dialogs and progress windows, by the options
// GradiantShow, TransIncreaseBy and FinalTrans. The fade runs between pending window
// events, not on a timer; where the platform has no window opacity, windows are simply
// shown and hidden.
#include <QRect>
#include <vector>

#include "core/app/EventPump.h"
#include "core/persist/TSCOptions.h"

class QWidget;
class QScreen;

namespace kolvex {

// The opacities (out of 255) a fade-in sets one after the other: TransIncreaseBy × i for
// i = 1 .. FinalTrans div TransIncreaseBy, then FinalTrans. A step of 0 or less fades in
// one step; FinalTrans is kept between 128 and 255, so a bad value cannot make a window
// invisible.
std::vector<int> fadeInSteps(const TSCOptions& options);
// A fade-out: from n × TransIncreaseBy down to TransIncreaseBy, then 0.
std::vector<int> fadeOutSteps(const TSCOptions& options);
bool platformHasWindowOpacity();

void ShowGradually(QWidget* window, const TSCOptions& options, EventPump& pump);
void HideGradually(QWidget* window, const TSCOptions& options, EventPump& pump);

// The desktop panel's strip below the screen's available area (zero height when there is
// none), so a window placed with its bottom on the strip's top stays on screen.
QRect GetTaskbarRect(const QScreen* screen = nullptr);

}  // namespace kolvex
