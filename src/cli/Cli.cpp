#include <ostream>

#include "cli/Command.h"

namespace kolvex::cli {

int runCli(int argc, char** argv, Io& io) {
  CLI::App app{"Kolvex catalogues discs and folders. This tool works on its catalogs from the "
               "command line.",
               "kolvex-cli"};
  app.require_subcommand(1);
  app.allow_windows_style_options(false);
  auto commands = allCommands();
  std::vector<std::pair<CLI::App*, Command*>> subs;
  for (auto& c : commands) {
    CLI::App* sub = app.add_subcommand(c->name(), c->description());
    c->setup(*sub);
    subs.emplace_back(sub, c.get());
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    io.out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    io.out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {  // --help of a sub-command
      for (auto& [sub, cmd] : subs)
        if (sub->parsed()) {
          io.out << sub->help();
          return kExitOk;
        }
      io.out << app.help();
      return kExitOk;
    }
    io.err << "kolvex-cli: " << e.what() << "\n";
    for (auto& [sub, cmd] : subs)
      if (sub->parsed()) {
        io.err << sub->help();
        return kExitUsage;
      }
    io.err << app.help();
    return kExitUsage;
  }
  for (auto& [sub, cmd] : subs)
    if (sub->parsed()) return cmd->run(io);
  io.err << app.help();
  return kExitUsage;
}

}  // namespace kolvex::cli
