// Build step: writes the program's icon into an icon theme tree below the folder given
// as the only argument: hicolor/<N>x<N>/apps/kolvex.png at the sizes desktops look for,
// and hicolor/scalable/apps/kolvex.svg drawn by the same painting code. A file whose
// bytes would not change is left alone.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/common/AppIcon.h"

namespace {

bool writeIfChanged(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes) return true;
  file.close();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes) == bytes.size() && file.flush();
}

QByteArray png(int size) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "png").write(kolvex::paintAppIcon(size));
  return bytes;
}

QByteArray svg() {
  constexpr int kSize = 64;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kSize, kSize));
  generator.setViewBox(QRect(0, 0, kSize, kSize));
  generator.setTitle("Kolvex");
  generator.setDescription("The Kolvex program icon");
  QPainter p(&generator);
  kolvex::drawAppIcon(p, kSize);
  p.end();
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  // Painting text-free shapes needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s ICONDIR\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    ok = writeIfChanged(root + QString("%1x%1/apps/kolvex.png").arg(size), png(size)) && ok;
  ok = writeIfChanged(root + "scalable/apps/kolvex.svg", svg()) && ok;
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
