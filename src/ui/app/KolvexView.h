#pragma once
// One of the five views of the main window. A view fills the main window's frame, takes
// its texts from the language file by component number, and may hold changes that the
// main window must settle before it switches away (the options view).
#include <QWidget>

#include "ui/app/AppContext.h"

namespace kolvex {

class WindowState;

class KolvexView : public QWidget {
  Q_OBJECT

 public:
  KolvexView(AppContext& context, QWidget* parent);

  // Sets the captions and hints of the view's numbered components; called when the view
  // is created and whenever the language changes.
  virtual void ApplyLanguage();
  // Writes the view's captions and hints into the language file (developer function).
  void SaveInterface();

  // What the view keeps for the user between runs (list styles, columns, splitters) and
  // takes back at the next start.
  virtual void SaveState(WindowState&) const {}
  virtual void RestoreState(const WindowState&) {}

  virtual bool HasUnappliedChanges() const { return false; }
  virtual void ApplyChanges() {}
  virtual void ReloadChanges() {}

 protected:
  AppContext& context_;
};

}  // namespace kolvex
