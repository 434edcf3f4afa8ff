#include "ui/app/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "core/app/LanguageFile.h"
#include "ui/app/AppNames.h"

namespace kolvex {
namespace {

// The language's captions for the standard buttons (A073 Yes, A074 No, A075 Cancel,
// A076 OK), so a German question does not offer English answers.
void captionButtons(QMessageBox& box, LanguageFile* language) {
  if (!language) return;
  const std::pair<QMessageBox::StandardButton, const char*> keys[] = {
      {QMessageBox::Yes, "A073"},
      {QMessageBox::No, "A074"},
      {QMessageBox::Cancel, "A075"},
      {QMessageBox::Ok, "A076"}};
  for (auto [which, key] : keys)
    if (QAbstractButton* b = box.button(which)) b->setText(QString::fromStdString(language->message(key)));
}

}  // namespace

void QtDialogs::message(MessageKind kind, const std::string& text) {
  QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
                  kMessageCaption, QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  captionButtons(box, language_);
  box.exec();
}

Answer QtDialogs::ask(const std::string& text, bool withCancel) {
  return question(text, withCancel, false);
}

Answer QtDialogs::askDefaultNo(const std::string& text) { return question(text, false, true); }

Answer QtDialogs::question(const std::string& text, bool withCancel, bool defaultNo) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, kMessageCaption, QString::fromStdString(text), buttons,
                  QApplication::activeWindow());
  captionButtons(box, language_);
  box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
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
