#include "ui/options/TTransTestForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QStringListModel>

namespace kolvex {

TTransTestForm::TTransTestForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TransTestForm");
  setWindowTitle("TransTestForm");
  setFixedSize(kWidth, kHeight);

  auto* lTest = new QLabel(
      "This form will test the gradually showing and semi-transparent controlling.", this);
  lTest->setObjectName("Label1");
  lTest->setWordWrap(true);
  lTest->setGeometry(16, 12, kWidth - 32, 36);

  auto* lClose = new QLabel("This form will be closed automatically in 2 seconds...", this);
  lClose->setObjectName("Label2");
  lClose->setGeometry(16, 52, kWidth - 32, 20);

  auto* edit = new QLineEdit("This is an edit", this);
  edit->setObjectName("Edit1");
  edit->setGeometry(16, 82, kWidth - 32, 24);

  auto* list = new QListView(this);
  list->setObjectName("ListBox1");
  list->setModel(new QStringListModel({"This is a list box", "following are the demo strings...",
                                       "line1", "line2", "line3", ".", ".", ".", "lineN"},
                                      list));
  list->setGeometry(16, 116, kWidth - 32, kHeight - 132);

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}

}  // namespace kolvex
