#pragma once
// The desktop's actions on real files. A path is always handed over as one path: it never
// passes through a shell.
#include <string>
#include <vector>

namespace kolvex {

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // Each returns an empty text on success, else a message that says what went wrong.
  virtual std::string open(const std::string& path) = 0;     // the file with its program
  virtual std::string explore(const std::string& path) = 0;  // the folder in the file manager
  virtual std::string print(const std::string& path) = 0;    // through the print system
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void setText(const std::string& text) = 0;
  // An absolute path in the file system's bytes; a desktop also offers it as a file.
  virtual void setPath(const std::string& path) { setText(path); }
};

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // The folder the user chose, starting at start; empty when cancelled.
  virtual std::string pickFolder(const std::string& title, const std::string& start) = 0;
  // A file to write, starting at start (a path with a suggested name), offering the file
  // types of filters ("Name (*.ext)"); chosenFilter is the one offered first and, on
  // return, the one picked. Empty when cancelled. Pickers that only choose folders
  // cancel.
  virtual std::string pickSaveFile(const std::string& /*title*/, const std::string& /*start*/,
                                   const std::vector<std::string>& /*filters*/,
                                   int& /*chosenFilter*/) {
    return {};
  }
};

}  // namespace kolvex
