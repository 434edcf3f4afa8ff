#include "ui/common/DialogParts.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/common/InterfaceTexts.h"

namespace kolvex {

QPlainTextEdit* makeDescriptionEdit(QWidget* dialog, QObject* filter) {
  auto* edit = new QPlainTextEdit(dialog);
  edit->setObjectName("mDescription");
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setMinimumHeight(58);
  // Tab goes on to the buttons; a description has no use for tab characters.
  edit->setTabChangesFocus(true);
  edit->installEventFilter(filter);
  return edit;
}

namespace {

QPushButton* button(QWidget* dialog, const char* name, int tag, const char* caption) {
  auto* b = new QPushButton(caption, dialog);
  b->setObjectName(name);
  setTag(b, tag);
  b->setMinimumWidth(78);
  return b;
}

}  // namespace

OkCancelRow makeOkCancelRow(QWidget* dialog) {
  OkCancelRow r{new QHBoxLayout, button(dialog, "bOK", 91102, "&OK"),
                button(dialog, "bCancel", 91101, "&Cancel")};
  r.ok->setDefault(true);
  r.cancel->setAutoDefault(false);
  r.row->addStretch(1);
  r.row->addWidget(r.ok);
  r.row->addWidget(r.cancel);
  return r;
}

}  // namespace kolvex
