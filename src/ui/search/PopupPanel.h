#pragma once
// One of the criteria panel's pop-up panels: shown beside its button, given the focus,
// and hidden as soon as the focus goes anywhere outside it.
#include <QFrame>

namespace kolvex {

class PopupPanel : public QFrame {
  Q_OBJECT

 public:
  explicit PopupPanel(QWidget* parent);
  // Shows the panel with its top-left corner at the button's top-right corner (kept
  // inside the parent), and moves the focus into it.
  void popUpBeside(QWidget* button);

 private:
  void focusMoved(QWidget* now);
};

}  // namespace kolvex
