#pragma once
// The desktop's type names and icons for the rows of the result list, asked once per
// file extension: file rows of one extension share both.
#include <QFileIconProvider>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/search/TTSearchResultItem.h"

namespace kolvex {

class HitAppearance {
 public:
  static constexpr int kCatalogIcon = 0;
  static constexpr int kFolderIcon = 1;
  static constexpr int kMaxTypeName = 80;

  HitAppearance();

  // Fills the hit's KindText (the folder text or the desktop's type name; a catalog keeps
  // its own) and returns the index of its icon.
  int describe(TTSearchResultItem& hit, const std::string& folderText);
  // Icons are shown once the list's icon lists are set up (shortly after the view opens).
  void setIconsReady(bool ready) { ready_ = ready; }
  bool iconsReady() const { return ready_; }
  QIcon icon(int index) const;

 private:
  struct Kind {
    std::string typeName;
    int icon = 0;
  };
  const Kind& kindOfExtension(const std::string& extension);

  QMimeDatabase mimes_;
  QFileIconProvider provider_;
  std::vector<QIcon> icons_;
  std::unordered_map<std::string, Kind> kinds_;
  QString kindsLanguage_;  // the default locale the kinds were asked in
  bool ready_ = false;
};

}  // namespace kolvex
