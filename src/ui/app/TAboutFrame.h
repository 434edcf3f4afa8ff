#pragma once
// The about view: the program's name, version, author and where to reach its makers, on
// a fixed panel that stays in the middle of the view.
#include "ui/app/KolvexView.h"

class QLabel;
class QPushButton;

namespace kolvex {

class TImage;

class TAboutFrame : public KolvexView {
  Q_OBJECT

 public:
  static constexpr int kPanelSize = 350;

  TAboutFrame(AppContext& context, QWidget* parent);

  // What the web-site and e-mail labels open: a web address as it stands (https:// added
  // when it has no scheme), an e-mail address as a mailto: link.
  static QString linkFor(const QString& caption);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* label(const char* name, int tag, int x, int y, int width);
  void lWebClick(QLabel* label);

  QWidget* pbClient_;
  QWidget* pAbout_;
  TImage* iTitle_;
  TImage* iPicture_;
  QLabel* lWeb_;
  QLabel* lMail_;
  QPushButton* Button1_;
};

}  // namespace kolvex
