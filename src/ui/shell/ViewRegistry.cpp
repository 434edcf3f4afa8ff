#include "ui/shell/ViewRegistry.h"

#include <iterator>

#include "ui/about/TAboutFrame.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/options/TOptionsFrame.h"
#include "ui/search/TSearchFrame.h"

namespace kolvex {

namespace {

template <class View>
KolvexView* make(AppContext& context, QWidget* parent) {
  return new View(context, parent);
}

const ViewRegistration kViews[] = {
    {"TArchiveManFrame", "A029", kTakesFolders | kHoldsCatalogs, make<TArchiveManFrame>},
    {"TArchiveExplorerFrame", "A030", kBrowsesCatalogs | kHoldsCatalogs, make<TArchiveExplorerFrame>},
    {"TSearchFrame", "A031", kSearchesCatalogs | kHoldsCatalogs, make<TSearchFrame>},
    {"TOptionsFrame", "A033", 0, make<TOptionsFrame>},
    {"TAboutFrame", "A032", 0, make<TAboutFrame>},
};

}  // namespace

std::span<const ViewRegistration> registeredViews() { return kViews; }

int viewCount() { return static_cast<int>(std::size(kViews)); }

int viewIndexOf(std::string_view objectName) {
  for (int i = 0; i < viewCount(); ++i)
    if (objectName == kViews[i].objectName) return i;
  return -1;
}

int viewWithRole(ViewRole role) {
  for (int i = 0; i < viewCount(); ++i)
    if (kViews[i].roles & role) return i;
  return -1;
}

KolvexView* createRegisteredView(int index, AppContext& context, QWidget* parent) {
  if (index < 0 || index >= viewCount()) return nullptr;
  KolvexView* view = kViews[index].create(context, parent);
  view->setObjectName(kViews[index].objectName);
  return view;
}

}  // namespace kolvex
