// Build step: writes the factory options of the application folder given as the only
// argument. "Default.cfg" always holds the factory values (it is rewritten only when its
// bytes differ, so its time stamp means something); "Options.cfg" is created with them
// when it is missing and never touched when it exists, because it holds the user's
// settings.
#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/app/OptionsFile.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TSCOptions.h"

namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool holds(const std::string& path, const std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str() == bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " APPDIR\n";
    return 2;
  }
  std::string dir = argv[1];
  if (dir.empty() || dir.back() != '/') dir += '/';
  kolvex::TSCOptions factory;
  factory.setFactoryValues();
  factory.AutoStart = false;
  try {
    std::string defaults = dir + kolvex::kDefaultOptionsFileName;
    if (!holds(defaults, kolvex::encodeObject(factory))) kolvex::saveOptions(factory, defaults);
    std::string options = dir + kolvex::kOptionsFileName;
    if (!exists(options)) kolvex::saveOptions(factory, options);
  } catch (const kolvex::EStreamError& e) {
    std::cerr << argv[0] << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
