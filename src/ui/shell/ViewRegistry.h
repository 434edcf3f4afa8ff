#pragma once
// The views of the main window, in list order. A view is added by one entry in the table
// of ViewRegistry.cpp: its place in the list, its name, the hand-overs it takes and how
// it is made. Nothing else lists the views.
#include <QWidget>
#include <functional>
#include <span>
#include <string_view>

#include "ui/common/AppContext.h"

namespace kolvex {

class KolvexView;

// What a view takes part in beyond being shown; roles combine.
enum ViewRole : unsigned {
  kBrowsesCatalogs = 1u << 0,   // takes browseRequested (BrowseArchive)
  kSearchesCatalogs = 1u << 1,  // takes searchRequested (SearchOnly)
  kTakesFolders = 1u << 2,      // takes a folder to catalogue (OfferFolder)
  kHoldsCatalogs = 1u << 3,     // may hold catalogs open: closed first at shutdown
};

struct ViewRegistration {
  const char* objectName;  // the view's class name, also its object name
  const char* nameKey;     // message key of its name in the menus and the caption
  unsigned roles;          // ViewRole
  KolvexView* (*create)(AppContext& context, QWidget* parent);
};

// Every view in list order; a view's index in the main window is its place here.
std::span<const ViewRegistration> registeredViews();
int viewCount();
// The index of the view registered under objectName; -1 when there is none.
int viewIndexOf(std::string_view objectName);
// The index of the first view with the role; -1 when none has it.
int viewWithRole(ViewRole role);

using ViewFactory = std::function<KolvexView*(int index, AppContext& context, QWidget* parent)>;

// The registered view at index, created inside parent and named after its class.
KolvexView* createRegisteredView(int index, AppContext& context, QWidget* parent);

}  // namespace kolvex
