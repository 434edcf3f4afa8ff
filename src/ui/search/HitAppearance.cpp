#include "ui/search/HitAppearance.h"

#include <QLocale>

#include "core/search/TUSearch.h"
#include "ui/search/HitTexts.h"

namespace kolvex {
namespace {

// The extension of a name, dot included, lower-cased for the lookup; empty without one.
std::string extensionKey(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return QString::fromStdString(name.substr(dot)).toLower().toStdString();
}

}  // namespace

HitAppearance::HitAppearance() {
  QIcon disc = QIcon::fromTheme("media-optical", provider_.icon(QFileIconProvider::Drive));
  icons_.push_back(disc);
  icons_.push_back(QIcon::fromTheme("folder", provider_.icon(QFileIconProvider::Folder)));
}

int HitAppearance::describe(TTSearchResultItem& hit, const std::string& folderText) {
  if (hit.Kind == kSearchCatalogs) return kCatalogIcon;
  if (IsFolderRow(hit)) {
    hit.KindText = folderText;
    return kFolderIcon;
  }
  const Kind& kind = kindOfExtension(extensionKey(hit.Name));
  hit.KindText = kind.typeName;
  return kind.icon;
}

const HitAppearance::Kind& HitAppearance::kindOfExtension(const std::string& extension) {
  // The type names are in the program's language: a new one asks the desktop again.
  const QString language = QLocale().name();
  if (language != kindsLanguage_) {
    kinds_.clear();
    kindsLanguage_ = language;
  }
  auto found = kinds_.find(extension);
  if (found != kinds_.end()) return found->second;
  // Asked by name only: the file itself is on a medium that may not be there.
  const QMimeType mime =
      mimes_.mimeTypeForFile("probe" + QString::fromStdString(extension), QMimeDatabase::MatchExtension);
  Kind kind;
  kind.typeName = mime.comment().left(kMaxTypeName).toStdString();
  QIcon icon = QIcon::fromTheme(mime.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(mime.genericIconName());
  if (icon.isNull()) icon = provider_.icon(QFileIconProvider::File);
  kind.icon = static_cast<int>(icons_.size());
  icons_.push_back(icon);
  return kinds_.emplace(extension, std::move(kind)).first->second;
}

QIcon HitAppearance::icon(int index) const {
  if (!ready_ || index < 0 || index >= static_cast<int>(icons_.size())) return {};
  return icons_[index];
}

}  // namespace kolvex
