#pragma once
// One of the five views of the main window. A view fills the main window's frame, takes
// its texts from the language file by component number, and may hold changes that the
// main window must settle before it switches away (the options view). Views know no other
// view: they ask for hand-overs by signals and hear of the catalog folder through the
// hooks below, all connected in one place (ViewWiring).
#include <QWidget>
#include <string>
#include <vector>

#include "core/explorer/ArchiveListEntry.h"
#include "ui/common/AppContext.h"

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

  // The program is closing: a run the view drives from inside the event loop (a search)
  // ends at its next round of events rather than going on with the window gone.
  virtual void StopWork() {}

  virtual bool HasUnappliedChanges() const { return false; }
  virtual void ApplyChanges() {}
  virtual void ReloadChanges() {}

  // The catalog folder is being read again / was read (context_.catalogs has the list).
  virtual void CatalogsRefreshing() {}
  virtual void CatalogsChanged(const std::vector<ArchiveListEntry>&) {}
  // The catalog is about to be rewritten or deleted, or was replaced: whoever holds it
  // open lets go of it.
  virtual void LetGoOfCatalog(const std::string&) {}

  // Hand-overs this view takes (the explorer browses, the search narrows to one catalog,
  // the archive manager offers a folder to catalogue).
  virtual void BrowseArchive(const std::string&, const std::string&, const std::string&) {}
  virtual void SearchOnly(const std::string&) {}
  virtual void OfferFolder(const std::string&) {}

 signals:
  // Show this catalog in the explorer at a folder given as a stored path ("X:\docs\";
  // empty for the root), selecting the entry named selectName when it is not empty.
  void browseRequested(const std::string& catalogPath, const std::string& storedFolder,
                       const std::string& selectName);
  // Search this catalog only.
  void searchRequested(const std::string& catalogPath);

 protected:
  AppContext& context_;
};

}  // namespace kolvex
