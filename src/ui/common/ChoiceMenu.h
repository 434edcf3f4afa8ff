#pragma once
// A menu of exclusive choices (a list style) that shows which one is in force.
#include <functional>

class QMenu;

namespace kolvex {

// Makes the menu's actions checkable, one exclusive group, and each time the menu is about
// to show checks the action whose data() is current(): the choice may change elsewhere
// (a saved style, a double click), so the mark is taken when the menu opens.
void markChoiceOnShow(QMenu* menu, std::function<int()> current);

}  // namespace kolvex
