#include "core/catalog/FileNames.h"

#include "core/persist/FileOps.h"

namespace kolvex {

std::string ReplaceInvalidChars(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    switch (c) {
      case ':': case '"': case '|': case '*': case '?': case '/': case '\\': case '<': case '>':
        c = '_';
        break;
      default:
        break;
    }
  }
  return out;
}

std::string MakeTempFileName() {
  FileOps& ops = posixFileOps();
  std::string path;
  int fd = createUniqueFile(ops, tempDirectory(), "QE_", ".tmp", path);
  ops.close(fd);
  return path;
}

}  // namespace kolvex
