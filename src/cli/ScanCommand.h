#pragma once
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/ScanSession.h"

namespace kolvex::cli {

// kolvex-cli scan PATH [--archives DIR] [--label TEXT] [--yes]: catalogues a folder or a
// mounted volume under the name its volume gives it.
class ScanCommand final : public Command {
 public:
  ScanCommand();
  explicit ScanCommand(Terminal terminal) : terminal_(terminal) {}

  std::string name() const override { return "scan"; }
  std::string description() const override {
    return "Catalogue a folder or a mounted volume into the catalog folder and print the "
           "catalog's path and totals";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  Terminal terminal_;
  std::string path_;
  std::string archives_;
  std::optional<std::string> label_;
  bool yes_ = false;
  bool hash_ = false;
};

}  // namespace kolvex::cli
