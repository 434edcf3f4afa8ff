#pragma once
// The one place where the catalog-folder service, the views and the main window meet:
// the service's news reach every view, and a view's hand-over request reaches the view
// that takes it, which is then shown.
#include <vector>

#include "ui/common/AppContext.h"

namespace kolvex {

class CatalogFolderService;
class KolvexView;
class ScanIndicator;

// By place in the view registry; null where there is none. The hand-overs go to the
// views whose registration takes them.
using ViewSet = std::vector<KolvexView*>;

void WireViews(CatalogFolderService& catalogs, const ViewSet& views, ViewSwitcher& switcher);

// The header's running-scan indicator follows the service's scan news.
void WireScanIndicator(CatalogFolderService& catalogs, ScanIndicator& indicator);

}  // namespace kolvex
