#pragma once
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli diff OLD.qel NEW.qel [--json]: what changed between two catalogs.
class DiffCommand final : public Command {
 public:
  std::string name() const override { return "diff"; }
  std::string description() const override {
    return "Compare two catalogs of the same tree: a line per file added, removed, changed "
           "(size, time, content when both have fingerprints) or moved to another folder, "
           "then the counts and sizes. Exit status 0 when they agree, 1 when they differ, 2 "
           "for trouble";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string older_, newer_;
  bool json_ = false;
};

}  // namespace kolvex::cli
