#include "ui/support/UiAppFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "ui/shell/InterfacePackFile.h"

namespace kolvex::test {
namespace {

std::string encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(95);
  if (!writer.write(image)) throw std::runtime_error("cannot encode a test picture");
  return bytes.toStdString();
}

std::shared_ptr<TJPEGImage> jpeg(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  auto out = std::make_shared<TJPEGImage>();
  out->setBytes(encode(image, "jpeg"));
  return out;
}

}  // namespace

UiAppFolder::UiAppFolder() {
  if (!dir_.isValid() || !runtimeDir_.isValid()) throw std::runtime_error("no temporary folder");
  path_ = QFile::encodeName(dir_.path()).toStdString() + '/';
  runtime_ = runtimeDir_.path();
  ::chmod(QFile::encodeName(runtime_).constData(), 0700);
  TSCOptions options;
  options.setFactoryValues();
  saveOptions(options, path_ + kOptionsFileName);
  InterfacePackFile::save(smallPackage(), path_ + "IPack.ipk");
  QDir().mkpath(dir_.path() + "/Languages");
  QDir().mkpath(dir_.path() + "/Archives");
  // The windows keep their state in the user's configuration folder: a test's own.
  QDir().mkpath(dir_.path() + "/config");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path() + "/config"));
  for (const char* language : {"English.ini", "German.ini"})
    QFile::copy(QString(KOLVEX_SOURCE_DIR) + "/assets/Languages/" + language,
                dir_.path() + "/Languages/" + language);
}

void UiAppFolder::useAsAppDir() const { setAppDirForTesting(path_); }

QString UiAppFolder::installProgram() const {
  const QString target = dir_.path() + "/kolvex";
  if (!QFile::exists(target) &&
      ::link(KOLVEX_EXECUTABLE, QFile::encodeName(target).constData()) != 0 &&
      !QFile::copy(KOLVEX_EXECUTABLE, target))
    throw std::runtime_error("cannot place the program into the test folder");
  return target;
}

QProcessEnvironment UiAppFolder::environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_RUNTIME_DIR", runtime_);
  return env;
}

TSCInterfacePack UiAppFolder::smallPackage() {
  TSCInterfacePack pack;
  QImage mask(12, 9, QImage::Format_RGB888);
  mask.fill(Qt::white);
  {
    QPainter p(&mask);
    p.fillRect(2, 2, 8, 5, QColor(40, 60, 80));
  }
  pack.FlatMask->setBytes(encode(mask, "bmp"));
  pack.LeftBar = jpeg(40, 120, QColor(230, 235, 240));
  pack.ITop = jpeg(30, 38, QColor(50, 60, 70));
  pack.IBottom = jpeg(30, 31, QColor(40, 50, 60));
  pack.ILeft = jpeg(10, 20, QColor(60, 70, 80));
  pack.IRight = jpeg(10, 22, QColor(60, 70, 80));
  pack.IFace = jpeg(16, 16, QColor(238, 241, 245));
  pack.ILeftTop = jpeg(40, 38, QColor(50, 60, 70));
  pack.IRightTop = jpeg(12, 38, QColor(50, 60, 70));
  pack.ILeftBot = jpeg(12, 31, QColor(40, 50, 60));
  pack.IRightBot = jpeg(18, 31, QColor(40, 50, 60));
  pack.TopBanner = jpeg(150, 53, QColor(238, 241, 245));
  return pack;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

QStringList probeFilesIn(const std::string& dir) {
  return QDir(QFile::decodeName(dir.c_str()))
      .entryList({"GETSHINFO.*"}, QDir::Files | QDir::System | QDir::Hidden | QDir::CaseSensitive,
                 QDir::Name);
}

}  // namespace kolvex::test
