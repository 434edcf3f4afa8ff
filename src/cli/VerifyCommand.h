#pragma once
#include <string>

#include "cli/Command.h"
#include "cli/InterruptPump.h"

namespace kolvex::cli {

// kolvex-cli verify CATALOG [--json]: the catalog's medium, mounted now, against the catalog.
class VerifyCommand final : public Command {
 public:
  std::string name() const override { return "verify"; }
  std::string description() const override {
    return "Compare a catalog with its medium, found by its serial number wherever it is "
           "mounted: files missing, new or changed and, with fingerprints, files whose "
           "content changed although size and time did not (corrupt). Reads only. Exit "
           "status 0 when the medium matches, 1 when it differs, 2 for trouble";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string catalog_;
  bool json_ = false;
};

}  // namespace kolvex::cli
