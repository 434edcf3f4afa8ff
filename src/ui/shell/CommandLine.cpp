#include "ui/shell/CommandLine.h"

#include <sys/stat.h>

#include "ui/common/AppNames.h"

namespace kolvex {
namespace {

bool isFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& args) {
  CommandLine c;
  if (args.empty()) return c;
  c.first_ = args.front();
  if (c.first_ == kMinimizeSwitch)
    c.kind_ = Kind::Minimize;
  else if (isFolder(c.first_))
    c.kind_ = Kind::Folder;
  return c;
}

CommandLine CommandLine::fromArgv(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return parse(args);
}

}  // namespace kolvex
