#include "ui/explorer/InfoPanel.h"

#include <QLabel>
#include <QPainter>
#include <QLayout>
#include <QScrollArea>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/common/FittedTextBox.h"
#include "ui/common/TextBreaks.h"
#include "ui/common/TilePaint.h"

namespace kolvex {

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("sbLeftBar");
  setFixedWidth(kWidth);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  // Long labels and paths in a low panel (the search view at its first size) scroll
  // rather than being cut off at the bottom; the picture stays behind them.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("sbInfo");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidgetResizable(true);
  page_ = new QWidget;
  page_->setObjectName("pInfo");
  auto* layout = new QVBoxLayout(page_);
  layout->setContentsMargins(10, 12, 8, 8);
  layout->setSpacing(6);

  lCDLabel_ = label("lCDLabel");
  QFont big("Tahoma");
  big.setPixelSize(16);
  lCDLabel_->setFont(big);
  lCDLabel_->setStyleSheet("color: #1f3a5a;");
  layout->addWidget(lCDLabel_);
  layout->addSpacing(6);

  iIcon_ = label("iIcon");
  iIcon_->setFixedSize(32, 32);
  layout->addWidget(iIcon_);

  lFileName_ = label("lFileName");
  QFont bold = lFileName_->font();
  bold.setBold(true);
  lFileName_->setFont(bold);
  layout->addWidget(lFileName_);
  lKind_ = label("lKind");
  lDate_ = label("lDate");
  lSize_ = label("lSize");
  for (QLabel* l : {lKind_, lDate_, lSize_}) layout->addWidget(l);

  mPath_ = new FittedTextBox(page_);
  mPath_->setObjectName("mPath");
  mPath_->setStyleSheet("QTextEdit { background: transparent; color: #2a3442; }");
  layout->addWidget(mPath_);
  layout->addStretch(1);

  scroll->setWidget(page_);
  for (QWidget* w : {static_cast<QWidget*>(scroll), scroll->viewport(), page_})
    w->setAutoFillBackground(false);  // setWidget turns the page's on
  outer->addWidget(scroll);
  fitPath();
}

void InfoPanel::fitPath() {
  // The page is as tall as its wrapped texts need at its width: taller than the panel,
  // it scrolls.
  if (QLayout* layout = page_->layout())
    page_->setMinimumHeight(std::max(0, layout->totalHeightForWidth(page_->width())));
}

void InfoPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitPath();
}

QLabel* InfoPanel::label(const char* name) {
  auto* l = new QLabel(page_);
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setTextFormat(Qt::PlainText);
  l->setAttribute(Qt::WA_TranslucentBackground);
  l->setStyleSheet("color: #2a3442;");
  return l;
}

void InfoPanel::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void InfoPanel::setFolderCaption(const QString& caption) {
  lCDLabel_->setText(breakable(caption));
  fitPath();
}

void InfoPanel::showItem(const QIcon& icon, const QString& name, const QString& kind,
                         const QString& date, const QString& size, const QString& path) {
  iIcon_->setPixmap(icon.pixmap(32, 32));
  lFileName_->setText(breakable(name));
  lKind_->setText(kind);
  lDate_->setText(date);
  lSize_->setText(size);
  // A line the entry has nothing for (a folder hit's size) leaves no gap.
  for (QLabel* l : {lKind_, lDate_, lSize_}) l->setHidden(l->text().isEmpty());
  mPath_->setPlainText(path);
  fitPath();
}

void InfoPanel::clearItem(const QString& noneText) {
  iIcon_->clear();
  lFileName_->setText(noneText);
  for (QLabel* l : {lKind_, lDate_, lSize_}) l->clear();
  mPath_->clear();
  fitPath();
}

void InfoPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLeftBar(painter, rect(), picture_, palette().color(QPalette::Base));
}

}  // namespace kolvex
