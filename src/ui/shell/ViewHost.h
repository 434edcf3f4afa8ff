#pragma once
// The main window's frame for the views: every view fills it, except the one that is
// sliding in, which the main window places itself.
#include <QWidget>

namespace kolvex {

class ViewHost : public QWidget {
  Q_OBJECT

 public:
  explicit ViewHost(QWidget* parent) : QWidget(parent) {}
  // The view taken out of the fill layout while it slides in; null puts it back.
  void setSliding(QWidget* view);
  void fill();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* sliding_ = nullptr;
};

}  // namespace kolvex
