#include "ui/catalog/IconPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

namespace kolvex {

QImage iconPicture(const TIcon& icon, int size) {
  if (icon.empty()) return {};
  QByteArray bytes =
      QByteArray::fromRawData(icon.bytes().data(), static_cast<qsizetype>(icon.bytes().size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.size() != QSize(size, size))
    image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return image;
}

QIcon iconOfPair(const TIcon& small, const TIcon& large) {
  QIcon icon;
  const QImage s = iconPicture(small, 16), l = iconPicture(large, 32);
  if (!s.isNull()) icon.addPixmap(QPixmap::fromImage(s));
  if (!l.isNull()) icon.addPixmap(QPixmap::fromImage(l));
  return icon;
}

}  // namespace kolvex
