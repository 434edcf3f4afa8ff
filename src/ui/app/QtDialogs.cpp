#include "ui/app/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/app/AppNames.h"

namespace kolvex {

void QtDialogs::message(MessageKind kind, const std::string& text) {
  QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
                  kMessageCaption, QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

Answer QtDialogs::ask(const std::string& text, bool withCancel) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, kMessageCaption, QString::fromStdString(text), buttons,
                  QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return Answer::No;
  }
}

}  // namespace kolvex
