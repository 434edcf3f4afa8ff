#pragma once
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli list [--archives DIR]: the catalogs of the catalog folder with the archive
// manager's columns.
class ListCommand final : public Command {
 public:
  std::string name() const override { return "list"; }
  std::string description() const override {
    return "List the catalogs of the catalog folder in the order the folder holds them, one "
           "line each: label, file system, date and time, capacity of the volume in bytes "
           "(\"unknown\" when the volume told none), "
           "base folder and catalog file, separated by tabs";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string archives_;
};

}  // namespace kolvex::cli
