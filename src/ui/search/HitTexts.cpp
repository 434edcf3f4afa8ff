#include "ui/search/HitTexts.h"

#include "ui/common/QtText.h"
#include "core/catalog/ScannedPath.h"
#include "core/search/TUSearch.h"

namespace kolvex {
namespace {

std::string withTrailingBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

bool IsFolderRow(const TTSearchResultItem& hit) {
  return hit.Kind != kSearchCatalogs && hit.DateTime == 0.0;
}

std::string HitDateText(const TTSearchResultItem& hit) {
  if (IsFolderRow(hit)) return "--";
  return DateTimeTextOf(hit.DateTime).toStdString();
}

std::string HitSizeText(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchCatalogs ? "0" : std::to_string(hit.Size);
}

bool HitHasSize(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchFiles;
}

bool IsUnnamedRecord(const TTSearchResultItem& hit) {
  return hit.Kind != kSearchCatalogs && hit.Name == hit.FilePath;
}

std::string HitStoredPath(const TTSearchResultItem& hit) {
  if (IsUnnamedRecord(hit)) return hit.FilePath;
  return hit.FilePath + hit.Name;
}

std::string HitShownPath(const TTSearchResultItem& hit) {
  return ScannedPath(hit.BaseDir, hit.FilePath);
}

std::string HitFolderText(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchCatalogs ? hit.FilePath : HitShownPath(hit);
}

std::string HitPathnameText(const TTSearchResultItem& hit) {
  if (hit.Kind == kSearchCatalogs) return hit.FilePath;
  return ScannedPath(hit.BaseDir, hit.FilePath, hit.Name);
}

std::string HitStoredFolder(const TTSearchResultItem& hit) {
  return withTrailingBackslash(hit.FilePath);
}

}  // namespace kolvex
