#pragma once
// The two pictures of the about view, painted from shapes so that they need no files.
#include <QImage>
#include <QString>

namespace kolvex {

// The program's icon and name; width × height pixels.
QImage paintAboutTitle(int width, int height, const QString& name);
// Three catalogued discs filed in front of their index cards.
QImage paintAboutPicture(int width, int height);

}  // namespace kolvex
