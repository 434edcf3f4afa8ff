#include "ui/app/StandardViews.h"

#include "ui/app/PlaceholderView.h"
#include "ui/app/TAboutFrame.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/search/TSearchFrame.h"
#include "ui/app/TOptionsFrame.h"
#include "ui/explorer/TArchiveExplorerFrame.h"

namespace kolvex {

const char* viewNameKey(int index) {
  static const char* const keys[kViewCount] = {"A029", "A030", "A031", "A033", "A032"};
  return index >= 0 && index < kViewCount ? keys[index] : "";
}

KolvexView* createStandardView(int index, AppContext& context, QWidget* parent) {
  // The archive manager, explorer, search and options views take their places here.
  static const char* const names[kViewCount] = {"TArchiveManFrame", "TArchiveExplorerFrame",
                                                "TSearchFrame", "TOptionsFrame", "TAboutFrame"};
  KolvexView* view = nullptr;
  if (index == kArchiveManagerView)
    view = new TArchiveManFrame(context, parent);
  else if (index == kAboutView)
    view = new TAboutFrame(context, parent);
  else if (index == kSearchView)
    view = new TSearchFrame(context, parent);
  else if (index == kExplorerView)
    view = new TArchiveExplorerFrame(context, parent);
  else if (index == kOptionsView)
    view = new TOptionsFrame(context, parent);
  else
    view = new PlaceholderView(context, viewNameKey(index), parent);
  view->setObjectName(names[index]);
  return view;
}

}  // namespace kolvex
