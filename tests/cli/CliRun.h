#pragma once
// Runs kolvex-cli in-process and collects what it printed.
#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace kolvex::test {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun runCli(std::vector<std::string> args) {
  args.insert(args.begin(), "kolvex-cli");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  std::ostringstream out, err;
  cli::Io io{out, err};
  int status = cli::runCli(static_cast<int>(argv.size()), argv.data(), io);
  return {status, out.str(), err.str()};
}

}  // namespace kolvex::test
