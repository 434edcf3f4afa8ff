#pragma once
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli index [--archives DIR] [--rebuild]: checks the index of every catalog of the
// catalog folder through and through, makes the missing, stale or damaged ones (all of
// them with --rebuild) and prints what it did, one line per catalog.
class IndexCommand final : public Command {
 public:
  std::string name() const override { return "index"; }
  std::string description() const override {
    return "Check the search index of every catalog of the catalog folder and build the "
           "ones that are missing, out of date or damaged; one line per catalog: fresh, "
           "built or failed, a tab and the catalog file";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string archives_;
  bool rebuild_ = false;
};

}  // namespace kolvex::cli
