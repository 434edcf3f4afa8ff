#pragma once
#include <string>
#include <vector>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli stats [CATALOG...] [--archives DIR] [--json]: statistics of each catalog and
// across all of them.
class StatsCommand final : public Command {
 public:
  std::string name() const override { return "stats"; }
  std::string description() const override {
    return "Statistics of catalogs (the given catalog files, else every catalog of the catalog "
           "folder), each and across all: files, folders, total size, capacity and fill, space "
           "by kind of file and by extension, the largest files and folders, the oldest and "
           "newest files";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::vector<std::string> catalogs_;
  std::string archives_;
  bool json_ = false;
};

}  // namespace kolvex::cli
