#include "ui/shell/RequiredFiles.h"

#include <sys/stat.h>
#include <unistd.h>


namespace kolvex {
namespace {

bool readableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

const char* const RequiredFiles::kErrorText =
    "One or more files needed to start Kolvex could not be accessed\n\r"
    "The broken file may be one or some of the following:\n\r"
    "IPack.ipk  --  Interface package\n\r"
    "Options.cfg  --  Options database\n\r"
    "Please try to reinstall Kolvex using the default setup program to fix the problem.\n\r"
    "I am very sorry to bring such inconvenience to you!";

bool RequiredFiles::present(const AppPaths& paths) {
  return readableFile(paths.interfacePackFile()) && readableFile(paths.optionsFile());
}

}  // namespace kolvex
