#pragma once
#include <memory>

#include "cli/Command.h"
#include "platform/SystemProbe.h"

namespace kolvex::cli {

// kolvex-cli volumes [--json]: the mounted volumes the program can catalogue.
class VolumesCommand final : public Command {
 public:
  VolumesCommand();  // the running system
  // Another system root and probe, for tests.
  VolumesCommand(std::shared_ptr<SystemProbe> probe, std::string systemRoot);

  std::string name() const override { return "volumes"; }
  std::string description() const override {
    return "List the mounted volumes, one line each: mount point, label, serial number, file "
           "system, capacity in bytes and drive kind, separated by tabs";
  }
  void setup(CLI::App& sub) override;
  int run(Io& io) override;

 private:
  std::shared_ptr<SystemProbe> probe_;
  std::string root_;
  bool json_ = false;
};

}  // namespace kolvex::cli
