#pragma once
// The explorer's information panel beside the file list: the package's LeftBar picture
// behind the folder's caption and the selected entry's icon, name, kind, date, size and
// folder as scanned.
#include <QIcon>
#include <QImage>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace kolvex {

class InfoPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 165;

  explicit InfoPanel(QWidget* parent);
  void setPicture(const QImage& picture);
  // lCDLabel: the folder shown, or the catalog label at its root.
  void setFolderCaption(const QString& caption);
  void showItem(const QIcon& icon, const QString& name, const QString& kind, const QString& date,
                const QString& size, const QString& path);
  // No entry selected: noneText (A008) as the name, the rest emptied.
  void clearItem(const QString& noneText);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* label(const char* name);

  QImage picture_;
  QLabel* lCDLabel_;
  QLabel* iIcon_;
  QLabel* lFileName_;
  QLabel* lKind_;
  QLabel* lDate_;
  QLabel* lSize_;
  QPlainTextEdit* mPath_;
};

}  // namespace kolvex
