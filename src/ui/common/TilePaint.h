#pragma once
// Tiled skin painting and window shapes from mask bitmaps.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <vector>

class QPainter;

namespace kolvex {

// The top-left corners at which an image of size image covers a box of size box: one
// per column 0 .. box width div image width and row 0 .. box height div image height.
// Empty for an empty image.
std::vector<QPoint> tilePositions(const QSize& box, const QSize& image);

// Draws image at every tile position over a box of size box (the last ones cut by the
// painter's clip at the box's edges).
void TilePaintBox(QPainter& painter, const QSize& box, const QImage& image);

// The picture behind an information panel (the package's LeftBar) over an area of any
// height: the picture at the top left at its own size, its last row drawn on down to the
// bottom, so a tall (maximised) panel has no bare strip below it. base fills the rest.
void PaintLeftBar(QPainter& painter, const QRect& area, const QImage& picture, const QColor& base);

// The region of all pixels whose colour differs from transparent (alpha ignored).
QRegion RegionFromBitmap(const QImage& bitmap, QRgb transparent);

}  // namespace kolvex
