#pragma once
// A complete application folder for the windows under test: factory Options.cfg, a small
// IPack.ipk, the shipped language files, and (on request) a copy of the program itself,
// together with a private runtime folder for the single-instance lock and socket.
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <string>

#include "core/persist/TSCInterfacePack.h"

namespace kolvex::test {

class UiAppFolder {
 public:
  UiAppFolder();
  // The folder with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }
  const QString& runtime() const { return runtime_; }

  // Makes this folder the program's application folder for the code in this process.
  void useAsAppDir() const;
  // Places the program into the folder (so a launched copy finds this folder as its own)
  // and returns its path.
  QString installProgram() const;
  // The environment of a launched copy: no display needed, this folder's runtime folder.
  QProcessEnvironment environment() const;

  // Twelve small pictures of distinct sizes: mask 12×9, ITop 30×38, IFace 16×16 ...
  static TSCInterfacePack smallPackage();

 private:
  QTemporaryDir dir_;
  QTemporaryDir runtimeDir_;
  std::string path_;
  QString runtime_;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
// The names in the folder that begin with "GETSHINFO.".
QStringList probeFilesIn(const std::string& dir);

}  // namespace kolvex::test
