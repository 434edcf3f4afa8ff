#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli dupes [--in CATALOG]... [--by hash|name-size] [--min-size N] [--same-time]
// [--json]: files held more than once across catalogs.
class DupesCommand final : public Command {
 public:
  std::string name() const override { return "dupes"; }
  std::string description() const override {
    return "List files held more than once across catalogs (all of the catalog folder by "
           "default), most wasted space first: a line per group with the size, the number of "
           "copies, the wasted bytes and how they were matched, then a tab-indented line per "
           "copy with its catalog's label, its path and whether its medium is mounted";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::vector<std::string> in_;
  std::string archives_;
  std::string by_ = "hash";
  std::int64_t minSize_ = 1;
  bool sameTime_ = false;
  bool json_ = false;
};

}  // namespace kolvex::cli
