#include "cli/Command.h"
#include "cli/DumpCommand.h"
#include "cli/VolumesCommand.h"
#include "cli/MatchCommand.h"

namespace kolvex::cli {

std::vector<std::unique_ptr<Command>> allCommands() {
  std::vector<std::unique_ptr<Command>> all;
  all.push_back(std::make_unique<DumpCommand>());
  all.push_back(std::make_unique<VolumesCommand>());
  all.push_back(std::make_unique<MatchCommand>());
  return all;
}

}  // namespace kolvex::cli
