#pragma once
// Catalog icons (icon file images) as pictures to show.
#include <QIcon>
#include <QImage>

#include "core/persist/Graphics.h"

namespace kolvex {

// The icon's picture at the given size; a null image for an empty or unreadable icon.
QImage iconPicture(const TIcon& icon, int size);

// Both pictures of a header's icon pair in one icon (16 and 32 pixels); null when both are
// empty.
QIcon iconOfPair(const TIcon& small, const TIcon& large);

}  // namespace kolvex
