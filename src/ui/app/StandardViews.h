#pragma once
// The five views of the main window, in list order.
#include <QWidget>
#include <functional>

#include "ui/app/AppContext.h"

namespace kolvex {

class KolvexView;

using ViewFactory = std::function<KolvexView*(int index, AppContext& context, QWidget* parent)>;

// The view at index (ViewIndex), created inside parent.
KolvexView* createStandardView(int index, AppContext& context, QWidget* parent);

// The message key of each view's name, by index.
const char* viewNameKey(int index);

}  // namespace kolvex
