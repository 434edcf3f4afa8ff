#include "ui/common/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "core/app/LanguageFile.h"
#include "ui/common/AppNames.h"

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

// Runs the box and gives its answer. The box lives on the heap: the window it stands over
// may be destroyed while it is open (its owner goes, a child with it), and a box on the
// stack would then be freed by a destructor that did not make it. A box gone that way
// gives no button.
int runBox(QMessageBox* box) {
  QPointer<QMessageBox> guard(box);
  const int answer = box->exec();
  if (!guard) return QMessageBox::NoButton;
  delete box;
  return answer;
}

}  // namespace

void QtDialogs::message(MessageKind kind, const std::string& text) {
  auto* box = new QMessageBox(
      kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
      kMessageCaption, QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
  captionButtons(*box, language_);
  runBox(box);
}

Answer QtDialogs::ask(const std::string& text, bool withCancel) {
  return question(text, withCancel, false);
}

Answer QtDialogs::askDefaultNo(const std::string& text) { return question(text, false, true); }

Answer QtDialogs::question(const std::string& text, bool withCancel, bool defaultNo) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  auto* box = new QMessageBox(QMessageBox::Question, kMessageCaption, QString::fromStdString(text),
                              buttons, QApplication::activeWindow());
  captionButtons(*box, language_);
  box->setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  switch (runBox(box)) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:  // Cancel, or the box ended without a button (its loop or owner went)
      return withCancel ? Answer::Cancel : Answer::No;
  }
}

}  // namespace kolvex
