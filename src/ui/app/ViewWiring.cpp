#include "ui/app/ViewWiring.h"

#include "ui/app/CatalogFolderService.h"
#include "ui/app/KolvexView.h"
#include "ui/app/ScanIndicator.h"

namespace kolvex {

void WireViews(CatalogFolderService& catalogs, const ViewSet& views, ViewSwitcher& switcher) {
  KolvexView* explorer = views[kExplorerView];
  KolvexView* search = views[kSearchView];
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
                       [explorer, &switcher](const std::string& catalog, const std::string& folder,
                                             const std::string& select) {
                         explorer->BrowseArchive(catalog, folder, select);
                         switcher.ShowView(kExplorerView);
                       });
    if (search)
      QObject::connect(view, &KolvexView::searchRequested, search,
                       [search, &switcher](const std::string& catalog) {
                         search->SearchOnly(catalog);
                         switcher.ShowView(kSearchView);
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
