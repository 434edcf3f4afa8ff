#include <ostream>
#include <string_view>

#include "cli/ArgumentList.h"
#include "cli/Command.h"
#include "core/catalog/AppDir.h"

#ifndef KOLVEX_VERSION
#define KOLVEX_VERSION "unknown"
#endif

namespace kolvex::cli {
namespace {

// The word in the command's place: the first argument that is not an option (the tool
// itself takes only --help and --version).
const char* commandWord(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] != '-') return argv[i];
  return nullptr;
}

// An option in front that the tool itself does not take (it takes only --help and
// --version); null when there is none.
const char* unknownToolOption(int argc, char** argv) {
  for (int i = 1; i < argc && argv[i][0] == '-'; ++i) {
    const std::string_view option = argv[i];
    if (option != "-h" && option != "--help" && option != "--version") return argv[i];
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<CLI::App> makeCliApp(const std::vector<std::unique_ptr<Command>>& commands) {
  auto app = std::make_unique<CLI::App>(
      "Kolvex catalogues discs and folders. This tool works on its catalogs from the "
      "command line.",
      "kolvex-cli");
  app->require_subcommand(1);
  app->allow_windows_style_options(false);
  app->formatter(listFormatter());  // before the sub-commands, which take it over
  app->set_version_flag("--version", versionText, "Print the version and the folders in use");
  for (const auto& c : commands) c->setup(*app->add_subcommand(c->name(), c->description()));
  return app;
}

std::string versionText() { return "kolvex-cli " KOLVEX_VERSION "\n" + Paths().description(); }

int runCli(int argc, char** argv, Io& io) {
  auto commands = allCommands();
  auto cli = makeCliApp(commands);
  CLI::App& app = *cli;
  std::vector<std::pair<CLI::App*, Command*>> subs;
  for (auto& c : commands) subs.emplace_back(app.get_subcommand(c->name()), c.get());
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForVersion& e) {
    io.out << e.what();
    return kExitOk;
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
    // One line that says what is wrong and where to read more: the whole help after it
    // would bury the line that matters.
    for (auto& [sub, cmd] : subs)
      if (sub->parsed()) {
        io.err << "kolvex-cli " << cmd->name() << ": " << e.what() << "\n"
               << "Try 'kolvex-cli " << cmd->name() << " --help' for its options.\n";
        return kExitUsage;
      }
    if (const char* option = unknownToolOption(argc, argv)) {
      io.err << "kolvex-cli: unknown option '" << option
             << "'; without a command only --help and --version are taken\n"
             << "Try 'kolvex-cli --help' for the commands and 'kolvex-cli COMMAND --help' for "
                "their options.\n";
      return kExitUsage;
    }
    const char* word = commandWord(argc, argv);
    const auto known = [&](const char* w) {
      for (const auto& c : commands)
        if (c->name() == w) return true;
      return false;
    };
    if (word && !known(word)) {
      io.err << "kolvex-cli: unknown command '" << word << "'; the commands are:";
      for (const auto& c : commands) io.err << ' ' << c->name();
      io.err << "\nTry 'kolvex-cli --help' for what each does.\n";
      return kExitUsage;
    }
    io.err << "kolvex-cli: " << e.what() << "\n";
    io.err << app.help();
    return kExitUsage;
  }
  for (auto& [sub, cmd] : subs)
    if (sub->parsed()) return cmd->run(io);
  io.err << app.help();
  return kExitUsage;
}

}  // namespace kolvex::cli
