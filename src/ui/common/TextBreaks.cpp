#include "ui/common/TextBreaks.h"

namespace kolvex {

QString breakable(const QString& text) {
  constexpr int kLongestRun = 18;
  QString out;
  out.reserve(text.size() + text.size() / 4);
  int run = 0;
  for (QChar c : text) {
    out += c;
    ++run;
    if (c.isSpace()) run = 0;
    if (QStringLiteral("_/\\-.").contains(c) || run >= kLongestRun) {
      out += QChar(0x200B);
      run = 0;
    }
  }
  return out;
}

}  // namespace kolvex
