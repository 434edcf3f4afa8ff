#pragma once
// Message boxes and questions on the command line: messages go to standard error, a
// question is asked on the terminal when there is one and answered No when there is not.
#include <iosfwd>
#include <string>
#include <vector>

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
  // Errors then name what they are about, "kolvex-cli: SUBJECT: text", as the commands
  // that read a catalog name the file they could not use.
  void setSubject(std::string subject) { subject_ = std::move(subject); }
  // Whether an error already said text, so that a reason is not printed twice.
  bool said(const std::string& text) const;

 private:
  std::ostream& err_;
  std::istream* in_;
  bool failed_ = false;
  std::string subject_;
  std::vector<std::string> errors_;
};

}  // namespace kolvex::cli
