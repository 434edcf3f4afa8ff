#pragma once
// The program's command line: only the first argument counts. "/am" (exactly, letter case
// included) starts hidden in the tray; an existing folder is offered for cataloguing;
// anything else is ignored.
#include <string>
#include <vector>

namespace kolvex {

class CommandLine {
 public:
  enum class Kind { None, Minimize, Folder };

  CommandLine() = default;
  // args: the arguments after the program's name, as the bytes the system passed.
  static CommandLine parse(const std::vector<std::string>& args);
  static CommandLine fromArgv(int argc, char** argv);

  Kind kind() const { return kind_; }
  bool minimize() const { return kind_ == Kind::Minimize; }
  bool hasFolder() const { return kind_ == Kind::Folder; }
  // The first argument as given (empty when there is none).
  const std::string& first() const { return first_; }

 private:
  Kind kind_ = Kind::None;
  std::string first_;
};

}  // namespace kolvex
