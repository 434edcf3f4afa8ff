#include "ui/common/ElidedLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace kolvex {

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {
  setProperty(kElidesProperty, true);
  setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
  setText(text);
  setToolTip(text);
}

bool ElidedLabel::isElided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QSize ElidedLabel::minimumSizeHint() const {
  // Room for a few characters and the ellipsis; the rest is up to the layout.
  const QSize hint = QLabel::minimumSizeHint();
  return {std::min(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("Mwi\u2026"))),
          hint.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
  if (!isElided()) {
    QLabel::paintEvent(event);
    return;
  }
  QFrame::paintEvent(event);  // the frame and a style's background, without the text
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QString shown = fontMetrics().elidedText(text(), mode_, area.width());
  style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), shown, foregroundRole());
}

}  // namespace kolvex
