#pragma once
// The glyphs of the archive manager's tool buttons, drawn rather than loaded.
#include <QIcon>

namespace kolvex {

enum class ToolGlyph { Create, Delete, Browse, Search, Update, Modify, Refresh, View };

QIcon toolGlyph(ToolGlyph kind);

}  // namespace kolvex
