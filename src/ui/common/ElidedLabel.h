#pragma once
// A one-line label for texts that may be longer than any room it gets (a path in the
// address line, a volume in the compact progress window): what does not fit is replaced
// by "…" where it hurts least, and the whole text is its tooltip. text() stays whole.
#include <QLabel>

namespace kolvex {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  // Marks labels that shorten their text on purpose (a layout check leaves them be).
  static constexpr const char* kElidesProperty = "elidesText";

  explicit ElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);
  void setFullText(const QString& text);
  // Whether the text shown is shortened now.
  bool isElided() const;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::TextElideMode mode_;
};

}  // namespace kolvex
