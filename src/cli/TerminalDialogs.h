#pragma once
// Message boxes and questions on the command line: messages go to standard error, a
// question is asked on the terminal when there is one and answered No when there is not.
#include <iosfwd>
#include <string>

#include "core/app/Dialogs.h"

namespace kolvex::cli {

class TerminalDialogs final : public Dialogs {
 public:
  // in: where answers are read from; null when no one can answer.
  TerminalDialogs(std::ostream& err, std::istream* in) : err_(err), in_(in) {}
  void message(MessageKind kind, const std::string& text) override;
  Answer ask(const std::string& text, bool withCancel = false) override;
  // Whether an error was reported.
  bool failed() const { return failed_; }

 private:
  std::ostream& err_;
  std::istream* in_;
  bool failed_ = false;
};

}  // namespace kolvex::cli
