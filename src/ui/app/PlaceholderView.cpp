#include "ui/app/PlaceholderView.h"

#include <QLabel>

#include "ui/app/SkinWidgets.h"

namespace kolvex {

PlaceholderView::PlaceholderView(AppContext& context, std::string nameKey, QWidget* parent)
    : KolvexView(context, parent), nameKey_(std::move(nameKey)) {
  pbClient_ = new TPaintBox(context.skin, 5, this);
  pbClient_->setObjectName("pbClient");
  lName_ = new QLabel(this);
  lName_->setObjectName("lName");
  lName_->setAlignment(Qt::AlignCenter);
  QFont f;
  f.setPixelSize(22);
  lName_->setFont(f);
  lName_->setStyleSheet("color: #7a8796;");
}

void PlaceholderView::ApplyLanguage() {
  KolvexView::ApplyLanguage();
  lName_->setText(QString::fromStdString(context_.language.message(nameKey_)));
}

void PlaceholderView::resizeEvent(QResizeEvent*) {
  pbClient_->setGeometry(rect());
  lName_->setGeometry(rect());
}

}  // namespace kolvex
