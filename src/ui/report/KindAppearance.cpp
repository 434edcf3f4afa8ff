#include "ui/report/KindAppearance.h"

namespace kolvex {

QColor KindColor(FileKind kind) {
  switch (kind) {
    case FileKind::Image: return QColor(0x6a, 0xa8, 0x4f);
    case FileKind::Audio: return QColor(0xe0, 0xa3, 0x2e);
    case FileKind::Video: return QColor(0xd0, 0x55, 0x4c);
    case FileKind::Document: return QColor(0x4a, 0x7d, 0xc0);
    case FileKind::Archive: return QColor(0x8e, 0x6c, 0xb0);
    case FileKind::Other: break;
  }
  return QColor(0x9a, 0xa0, 0xa6);
}

QString KindText(LanguageFile& language, FileKind kind) {
  static const char* const kKeys[kFileKindCount] = {"R025", "R026", "R027", "R028", "R029", "R030"};
  return QString::fromStdString(language.message(kKeys[static_cast<int>(kind)]));
}

}  // namespace kolvex
