// Scans generated trees of 10,000, 100,000 and 1,000,000 files and prints, for each, the
// scan's time beside `find TREE -printf '%s %T@ %p\n' >/dev/null` on the same warm tree
// in the same run (both pay one lstat per entry), the ratio of the two, and the scan's
// peak memory, which must not grow with the tree. Each run is a child process, so its
// peak memory is its own. Trees are kept under $KOLVEX_BENCH_DIR (default
// /tmp/kolvex-bench-scan) and made again only when missing.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/app/LanguageFile.h"
#include "core/catalog/VolumeScanner.h"
#include "core/persist/TSCOptions.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"

using namespace kolvex;
using Clock = std::chrono::steady_clock;

namespace {

class SilentDialogs final : public Dialogs {
 public:
  void message(MessageKind, const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  Answer ask(const std::string&, bool) override { return Answer::No; }
};

struct Run {
  double seconds = 0;
  long maxRssKiB = 0;
  bool ok = false;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Folders of 100 files, 100 folders to a level: 10,000 files are 100 folders, 1,000,000
// files 100 x 100 folders.
void makeTree(const std::string& root, long files) {
  const std::string done = root + "/.complete";
  if (::access(done.c_str(), F_OK) == 0) return;
  std::string cmd = "rm -rf '" + root + "'";
  if (std::system(cmd.c_str()) != 0) std::exit(1);
  ::mkdir(root.c_str(), 0755);
  long made = 0;
  for (long top = 0; made < files; ++top) {
    std::string a = root + "/dir" + std::to_string(top);
    ::mkdir(a.c_str(), 0755);
    for (long mid = 0; mid < 100 && made < files; ++mid) {
      std::string b = files > 10000 ? a + "/sub" + std::to_string(mid) : a;
      if (files > 10000) ::mkdir(b.c_str(), 0755);
      for (int f = 0; f < 100 && made < files; ++f, ++made) {
        std::string p = b + "/document_" + std::to_string(f) + ".txt";
        int fd = ::open(p.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) std::exit(1);
        if (f % 7 == 0 && ::ftruncate(fd, f * 1000) != 0) std::exit(1);  // some sizes
        ::close(fd);
      }
      if (files <= 10000) break;
    }
  }
  int fd = ::open(done.c_str(), O_CREAT | O_WRONLY, 0644);
  ::close(fd);
}

// Runs f in a child process and returns its wall time and peak memory. f may report the
// time of its own work (through the pipe it is given) instead of the child's whole life.
template <typename F>
Run inChild(F f) {
  int fds[2];
  if (::pipe(fds) != 0) std::exit(1);
  auto start = Clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::_exit(f(fds[1]) ? 0 : 1);
  }
  ::close(fds[1]);
  double own = -1;
  if (::read(fds[0], &own, sizeof own) != sizeof own) own = -1;
  ::close(fds[0]);
  int status = 0;
  struct rusage ru {};
  ::wait4(pid, &status, 0, &ru);
  Run r;
  r.seconds = own >= 0 ? own : std::chrono::duration<double>(Clock::now() - start).count();
  r.maxRssKiB = ru.ru_maxrss;
  r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return r;
}

Run runFind(const std::string& tree) {
  return inChild([&](int) {
    int devnull = ::open("/dev/null", O_WRONLY);
    ::dup2(devnull, 1);
    ::execlp("find", "find", tree.c_str(), "-printf", "%s %T@ %p\n", static_cast<char*>(nullptr));
    return false;
  });
}

Run runScan(const std::string& tree, const std::string& catalog) {
  // The scan's time is that of BuildArchiveFile: counting, walking and writing the catalog,
  // without reading the volume's label first.
  return inChild([&](int report) {
    TSCOptions options;
    options.setFactoryValues();
    LinuxSystemProbe probe;
    VolumeTable volumes(probe);
    NoIconProvider icons;
    SilentDialogs dialogs;
    LanguageFile texts("/nonexistent/", "");
    NoEventPump pump;
    NoScanProgress progress;
    ScanContext cx{options, volumes, icons, dialogs, texts, pump, progress, "/nonexistent/"};
    VolumeScanner scanner(cx);
    TSCCDInfo header;
    if (!scanner.GetVolumeInfo(tree, header)) return false;
    auto start = Clock::now();
    bool ok = scanner.BuildArchiveFile(header, catalog, header.BaseDir);
    double took = std::chrono::duration<double>(Clock::now() - start).count();
    return ok && ::write(report, &took, sizeof took) == sizeof took;
  });
}

}  // namespace

int main(int argc, char** argv) {
  const char* env = std::getenv("KOLVEX_BENCH_DIR");
  const std::string base = env && *env ? env : "/tmp/kolvex-bench-scan";
  ::mkdir(base.c_str(), 0755);
  std::vector<long> sizes = {10000, 100000, 1000000};
  if (argc > 1) sizes = {std::atol(argv[1])};
  std::printf("%-10s %12s %12s %8s %14s %14s\n", "files", "scan s", "find s", "ratio",
              "scan peak MiB", "find peak MiB");
  for (long n : sizes) {
    const std::string tree = base + "/tree" + std::to_string(n);
    makeTree(tree, n);
    const std::string catalog = base + "/tree" + std::to_string(n) + ".qel";
    runFind(tree);  // warm the caches
    runScan(tree, catalog);
    const int runs = n >= 1000000 ? 5 : 7;
    std::vector<double> scans, finds;
    long scanPeak = 0, findPeak = 0;
    for (int i = 0; i < runs; ++i) {
      Run f = runFind(tree);
      Run s = runScan(tree, catalog);
      if (!f.ok || !s.ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
      }
      finds.push_back(f.seconds);
      scans.push_back(s.seconds);
      scanPeak = std::max(scanPeak, s.maxRssKiB);
      findPeak = std::max(findPeak, f.maxRssKiB);
    }
    double sm = median(scans), fm = median(finds);
    std::printf("%-10ld %12.3f %12.3f %8.2f %14.1f %14.1f\n", n, sm, fm, sm / fm, scanPeak / 1024.0,
                findPeak / 1024.0);
    std::fflush(stdout);
  }
  return 0;
}
