#include "ui/explorer/InfoPanel.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/app/TextBreaks.h"
#include "ui/app/TilePaint.h"

namespace kolvex {

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("sbLeftBar");
  setFixedWidth(kWidth);
  auto* layout = new QVBoxLayout(this);
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

  mPath_ = new QPlainTextEdit(this);
  mPath_->setObjectName("mPath");
  mPath_->setReadOnly(true);
  mPath_->setFrameShape(QFrame::NoFrame);
  mPath_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mPath_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mPath_->setStyleSheet("QPlainTextEdit { background: transparent; color: #2a3442; }");
  mPath_->viewport()->setAutoFillBackground(false);
  mPath_->setMaximumHeight(90);
  mPath_->document()->setDocumentMargin(0);
  layout->addWidget(mPath_);
  layout->addStretch(1);
}

QLabel* InfoPanel::label(const char* name) {
  auto* l = new QLabel(this);
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

void InfoPanel::setFolderCaption(const QString& caption) { lCDLabel_->setText(breakable(caption)); }

void InfoPanel::showItem(const QIcon& icon, const QString& name, const QString& kind,
                         const QString& date, const QString& size, const QString& path) {
  iIcon_->setPixmap(icon.pixmap(32, 32));
  lFileName_->setText(breakable(name));
  lKind_->setText(kind);
  lDate_->setText(date);
  lSize_->setText(size);
  mPath_->setPlainText(path);
}

void InfoPanel::clearItem(const QString& noneText) {
  iIcon_->clear();
  lFileName_->setText(noneText);
  for (QLabel* l : {lKind_, lDate_, lSize_}) l->clear();
  mPath_->clear();
}

void InfoPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLeftBar(painter, rect(), picture_, palette().color(QPalette::Base));
}

}  // namespace kolvex
