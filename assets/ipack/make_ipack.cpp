// Build step: paints the interface package IPack.ipk and the program's icon kolvex.png
// into the application folder given as the only argument. A file whose bytes would not
// change is left alone, so its time stamp means something.
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <cstdio>
#include <memory>
#include <string>

#include "SkinPainter.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/TSCInterfacePack.h"
#include "ui/common/AppIcon.h"

namespace {

std::string encode(const QImage& image, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(image)) {
    std::fprintf(stderr, "kolvex_make_ipack: cannot encode %s: %s\n", format,
                 qPrintable(writer.errorString()));
    std::exit(1);
  }
  return bytes.toStdString();
}

std::shared_ptr<kolvex::TJPEGImage> jpeg(const QImage& image) {
  auto out = std::make_shared<kolvex::TJPEGImage>();
  out->setBytes(encode(image, "jpeg", 92));
  return out;
}

bool writeIfChanged(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (file.open(QIODevice::ReadOnly) && file.readAll().toStdString() == bytes) return true;
  file.close();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool ok = file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
            static_cast<qint64>(bytes.size());
  return file.flush() && ok;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s APPDIR\n", argv[0]);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]) + '/';
  namespace s = kolvex::skin;

  kolvex::TSCInterfacePack pack;
  pack.FlatMask->setBytes(encode(s::paintFlatMask().convertToFormat(QImage::Format_RGB888), "bmp"));
  pack.LeftBar = jpeg(s::paintLeftBar());
  pack.ITop = jpeg(s::paintTop());
  pack.IBottom = jpeg(s::paintBottom());
  pack.ILeft = jpeg(s::paintLeft());
  pack.IRight = jpeg(s::paintRight());
  pack.IFace = jpeg(s::paintFace());
  pack.ILeftTop = jpeg(s::paintLeftTop());
  pack.IRightTop = jpeg(s::paintRightTop());
  pack.ILeftBot = jpeg(s::paintLeftBottom());
  pack.IRightBot = jpeg(s::paintRightBottom());
  pack.TopBanner = jpeg(s::paintBanner());

  if (!writeIfChanged(dir + "IPack.ipk", kolvex::encodeObject(pack)) ||
      !writeIfChanged(dir + "kolvex.png", encode(kolvex::paintAppIcon(256), "png"))) {
    std::fprintf(stderr, "kolvex_make_ipack: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
