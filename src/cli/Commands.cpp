#include "cli/Command.h"
#include "cli/DumpCommand.h"

namespace kolvex::cli {

std::vector<std::unique_ptr<Command>> allCommands() {
  std::vector<std::unique_ptr<Command>> all;
  all.push_back(std::make_unique<DumpCommand>());
  return all;
}

}  // namespace kolvex::cli
