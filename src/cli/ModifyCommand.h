#pragma once
#include <optional>
#include <string>

#include "cli/Command.h"

namespace kolvex::cli {

// kolvex-cli modify CATALOG [--label TEXT] [--base-dir DIR] [--removable yes|no]
// [--description-file FILE]: changes the header of a catalog and keeps its records.
class ModifyCommand final : public Command {
 public:
  std::string name() const override { return "modify"; }
  std::string description() const override {
    return "Change the label, base folder, removable flag or description of a catalog "
           "without scanning again";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::string catalog_;
  std::optional<std::string> label_;
  std::optional<std::string> baseDir_;
  std::optional<std::string> removable_;
  std::optional<std::string> descriptionFile_;
};

}  // namespace kolvex::cli
