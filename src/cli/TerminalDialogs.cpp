#include "cli/TerminalDialogs.h"

#include <istream>
#include <ostream>

namespace kolvex::cli {

void TerminalDialogs::message(MessageKind kind, const std::string& text) {
  if (kind != MessageKind::Error) {
    err_ << text << "\n";
    return;
  }
  failed_ = true;
  errors_.push_back(text);
  err_ << "kolvex-cli: " << (subject_.empty() ? "" : subject_ + ": ") << text << "\n";
}

bool TerminalDialogs::said(const std::string& text) const {
  for (const std::string& e : errors_)
    if (e.find(text) != std::string::npos) return true;
  return false;
}

Answer TerminalDialogs::ask(const std::string& text, bool withCancel) {
  if (!in_) return withCancel ? Answer::Cancel : Answer::No;
  err_ << text << (withCancel ? " [y/n/C] " : " [y/N] ") << std::flush;
  std::string line;
  if (!std::getline(*in_, line)) return withCancel ? Answer::Cancel : Answer::No;
  if (line == "y" || line == "Y" || line == "yes" || line == "Yes") return Answer::Yes;
  if (withCancel && (line == "n" || line == "N" || line == "no")) return Answer::No;
  return withCancel ? Answer::Cancel : Answer::No;
}

}  // namespace kolvex::cli
