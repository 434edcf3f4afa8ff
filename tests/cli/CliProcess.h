#pragma once
// Runs the real kolvex-cli binary as a child process, with its own environment and
// working folder, and collects its exit status and output. A run that does not end in
// time is killed and marked, so a command that blocks fails its test instead of hanging.
#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace kolvex::test {

struct ProcessRun {
  int status = -1;  // the exit status; -1 when killed
  bool timedOut = false;
  std::string out, err;
};

struct ProcessOptions {
  std::map<std::string, std::string> env;  // set in the child on top of the test's own
  std::string cwd;                         // the child's working folder, when given
  std::chrono::seconds limit{60};
};

// kolvex-cli with these arguments, run to its end.
ProcessRun runKolvexCli(const std::vector<std::string>& args, const ProcessOptions& options = {});

// A kolvex-cli started and left running; output goes to files of its own.
class RunningCli {
 public:
  RunningCli(const std::vector<std::string>& args, const ProcessOptions& options = {});
  ~RunningCli();
  RunningCli(const RunningCli&) = delete;
  RunningCli& operator=(const RunningCli&) = delete;
  pid_t pid() const { return pid_; }
  // Whether it has ended (and reaped); status() is then valid.
  bool ended();
  // Waits for the end, killing it after the limit.
  ProcessRun finish();
  void killHard();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int rawStatus_ = 0;
  std::string outPath_, errPath_;
  std::chrono::seconds limit_;
};

}  // namespace kolvex::test
