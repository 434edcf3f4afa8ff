#pragma once
// A view whose contents are not there yet: the skin's face with the view's name.
#include <string>

#include "ui/app/KolvexView.h"

class QLabel;

namespace kolvex {

class PlaceholderView : public KolvexView {
  Q_OBJECT

 public:
  // nameKey: the message key of the view's name ("A029" ...).
  PlaceholderView(AppContext& context, std::string nameKey, QWidget* parent);
  void ApplyLanguage() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::string nameKey_;
  QWidget* pbClient_;
  QLabel* lName_;
};

}  // namespace kolvex
