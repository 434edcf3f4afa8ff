// Build step: writes the installed copy's menu entry to the file given as the only
// argument; the program is found on PATH and its icon in the icon theme. The portable
// folder's launcher is the same entry with absolute paths, written by the program.
#include <cstdio>

#include "core/app/DesktopEntryText.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  if (!kolvex::writeDesktopEntry(argv[1], kolvex::menuEntry("kolvex", "kolvex"))) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
