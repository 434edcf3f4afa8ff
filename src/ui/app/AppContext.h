#pragma once
// What every view and dialog reads: the one options object, the one interface package
// and its decoded pictures, the language file, the seams to the desktop, and the main
// window's view switching, the catalog folder. The main window owns all of it.
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

class ViewSwitcher {
 public:
  virtual ~ViewSwitcher() = default;
  virtual void ShowView(int index) = 0;
};

// View indices in list order.
enum ViewIndex : int {
  kArchiveManagerView = 0,
  kExplorerView = 1,
  kSearchView = 2,
  kOptionsView = 3,
  kAboutView = 4,
  kViewCount = 5
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
  IconProvider* icons = nullptr;  // the desktop's file-type icons (none in some tests)
};

}  // namespace kolvex
