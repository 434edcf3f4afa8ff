#include "ui/shell/ViewWiring.h"

#include "ui/common/CatalogFolderService.h"
#include "ui/common/KolvexView.h"
#include "ui/shell/ScanIndicator.h"
#include "ui/shell/ViewRegistry.h"

namespace kolvex {

void WireViews(CatalogFolderService& catalogs, const ViewSet& views, ViewSwitcher& switcher) {
  const auto taking = [&views](int index) {
    return index >= 0 && index < static_cast<int>(views.size())
               ? views[static_cast<std::size_t>(index)]
               : nullptr;
  };
  const int explorerIndex = viewWithRole(kBrowsesCatalogs);
  const int searchIndex = viewWithRole(kSearchesCatalogs);
  KolvexView* explorer = taking(explorerIndex);
  KolvexView* search = taking(searchIndex);
  for (KolvexView* view : views) {
    if (!view) continue;
    QObject::connect(&catalogs, &CatalogFolderService::refreshStarted, view,
                     [view] { view->CatalogsRefreshing(); });
    QObject::connect(&catalogs, &CatalogFolderService::catalogsChanged, view,
                     [view, &catalogs] { view->CatalogsChanged(catalogs.catalogList()); });
    for (auto letGo : {&CatalogFolderService::aboutToRewrite, &CatalogFolderService::rewritten,
                       &CatalogFolderService::aboutToDelete})
      QObject::connect(&catalogs, letGo, view,
                       [view](const std::string& path) { view->LetGoOfCatalog(path); });
    if (explorer)
      QObject::connect(view, &KolvexView::browseRequested, explorer,
                       [explorer, explorerIndex, &switcher](const std::string& catalog,
                                                            const std::string& folder,
                                                            const std::string& select) {
                         explorer->BrowseArchive(catalog, folder, select);
                         switcher.ShowView(explorerIndex);
                       });
    if (search)
      QObject::connect(view, &KolvexView::searchRequested, search,
                       [search, searchIndex, &switcher](const std::string& catalog) {
                         search->SearchOnly(catalog);
                         switcher.ShowView(searchIndex);
                       });
  }
}

void WireScanIndicator(CatalogFolderService& catalogs, ScanIndicator& indicator) {
  QObject::connect(&catalogs, &CatalogFolderService::scanStarted, &indicator,
                   [&indicator](const std::string& volume) { indicator.scanShown(volume); });
  QObject::connect(&catalogs, &CatalogFolderService::scanProgress, &indicator,
                   [&indicator](int percent) { indicator.scanProgressed(percent); });
  QObject::connect(&catalogs, &CatalogFolderService::scanEnded, &indicator,
                   [&indicator] { indicator.scanHidden(); });
}

}  // namespace kolvex
