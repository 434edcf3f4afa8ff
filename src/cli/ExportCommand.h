#pragma once
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli export CATALOG [FOLDER] [--format csv|jsonl|html] [-o FILE]: a catalog, or
// one folder of it with everything below, as CSV, JSON Lines or an HTML report.
class ExportCommand final : public Command {
 public:
  std::string name() const override { return "export"; }
  std::string description() const override {
    return "Export a catalog, or one folder of it (FOLDER as a path below the scanned folder "
           "such as docs/old) with everything below it, as CSV, JSON Lines or a self-contained "
           "HTML report, to standard output or to FILE (written completely or not at all)";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string catalog_;
  std::string folder_;
  std::string format_ = "csv";
  std::string output_;
};

}  // namespace kolvex::cli
