#include "ui/search/HitActions.h"

#include <QAction>
#include <filesystem>

#include "core/app/ExploreTarget.h"
#include "core/search/TUSearch.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/QtDesktopShell.h"
#include "ui/search/HitTexts.h"

namespace kolvex {

BrowsePlace BrowsePlaceOf(const TTSearchResultItem& hit) {
  if (hit.Kind == kSearchCatalogs) return {hit.CatalogFile, {}, {}};
  if (IsUnnamedRecord(hit)) return {hit.CatalogFile, HitStoredFolder(hit), {}};
  return {hit.CatalogFile, HitStoredFolder(hit), hit.Name};
}

HitActions::HitActions(AppContext& context)
    : context_(context),
      locator_(std::make_unique<MediaLocator>(context.dialogs, context.language)),
      ownClipboard_(std::make_unique<QtClipboard>()),
      clipboard_(ownClipboard_.get()) {}

HitActions::~HitActions() = default;

void HitActions::setClipboard(Clipboard* clipboard) {
  clipboard_ = clipboard ? clipboard : ownClipboard_.get();
}

void HitActions::setVolumeSource(MediaLocator::VolumeSource volumes) {
  locator_ = std::make_unique<MediaLocator>(context_.dialogs, context_.language, std::move(volumes));
}

void HitActions::runOnMedium(int tag, const TTSearchResultItem& hit) {
  if (hit.Kind == kSearchCatalogs) return;
  const std::string real =
      locator_->LocateOnMedia(HitStoredPath(hit), hit.BaseDir, hit.CDLabel, hit.Removable);
  if (real.empty()) return;
  const std::string folder = ExploreTarget(real);
  std::string failure;
  if (tag == kHitExecute)
    failure = context_.shell.open(real);
  else if (tag == kHitBrowseFolder)
    failure = context_.shell.explore(folder);
  else if (tag == kHitPrint)
    failure = context_.shell.print(real);
  // A desktop that cannot do it says so, rather than nothing happening.
  if (!failure.empty()) context_.dialogs.message(MessageKind::Error, failure);
}

std::optional<BrowsePlace> HitActions::browsePlace(const TTSearchResultItem& hit) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(hit.CatalogFile, error)) {
    context_.dialogs.message(MessageKind::Error, context_.language.format("A087", {hit.CatalogFile}));
    return std::nullopt;
  }
  return BrowsePlaceOf(hit);
}

void HitActions::copy(int tag, const TTSearchResultItem& hit) {
  if (tag == kHitCopyName)
    clipboard_->setText(hit.Name);
  else if (tag == kHitCopyPath)
    clipboard_->setPath(HitFolderText(hit));
  else if (tag == kHitCopyPathName)
    clipboard_->setPath(HitPathnameText(hit));
}

void HitActions::addToMenu(QMenu* menu, const std::function<void(int)>& chosen) {
  auto add = [&](const char* name, int tag) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    setTag(a, tag);
    QObject::connect(a, &QAction::triggered, menu, [chosen, tag] { chosen(tag); });
    return a;
  };
  add("miBrowseArchive", kHitBrowseArchive);
  menu->addSeparator();
  menu->setDefaultAction(add("miExecuteItem", kHitExecute));
  add("miBrowseFolder", kHitBrowseFolder);
  add("miPrintItem", kHitPrint);
  menu->addSeparator();
  add("miCopyName", kHitCopyName);
  add("miCopyPath", kHitCopyPath);
  add("miCopyPathName", kHitCopyPathName);
}

}  // namespace kolvex
