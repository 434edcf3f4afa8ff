#pragma once
// What every view and dialog reads: the one options object, the one interface package
// and its decoded pictures, the language file, the seams to the desktop, and the main
// window's view switching, the catalog folder. The main window owns all of it.
#include <chrono>

#include "core/app/DesktopShell.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"
#include "core/app/IconProvider.h"

namespace kolvex {

class CatalogFolderService;
class Skin;

// What the views ask of the main window.
class ViewSwitcher {
 public:
  virtual ~ViewSwitcher() = default;
  // Shows the view at its place in the list (the shell's view registry).
  virtual void ShowView(int index) = 0;
  // The options were changed and saved: every window takes them up (language, drive
  // monitor interval).
  virtual void OptionsApplied() {}
};

struct AppContext {
  TSCOptions& options;
  TSCInterfacePack& package;
  const Skin& skin;
  LanguageFile& language;
  EventPump& pump;
  Dialogs& dialogs;
  DesktopShell& shell;
  ViewSwitcher& views;
  CatalogFolderService& catalogs;
  FolderPicker& picker;  // the folder and save-file choosers
  IconProvider* icons = nullptr;  // the desktop's file-type icons (none in some tests)
  // Work between two rounds of window events in a long export (tests make it 0 to act
  // on every round).
  std::chrono::milliseconds eventSlice{20};
};

}  // namespace kolvex
