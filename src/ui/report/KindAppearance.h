#pragma once
// How kinds of file look in the statistics charts and the space map: one colour and one
// name (from the language file) per kind.
#include <QColor>
#include <QString>

#include "core/app/LanguageFile.h"
#include "core/report/FileKind.h"

namespace kolvex {

QColor KindColor(FileKind kind);
// "Images", "Audio", ... in the current language.
QString KindText(LanguageFile& language, FileKind kind);

}  // namespace kolvex
