#pragma once
#include <string>

#include "cli/Command.h"
#include "cli/ScanSession.h"

namespace kolvex::cli {

// kolvex-cli update CATALOG: scans the catalogued folder again into the same catalog,
// when the catalogued volume is mounted and the folder is still there.
class UpdateCommand final : public Command {
 public:
  UpdateCommand();
  explicit UpdateCommand(Terminal terminal) : terminal_(terminal) {}

  std::string name() const override { return "update"; }
  std::string description() const override {
    return "Scan the folder of a catalog again into the same catalog; its volume must be "
           "mounted and the folder present";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  Terminal terminal_;
  std::string catalog_;
};

}  // namespace kolvex::cli
