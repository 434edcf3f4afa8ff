#pragma once
#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli match MASKLIST NAME... [--single]: which names a mask list (or, with
// --single, one mask) selects, one "yes" or "no" line per name.
class MatchCommand final : public Command {
 public:
  std::string name() const override { return "match"; }
  std::string description() const override {
    return "Test names against a list of masks separated by \";\" (\"*\" any text, \"?\" one "
           "character, \"[a-z]\" and \"[!a-z]\" sets, a to z in either case): one line "
           "\"yes\" or \"no\", a tab and the name, per name";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string masks_;
  std::vector<std::string> names_;
  bool single_ = false;
};

}  // namespace kolvex::cli
