#pragma once
// A read-only, frameless text box for a path in a narrow panel: the text wraps anywhere
// and the box is always as tall as its text at its width, so nothing is hidden below its
// edge, while the text stays selectable as it is (no inserted breaks).
#include <QTextEdit>

namespace kolvex {

class FittedTextBox : public QTextEdit {
  Q_OBJECT

 public:
  explicit FittedTextBox(QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitHeight();
};

}  // namespace kolvex
