#include "ui/common/QtIconProvider.h"

#include <QBuffer>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QImageWriter>
#include <QMimeDatabase>

namespace kolvex {
namespace {

std::string iconFile(const QIcon& icon, int size) {
  QImage image = icon.pixmap(size, size).toImage();
  if (image.isNull()) return {};
  if (image.size() != QSize(size, size))
    image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "ico");
  if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) return {};
  return bytes.toStdString();
}

}  // namespace

bool QtIconProvider::iconsOf(const std::string& path, TIcon& small, TIcon& large) {
  small.clear();
  large.clear();
  QFileIconProvider provider;
  QIcon icon = provider.icon(QFileInfo(QFile::decodeName(path.c_str())));
  if (icon.isNull()) return false;
  std::string s = iconFile(icon, 16), l = iconFile(icon, 32);
  if (s.empty() || l.empty()) return false;
  small.setBytes(std::move(s));
  large.setBytes(std::move(l));
  return true;
}

std::string QtIconProvider::typeNameOf(const std::string& fileName) {
  QMimeDatabase db;
  QMimeType type =
      db.mimeTypeForFile(QFile::decodeName(fileName.c_str()), QMimeDatabase::MatchExtension);
  return type.isValid() ? type.comment().toStdString() : std::string();
}

}  // namespace kolvex
