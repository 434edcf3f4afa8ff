#pragma once
#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli dump FILE [--json]: every stream of a catalog, Options.cfg or IPack.ipk.
class DumpCommand final : public Command {
 public:
  std::string name() const override { return "dump"; }
  std::string description() const override {
    return "Print every stream of a file the program writes (a catalog, Options.cfg, "
           "IPack.ipk): its offset, record position, class, name and properties";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string file_;
  bool json_ = false;
};

}  // namespace kolvex::cli
