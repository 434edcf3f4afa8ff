#pragma once
// Icons from the desktop go into catalogs as icon file images. One whose header readers
// would refuse would make the whole catalog unreadable, so it is left out instead.
#include "core/persist/Graphics.h"

namespace kolvex {

// Empties the icon unless it begins like an icon file (six bytes at least, type 0 or 1).
void DropUnreadableIcon(TIcon& icon);

}  // namespace kolvex
