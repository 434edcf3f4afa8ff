#pragma once
// The about view: the program's name, version, author and where to reach its makers, and
// whether this copy is portable or installed with the folders it uses, on a fixed panel
// that stays in the middle of the view.
#include <utility>
#include <vector>

#include "ui/common/KolvexView.h"

class QLabel;
class QPushButton;

namespace kolvex {

class TImage;

class TAboutFrame : public KolvexView {
  Q_OBJECT

 public:
  static constexpr int kPanelSize = 350;
  static constexpr int kPanelHeight = 400;

  TAboutFrame(AppContext& context, QWidget* parent);

  // What the web-site and e-mail labels open: a web address as it stands (https:// added
  // when it has no scheme), an e-mail address as a mailto: link.
  static QString linkFor(const QString& caption);

  void ApplyLanguage() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* label(const char* name, int tag, int x, int y, int width);
  void folderRow(const char* name, int tag, int y, const std::string& folder);
  void ElideFolders();
  void lWebClick(QLabel* label);

  QWidget* pbClient_;
  QWidget* pAbout_;
  TImage* iTitle_;
  TImage* iPicture_;
  QLabel* lWeb_;
  QLabel* lMail_;
  QPushButton* Button1_;
  // The folder labels with the text they shorten to their width.
  std::vector<std::pair<QLabel*, QString>> folders_;
};

}  // namespace kolvex
