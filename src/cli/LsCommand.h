#pragma once
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli ls CATALOG [FOLDER] [--json]: the entries of one folder of a catalog.
class LsCommand final : public Command {
 public:
  std::string name() const override { return "ls"; }
  std::string description() const override {
    return "List one folder of a catalog (the scanned folder by default; FOLDER as a path "
           "below it such as docs/old): folders first, then files, each sorted by name, with "
           "date and time and size";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string catalog_;
  std::string folder_;
  bool json_ = false;
};

}  // namespace kolvex::cli
