#include "ui/common/FittedTextBox.h"

#include <QTextDocument>

namespace kolvex {

FittedTextBox::FittedTextBox(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  // Read as a label: a click selects in it for copying, but Tab passes it by, since a
  // focused read-only box without a frame would show the focus nowhere.
  setFocusPolicy(Qt::ClickFocus);
  setAcceptRichText(false);
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  viewport()->setAutoFillBackground(false);
  document()->setDocumentMargin(0);
  connect(document(), &QTextDocument::contentsChanged, this, [this] { fitHeight(); });
  fitHeight();
}

void FittedTextBox::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  fitHeight();
}

void FittedTextBox::fitHeight() {
  document()->setTextWidth(viewport()->width());
  const int height = static_cast<int>(document()->size().height()) + 2 * frameWidth() + 2;
  if (height != this->height()) setFixedHeight(height);
}

}  // namespace kolvex
