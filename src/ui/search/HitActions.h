#pragma once
// What the user can do with one catalogued item in a result list (the search's hits, the
// copies of a duplicate): open it, show its folder or print it once its medium is found,
// copy its name or path, and the place the explorer browses it at. The menu of these
// actions is built here too, so each list offers them alike.
#include <QMenu>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/app/DesktopShell.h"
#include "core/catalog/LocateOnMedia.h"
#include "core/search/TTSearchResultItem.h"
#include "ui/common/AppContext.h"

namespace kolvex {

// Component numbers of the actions, which are also their texts' numbers.
enum HitActionTag : int {
  kHitBrowseArchive = 20028,
  kHitExecute = 90201,
  kHitBrowseFolder = 90202,
  kHitPrint = 90203,
  kHitCopyName = 90204,
  kHitCopyPath = 90205,
  kHitCopyPathName = 90206,
};

// Where the explorer shows a hit: the catalog, the stored folder ("X:\docs\"; empty for a
// catalog's root) and the entry to select (empty for none).
struct BrowsePlace {
  std::string catalog, folder, select;
};
BrowsePlace BrowsePlaceOf(const TTSearchResultItem& hit);

class HitActions {
 public:
  explicit HitActions(AppContext& context);
  ~HitActions();

  // The clipboard seam (the desktop's by default).
  void setClipboard(Clipboard* clipboard);
  // Where catalogued items are looked for (the running system's volumes by default).
  void setVolumeSource(MediaLocator::VolumeSource volumes);

  // Execute, Browse Folder and Print: the item is looked for on its medium first (the
  // user is asked to insert it); a desktop that cannot do it says why.
  void runOnMedium(int tag, const TTSearchResultItem& hit);
  // Browse Archive: where the explorer shows the hit; none, having told the user, when its
  // catalog file is no longer there (deleted since the search, say).
  std::optional<BrowsePlace> browsePlace(const TTSearchResultItem& hit);
  // Copy File Name, Copy File Path and Copy File Pathname.
  void copy(int tag, const TTSearchResultItem& hit);

  // Adds the item actions to menu: Browse Archive, then Execute (the default), Browse
  // Folder and Print, then the three copies. Each calls chosen with its tag.
  static void addToMenu(QMenu* menu, const std::function<void(int tag)>& chosen);

 private:
  AppContext& context_;
  std::unique_ptr<MediaLocator> locator_;
  std::unique_ptr<Clipboard> ownClipboard_;
  Clipboard* clipboard_;
};

}  // namespace kolvex
