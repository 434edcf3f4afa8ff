#include "ui/search/HitTexts.h"

#include "core/catalog/DateTimeText.h"
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
  return DateTimeText(hit.DateTime);
}

std::string HitSizeText(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchCatalogs ? "0" : std::to_string(hit.Size);
}

bool IsUnnamedRecord(const TTSearchResultItem& hit) {
  return hit.Kind != kSearchCatalogs && hit.Name == hit.FilePath;
}

std::string HitStoredPath(const TTSearchResultItem& hit) {
  if (IsUnnamedRecord(hit)) return hit.FilePath;
  return hit.FilePath + hit.Name;
}

std::string HitShownPath(const TTSearchResultItem& hit) {
  const std::string& path = hit.FilePath;
  std::string rest = path.size() > 3 ? path.substr(3) : std::string();
  // A folder catalogued here is shown with this system's separators.
  if (hit.BaseDir.find('/') != std::string::npos)
    for (char& c : rest)
      if (c == '\\') c = '/';
  return hit.BaseDir + rest;
}

std::string HitFolderText(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchCatalogs ? hit.FilePath : HitShownPath(hit);
}

std::string HitPathnameText(const TTSearchResultItem& hit) {
  return withTrailingBackslash(hit.FilePath) + hit.Name;
}

std::string HitStoredFolder(const TTSearchResultItem& hit) {
  return withTrailingBackslash(hit.FilePath);
}

}  // namespace kolvex
