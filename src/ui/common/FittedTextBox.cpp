#include "ui/common/FittedTextBox.h"

#include <QTextDocument>

namespace kolvex {

FittedTextBox::FittedTextBox(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
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
