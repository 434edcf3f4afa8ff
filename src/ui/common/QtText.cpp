#include "ui/common/QtText.h"

#include <QFile>

#include "core/catalog/DateTimeText.h"

namespace kolvex {

QString DateTimeTextOf(double dayCount) {
  // The C library's locale text is in the locale's encoding, which Qt decodes the same way.
  return QString::fromLocal8Bit(DateTimeText(dayCount));
}

QString storedText(const std::string& text) { return QFile::decodeName(text.c_str()); }

}  // namespace kolvex
