// Peak memory of the command line's outputs that grow with a catalog: `dump`, `dump
// --json` and `search '*' --json`, each run on catalogs of 100,000 and 1,000,000 records
// with its output thrown away, beside the catalog's size. Peer: `list`, which reads the
// header only, run the same way in the same run. Memory must stay flat as the catalog
// grows (under 64 MiB at 1,000,000 records): the ratio 1M / 100k is the figure. Each run
// is a child process, so its peak is its own (ru_maxrss). Catalogs are kept under
// $KOLVEX_BENCH_DIR (default /tmp/kolvex-bench-cli) and made again only when missing.
//   bench_cli_memory [PATH-OF-kolvex-cli]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/persist/CatalogWriter.h"

using namespace kolvex;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
  long maxRssKiB = 0;
  double seconds = 0;
  bool ok = false;
};

// Folders of 100 files each, all in the root: 1,000,000 records are 9,901 folders.
void makeCatalog(const std::string& path, long records) {
  if (::access(path.c_str(), F_OK) == 0) return;
  CatalogWriter w(path + ".part");
  w.enterDirectory();
  long written = 1;
  for (long d = 0; written < records; ++d) {
    w.enterDirectory();
    for (int f = 0; f < 100 && written + 1 < records; ++f, ++written) {
      TSCFileObjectInfo r;
      r.FileName = "file" + std::to_string(f) + ".txt";
      r.FilePath = "X:\\dir" + std::to_string(d) + "\\";
      r.Attribute = faArchive;
      r.FileSize = 1000 + f;
      r.CreateDateTime = 45000.5 + f;
      w.addFile(r);
    }
    TSCFileObjectInfo dir;
    dir.FileName = "dir" + std::to_string(d);
    dir.FilePath = "X:\\";
    dir.Attribute = faDirectory;
    w.leaveDirectory(dir);
    ++written;
  }
  TSCFileObjectInfo root;
  root.FilePath = "X:\\";
  root.Attribute = faDirectory;
  w.leaveDirectory(root);
  TSCCDInfo h;
  h.CDLabel = "BENCH";
  h.SystemVersion = kSystemVersion;
  w.commit(h);
  if (std::rename((path + ".part").c_str(), path.c_str()) != 0) std::exit(1);
}

Run runChild(const std::vector<std::string>& args) {
  auto start = Clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  Run r;
  r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  r.maxRssKiB = usage.ru_maxrss;
  r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return r;
}

double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

}  // namespace

int main(int argc, char** argv) {
  std::string cli = argc > 1 ? argv[1] : "build/rel/Kolvex/kolvex-cli";
  if (::access(cli.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "kolvex-cli not found at %s; give its path\n", cli.c_str());
    return 2;
  }
  const char* env = std::getenv("KOLVEX_BENCH_DIR");
  const std::string dir = env ? env : "/tmp/kolvex-bench-cli";
  ::mkdir(dir.c_str(), 0755);
  const std::vector<long> sizes = {100'000, 1'000'000};
  std::vector<std::string> folders, catalogs;
  for (long n : sizes) {
    // Each catalog alone in its folder, so that `list` reads that one only.
    folders.push_back(dir + "/r" + std::to_string(n));
    ::mkdir(folders.back().c_str(), 0755);
    catalogs.push_back(folders.back() + "/c.qel");
    makeCatalog(catalogs.back(), n);
  }
  struct Command {
    const char* name;
    std::vector<std::string> args;  // after the executable; "@" is the catalog, "@dir" its folder
  };
  const std::vector<Command> commands = {
      {"list (peer)", {"list", "--archives", "@dir"}},
      {"dump", {"dump", "@"}},
      {"dump --json", {"dump", "--json", "@"}},
      {"search '*' --json", {"search", "*", "--json", "--in", "@"}},
  };
  std::vector<std::vector<Run>> runs(commands.size());
  for (std::size_t c = 0; c < commands.size(); ++c) {
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      std::vector<std::string> args = {cli};
      for (const std::string& a : commands[c].args)
        args.push_back(a == "@" ? catalogs[i] : a == "@dir" ? folders[i] : a);
      runs[c].push_back(runChild(args));
      if (!runs[c].back().ok) {
        std::fprintf(stderr, "%s failed on %s\n", commands[c].name, catalogs[i].c_str());
        return 1;
      }
    }
  }
  std::printf("%-18s %9s %11s %10s %9s %9s\n", "command", "records", "catalog MB", "peak MiB",
              "vs peer", "seconds");
  bool flat = true;
  for (std::size_t c = 0; c < commands.size(); ++c) {
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      struct stat st {};
      ::stat(catalogs[i].c_str(), &st);
      const Run& r = runs[c][i];
      std::printf("%-18s %9ld %11.1f %10.1f %9.2f %9.2f\n", commands[c].name, sizes[i],
                  static_cast<double>(st.st_size) / 1e6, mib(r.maxRssKiB),
                  static_cast<double>(r.maxRssKiB) / static_cast<double>(runs[0][i].maxRssKiB),
                  r.seconds);
    }
    const double growth =
        static_cast<double>(runs[c].back().maxRssKiB) / static_cast<double>(runs[c].front().maxRssKiB);
    std::printf("%-18s peak at 1M / peak at 100k: %.2f\n", commands[c].name, growth);
    if (mib(runs[c].back().maxRssKiB) >= 64) flat = false;
  }
  std::printf("%s\n", flat ? "flat: every peak under 64 MiB at 1,000,000 records"
                           : "NOT FLAT: a peak reached 64 MiB");
  return flat ? 0 : 1;
}
