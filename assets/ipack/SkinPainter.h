#pragma once
// The pictures of the program's own skin: a dark slate frame with a teal accent around
// light, quiet content. Every picture is painted from shapes and a fixed pseudo-random
// sequence, so it comes out the same at every run.
#include <QImage>

namespace kolvex::skin {

// The main window's top bar is 38 pixels high, its bottom bar 31, its side borders 10.
QImage paintTop();       // tiled along the top bar
QImage paintBottom();    // tiled along the bottom bar
QImage paintLeft();      // tiled down the left border
QImage paintRight();     // tiled down the right border
QImage paintLeftTop();   // top left corner, with the program's mark
QImage paintRightTop();  // top right corner
QImage paintLeftBottom();
QImage paintRightBottom();  // with the resize grip's dots
QImage paintFace();         // background of tool columns, headers and windows, tiled
QImage paintBanner();       // left end of the view header (53 pixels high)
QImage paintLeftBar();      // behind the information panels
// The compact progress window's shape: coloured inside, pure white outside.
QImage paintFlatMask();

}  // namespace kolvex::skin
