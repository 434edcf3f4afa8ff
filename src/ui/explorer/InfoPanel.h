#pragma once
// The information panel beside the explorer's file list and the search results: the
// package's LeftBar picture behind a caption (the folder shown, or the hit's catalog) and
// the selected entry's icon, name, kind, two lines (a file's date and size; what a folder
// holds) and folder as scanned. Long names and paths wrap in the narrow panel instead of
// being cut off.
#include <QIcon>
#include <QImage>
#include <QWidget>

class QLabel;

namespace kolvex {

class FittedTextBox;

class InfoPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 165;

  explicit InfoPanel(QWidget* parent);
  void setPicture(const QImage& picture);
  // lCDLabel: the folder shown (the catalog label at its root), or the hit's catalog.
  void setFolderCaption(const QString& caption);
  void showItem(const QIcon& icon, const QString& name, const QString& kind, const QString& date,
                const QString& size, const QString& path);
  // No entry selected: noneText (A008) as the name, the rest emptied.
  void clearItem(const QString& noneText);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* label(const char* name);
  // The page as tall as its texts at the panel's width.
  void fitPath();

  QImage picture_;
  QWidget* page_;
  QLabel* lCDLabel_;
  QLabel* iIcon_;
  QLabel* lFileName_;
  QLabel* lKind_;
  QLabel* lDate_;
  QLabel* lSize_;
  FittedTextBox* mPath_;
};

}  // namespace kolvex
