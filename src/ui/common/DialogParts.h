#pragma once
// Parts the catalog dialogs (add a catalog, modify a catalog) build alike.
class QHBoxLayout;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace kolvex {

// The description editor: lines as typed (no wrapping), both scroll bars, and Tab going on
// to the next control; filter watches its events (the dialogs act when it loses focus).
QPlainTextEdit* makeDescriptionEdit(QWidget* dialog, QObject* filter);

// OK (the default button) and Cancel at the right of a row; the dialog connects them.
struct OkCancelRow {
  QHBoxLayout* row;
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancelRow makeOkCancelRow(QWidget* dialog);

}  // namespace kolvex
