#include "cli/Command.h"
#include "cli/DumpCommand.h"
#include "cli/VolumesCommand.h"
#include "cli/MatchCommand.h"
#include "cli/ScanCommand.h"
#include "cli/ListCommand.h"
#include "cli/LsCommand.h"
#include "cli/UpdateCommand.h"
#include "cli/ModifyCommand.h"
#include "cli/SearchCommand.h"
#include "cli/ExportCommand.h"
#include "cli/StatsCommand.h"
#include "cli/IndexCommand.h"
#include "cli/DupesCommand.h"
#include "cli/DiffCommand.h"
#include "cli/VerifyCommand.h"

namespace kolvex::cli {

std::vector<std::unique_ptr<Command>> allCommands() {
  std::vector<std::unique_ptr<Command>> all;
  all.push_back(std::make_unique<DumpCommand>());
  all.push_back(std::make_unique<VolumesCommand>());
  all.push_back(std::make_unique<MatchCommand>());
  all.push_back(std::make_unique<ScanCommand>());
  all.push_back(std::make_unique<ListCommand>());
  all.push_back(std::make_unique<LsCommand>());
  all.push_back(std::make_unique<UpdateCommand>());
  all.push_back(std::make_unique<ModifyCommand>());
  all.push_back(std::make_unique<SearchCommand>());
  all.push_back(std::make_unique<ExportCommand>());
  all.push_back(std::make_unique<StatsCommand>());
  all.push_back(std::make_unique<IndexCommand>());
  all.push_back(std::make_unique<DupesCommand>());
  all.push_back(std::make_unique<DiffCommand>());
  all.push_back(std::make_unique<VerifyCommand>());
  return all;
}

}  // namespace kolvex::cli
