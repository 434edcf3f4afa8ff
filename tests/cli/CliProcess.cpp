#include "CliProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/TempDir.h"

namespace kolvex::test {

RunningCli::RunningCli(const std::vector<std::string>& args, const ProcessOptions& options)
    : limit_(options.limit) {
  char outTemplate[] = "/tmp/kolvex-cli-out-XXXXXX";
  char errTemplate[] = "/tmp/kolvex-cli-err-XXXXXX";
  int out = ::mkstemp(outTemplate), err = ::mkstemp(errTemplate);
  outPath_ = outTemplate;
  errPath_ = errTemplate;
  std::vector<std::string> all = {KOLVEX_CLI_EXECUTABLE};
  all.insert(all.end(), args.begin(), args.end());
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out, 1);
    ::dup2(err, 2);
    int in = ::open("/dev/null", O_RDONLY);
    ::dup2(in, 0);  // no terminal: never a question
    for (const auto& [name, value] : options.env) ::setenv(name.c_str(), value.c_str(), 1);
    if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out);
  ::close(err);
}

RunningCli::~RunningCli() {
  if (!reaped_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  ::unlink(outPath_.c_str());
  ::unlink(errPath_.c_str());
}

bool RunningCli::ended() {
  if (reaped_) return true;
  if (::waitpid(pid_, &rawStatus_, WNOHANG) == pid_) reaped_ = true;
  return reaped_;
}

void RunningCli::killHard() {
  if (reaped_) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, &rawStatus_, 0);
  reaped_ = true;
}

ProcessRun RunningCli::finish() {
  ProcessRun run;
  const auto deadline = std::chrono::steady_clock::now() + limit_;
  while (!ended()) {
    if (std::chrono::steady_clock::now() > deadline) {
      killHard();
      run.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  run.status = WIFEXITED(rawStatus_) ? WEXITSTATUS(rawStatus_) : -1;
  run.out = readFile(outPath_);
  run.err = readFile(errPath_);
  return run;
}

ProcessRun runKolvexCli(const std::vector<std::string>& args, const ProcessOptions& options) {
  RunningCli cli(args, options);
  return cli.finish();
}

}  // namespace kolvex::test
