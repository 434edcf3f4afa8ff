#pragma once
// The sample window the options view fades in and out to try the speed and transparency
// chosen: a few labels, an edit box and a list, centred on the screen. Its texts are
// deliberately not translated.
#include <QWidget>

namespace kolvex {

class TTransTestForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 380, kHeight = 270;

  explicit TTransTestForm(QWidget* parent = nullptr);
};

}  // namespace kolvex
