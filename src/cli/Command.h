#pragma once
// One verb of kolvex-cli. Each command declares its options on its own sub-command and
// runs when that sub-command was given.
#include <CLI/CLI.hpp>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kolvex::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Io {
  std::ostream& out;
  std::ostream& err;
};

class Command {
 public:
  virtual ~Command() = default;
  virtual std::string name() const = 0;
  virtual std::string description() const = 0;
  virtual void setup(CLI::App& sub) = 0;
  virtual int run(Io& io) = 0;
};

// Every command of the tool, in the order of the help text.
std::vector<std::unique_ptr<Command>> allCommands();

// The tool's command line with every command as a sub-command; the commands must outlive it.
std::unique_ptr<CLI::App> makeCliApp(const std::vector<std::unique_ptr<Command>>& commands);
// What --version prints: the version, then the mode and the folders in use.
std::string versionText();

// Parses argv and runs the command named; returns the exit status.
int runCli(int argc, char** argv, Io& io);

}  // namespace kolvex::cli
