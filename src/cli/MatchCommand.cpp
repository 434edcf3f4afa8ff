#include "cli/MatchCommand.h"

#include <optional>
#include <ostream>
#include <sstream>

#include "cli/ArgumentList.h"
#include "core/search/EMaskException.h"
#include "core/search/TMask.h"
#include "core/search/TMaskList.h"

namespace kolvex::cli {

void MatchCommand::setup(CLI::App& sub) {
  sub.add_option("MASKLIST", masks_, "The masks, separated by \";\"")->required();
  addPositionalList(sub, "NAME", names_, "The names to test, each as written")->required();
  sub.add_flag("--single", single_,
               "Take the whole text as one mask, \";\" included, as the search does for "
               "catalog names");
}

int MatchCommand::run(Io& io) {
  std::ostringstream buffer;  // an invalid mask leaves standard output empty
  try {
    // Compiled once for all names; a list still compiles a mask only when a name reaches it.
    std::optional<TMask> single;
    std::optional<TMaskList> list;
    if (single_)
      single.emplace(masks_);
    else
      list.emplace(masks_);
    for (const std::string& n : names_) {
      const bool hit = single ? single->matches(n) : list->matches(n);
      buffer << (hit ? "yes\t" : "no\t") << n << "\n";
    }
  } catch (const EMaskException& e) {
    io.err << "kolvex-cli: " << e.what() << "\n";
    return kExitUsage;
  }
  io.out << buffer.str();
  return kExitOk;
}

}  // namespace kolvex::cli
