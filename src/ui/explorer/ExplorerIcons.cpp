#include "ui/explorer/ExplorerIcons.h"

#include <QFile>
#include <QFileIconProvider>
#include <QImage>
#include <QMimeDatabase>
#include <QPixmap>

namespace kolvex {
namespace {

QImage decodeIcon(const std::shared_ptr<TIcon>& icon) {
  if (!icon || icon->empty()) return {};
  const std::string& bytes = icon->bytes();
  return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                          static_cast<int>(bytes.size()), "ICO");
}

QString extensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf('.');
  return dot < 0 ? QString() : name.mid(dot).toUpper();
}

}  // namespace

QIcon iconFromStored(const TTFileObjectInfo& record) {
  QIcon icon;
  for (const QImage& image : {decodeIcon(record.EXEIconSmall), decodeIcon(record.EXEIconLarge)})
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

ExplorerIcons::ExplorerIcons() {
  // Outside a desktop session Qt knows no icon theme; the desktop's usual one then
  // stands in for it before the style's few generic pictures.
  if (!QIcon::hasThemeIcon("folder") && QIcon::fallbackThemeName().isEmpty())
    QIcon::setFallbackThemeName("Adwaita");
  QFileIconProvider provider;
  closedFolder_ = QIcon::fromTheme("folder", provider.icon(QFileIconProvider::Folder));
  openFolder_ = QIcon::fromTheme("folder-open", closedFolder_);
  plainFile_ = QIcon::fromTheme("text-x-generic", provider.icon(QFileIconProvider::File));
}

QIcon ExplorerIcons::iconOf(const TTFileObjectInfo& record, std::int64_t position) {
  if (record.CreateDateTime == 0.0) return closedFolder_;
  if (record.EXEIconSmall || record.EXEIconLarge) {
    auto found = records_.find(position);
    if (found == records_.end()) found = records_.insert(position, iconFromStored(record));
    if (!found->isNull()) return *found;
  }
  return iconForName(QFile::decodeName(record.FileName.c_str()));
}

QIcon ExplorerIcons::iconForName(const QString& fileName) {
  const QString extension = extensionOf(fileName);
  auto found = byExtension_.find(extension);
  if (found != byExtension_.end()) return *found;
  QIcon icon = plainFile_;
  if (!extension.isEmpty()) {
    QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile("probe" + extension, QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault())
      icon =
          QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), plainFile_));
  }
  return *byExtension_.insert(extension, icon);
}

}  // namespace kolvex
