#pragma once
#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli search MASKLIST [--in CATALOG]... [--for ...] [--attr ...] [--date FROM..TO]
// [--size MIN..MAX] [--archives DIR] [--json | --format csv|jsonl] [--no-index]: the search
// of the desktop program over the catalogs of the catalog folder, one line per hit in the
// order found.
class SearchCommand final : public Command {
 public:
  std::string name() const override { return "search"; }
  std::string description() const override {
    return "Search catalogs for catalogs, folders and files whose names match a list of "
           "masks separated by \";\", as the desktop program does: one line per hit in the "
           "order found (kind, name, label, stored path, size, time), then the number of hits";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string masks_;
  std::vector<std::string> in_;
  std::string for_ = "catalogs,dirs,files";
  std::string attr_ = "any";
  std::string date_, size_;
  std::string archives_;
  bool json_ = false;
  std::string format_;
  bool noIndex_ = false;
};

}  // namespace kolvex::cli
