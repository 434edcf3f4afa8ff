// Scans generated trees of 100,000 and 1,000,000 files and prints, for each, the scan's
// time beside two peers run on the same tree in the same run: `find TREE -printf '%s %T@
// %p\n' >/dev/null` and a lean reference scanner written here (two passes like the
// scanner's, the first on d_type alone, the second one fstatat per entry relative to an
// open folder, one line per entry through one large buffer, no catalog format). Both with
// a warm cache and, when the page cache can be dropped (root), with a cold one: the cache
// is dropped before every single run. The scan runs with its lookups made by a second
// thread ahead of the walk (the default on two cores and more), chosen batch by batch
// (the default on one core), and all one by one; all batched (io_uring) only with
// --batched (it measured about twice as slow as one by one). Beside the default (the
// counting pass on every core, with 8 more threads once the disk shows itself cold):
// the counting pass on one thread as before, and with 0 and 4 threads for a cold disk.
// --only TEXT (repeatable) keeps only the scans whose name holds TEXT. Each run is a child process, so its peak memory is its own.
// Trees are kept under $KOLVEX_BENCH_DIR (default /tmp/kolvex-bench-scan) and made again
// only when missing. Arguments: the tree sizes (default 100000 1000000), --warm to leave
// the cold runs out, --batched to add the all-batched lookups.
//
// With --index (warm only): for each tree the scan without its search index beside the
// index then built alone from that catalog, their ratio and peak memories; with
// --records N, also the index of a generated catalog of N records (made once, kept beside
// the trees), whose size no tree reaches.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/VolumeScanner.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/TSCOptions.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"

using namespace kolvex;
using bench::median;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
  double seconds = 0;
  long maxRssKiB = 0;
  bool ok = false;
  double bytes[2] = {-1, -1};  // what the run reported beside its time (index build: disk)
};

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
  double own = -1, bytes[2] = {-1, -1};
  if (::read(fds[0], &own, sizeof own) != sizeof own) own = -1;
  if (::read(fds[0], bytes, sizeof bytes) != sizeof bytes) bytes[0] = bytes[1] = -1;
  ::close(fds[0]);
  int status = 0;
  struct rusage ru {};
  ::wait4(pid, &status, 0, &ru);
  Run r;
  r.seconds = own >= 0 ? own : std::chrono::duration<double>(Clock::now() - start).count();
  r.maxRssKiB = ru.ru_maxrss;
  r.bytes[0] = bytes[0];
  r.bytes[1] = bytes[1];
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

Run runScan(const std::string& tree, const std::string& catalog, StatMethod method,
            bool withIndex = false, ScanThreads threads = {}) {
  // The scan's time is that of BuildArchiveFile: counting, walking and writing the catalog,
  // without reading the volume's label first; with the search index made afterwards when
  // withIndex (what a user waits for), else without (the scan alone).
  return inChild([&](int report) {
    TSCOptions options;
    options.setFactoryValues();
    LinuxSystemProbe probe;
    VolumeTable volumes(probe);
    NoIconProvider icons;
    bench::QuietDialogs dialogs;
    LanguageFile texts("/nonexistent/", "");
    NoEventPump pump;
    NoScanProgress progress;
    ScanContext cx{options, volumes, icons, dialogs, texts, pump, progress, "/nonexistent/"};
    cx.statMethod = method;
    cx.threads = threads;
    cx.refreshIndex = withIndex;
    VolumeScanner scanner(cx);
    TSCCDInfo header;
    if (!scanner.GetVolumeInfo(tree, header)) return false;
    auto start = Clock::now();
    bool ok = scanner.BuildArchiveFile(header, catalog, header.BaseDir);
    double took = std::chrono::duration<double>(Clock::now() - start).count();
    return ok && ::write(report, &took, sizeof took) == sizeof took;
  });
}

// The lean reference: what a scanner with no catalog format costs on this machine.
class ReferenceScanner {
 public:
  explicit ReferenceScanner(int out) : out_(out) { buf_.reserve(kOut); }
  long count(int fd) {
    long n = 0;
    forEach(fd, [&](const dirent64* d) {
      ++n;
      unsigned char type = d->d_type;
      struct stat st;
      if (type == DT_UNKNOWN && ::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
        type = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
      if (type != DT_DIR) return;
      int child = ::openat(fd, d->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child < 0) return;
      n += count(child);
      ::close(child);
    });
    return n;
  }
  void walk(int fd, std::string& path) {
    forEach(fd, [&](const dirent64* d) {
      struct stat st;
      if (::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
      char line[64];
      int n = std::snprintf(line, sizeof line, "%lld %lld ", static_cast<long long>(st.st_size),
                            static_cast<long long>(st.st_mtim.tv_sec));
      buf_.append(line, n).append(path).append(d->d_name) += '\n';
      if (buf_.size() >= kOut) flush();
      if (!S_ISDIR(st.st_mode)) return;
      int child = ::openat(fd, d->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child < 0) return;
      std::size_t length = path.size();
      path.append(d->d_name) += '/';
      walk(child, path);
      path.resize(length);
      ::close(child);
    });
  }
  bool flush() {
    bool ok = ::write(out_, buf_.data(), buf_.size()) == static_cast<ssize_t>(buf_.size());
    buf_.clear();
    return ok;
  }

 private:
  static constexpr std::size_t kListing = 64 * 1024, kOut = 1 << 20;
  static bool dots(const char* n) { return n[0] == '.' && (!n[1] || (n[1] == '.' && !n[2])); }
  // Calls f for every entry of the open folder but "." and "..", listing 64 KiB at a time.
  template <typename F>
  static void forEach(int fd, F f) {
    std::vector<char> buf(kListing);
    for (long got; (got = ::getdents64(fd, buf.data(), buf.size())) > 0;)
      for (long at = 0; at < got;) {
        auto* d = reinterpret_cast<dirent64*>(buf.data() + at);
        at += d->d_reclen;
        if (!dots(d->d_name)) f(d);
      }
  }
  int out_;
  std::string buf_;
};

Run runReference(const std::string& tree, const std::string& output) {
  return inChild([&](int report) {
    auto start = Clock::now();
    int out = ::open(output.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
    int fd = ::open(tree.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (out < 0 || fd < 0) return false;
    ReferenceScanner ref(out);
    long entries = ref.count(fd);
    int again = ::open(tree.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string path = "/";
    ref.walk(again, path);
    bool ok = ref.flush() && ::close(out) == 0 && entries > 0;
    double took = std::chrono::duration<double>(Clock::now() - start).count();
    return ok && ::write(report, &took, sizeof took) == sizeof took;
  });
}

// Drops the page cache, dentries and inodes; false when this process may not.
bool dropCaches() {
  ::sync();
  int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::write(fd, "3\n", 2) == 2;
  ::close(fd);
  return ok;
}

struct Series {
  const char* name;
  std::function<Run()> run;
  std::vector<double> times;
  long peakKiB = 0;
  double bytes[2] = {-1, -1};  // the largest reported
};

// Runs every series `runs` times, interleaved, each after dropping the caches when cold.
bool measure(std::vector<Series>& all, int runs, bool cold) {
  for (auto& s : all) s.times.clear(), s.peakKiB = 0;
  for (int i = 0; i < runs; ++i)
    for (auto& s : all) {
      if (cold && !dropCaches()) return false;
      Run r = s.run();
      if (!r.ok) {
        std::fprintf(stderr, "%s failed\n", s.name);
        std::exit(1);
      }
      s.times.push_back(r.seconds);
      s.peakKiB = std::max(s.peakKiB, r.maxRssKiB);
      for (int b : {0, 1}) s.bytes[b] = std::max(s.bytes[b], r.bytes[b]);
    }
  return true;
}

void report(long files, const char* cache, const std::vector<Series>& all) {
  const double find = median(all[0].times), ref = median(all[1].times);
  for (const auto& s : all) {
    const double m = median(s.times);
    std::printf("%-9ld %-5s %-18s %8.3f %9.2f %9.2f %10.1f\n", files, cache, s.name, m, m / find,
                m / ref, s.peakKiB / 1024.0);
  }
  std::fflush(stdout);
}

// The real file system, measuring what the index build puts on the disk: when the index
// file gets its name, every other file the build wrote is still open (its temporary files
// only grow and are closed after that), so their sizes then are the temporary disk use at
// its peak.
class DiskMeter : public FileOps {
 public:
  std::uint64_t temporary = 0, index = 0;  // bytes, when the index was named
  bool named = false;

  int openRead(const std::string& path) override { return real_.openRead(path); }
  int create(const std::string& path, bool exclusive) override { return track(real_.create(path, exclusive)); }
  int createUnnamed(const std::string& dir) override { return track(real_.createUnnamed(dir)); }
  int linkUnnamed(int fd, const std::string& path) override {
    named = true;
    index = sizes_[fd];
    temporary = 0;
    for (const auto& [other, size] : sizes_)
      if (other != fd) temporary += size;
    return real_.linkUnnamed(fd, path);
  }
  bool isRegularFile(int fd) override { return real_.isRegularFile(fd); }
  ssize_t pread(int fd, void* buf, size_t n, std::uint64_t offset) override {
    return real_.pread(fd, buf, n, offset);
  }
  ssize_t pwrite(int fd, const void* buf, size_t n, std::uint64_t offset) override {
    return grown(fd, offset, real_.pwrite(fd, buf, n, offset));
  }
  int fileSize(int fd, std::uint64_t& size) override { return real_.fileSize(fd, size); }
  ssize_t copyRange(int in, std::uint64_t inOffset, int out, std::uint64_t outOffset,
                    size_t n) override {
    return grown(out, outOffset, real_.copyRange(in, inOffset, out, outOffset, n));
  }
  int fsync(int fd) override { return real_.fsync(fd); }
  int close(int fd) override {
    sizes_.erase(fd);
    return real_.close(fd);
  }
  int rename(const std::string& from, const std::string& to) override { return real_.rename(from, to); }
  int unlink(const std::string& path) override { return real_.unlink(path); }
  int fsyncDir(const std::string& dir) override { return real_.fsyncDir(dir); }

 private:
  int track(int fd) {
    if (fd >= 0) sizes_[fd] = 0;
    return fd;
  }
  ssize_t grown(int fd, std::uint64_t offset, ssize_t wrote) {
    auto it = sizes_.find(fd);
    if (wrote > 0 && it != sizes_.end())
      it->second = std::max(it->second, offset + static_cast<std::uint64_t>(wrote));
    return wrote;
  }
  FileOps& real_ = posixFileOps();
  std::map<int, std::uint64_t> sizes_;
};

Run runIndexBuild(const std::string& catalog) {
  return inChild([&](int report) {
    DiskMeter disk;
    auto start = Clock::now();
    const bool ok = index::BuildIndex(catalog, {}, disk);
    double took = std::chrono::duration<double>(Clock::now() - start).count();
    const double sizes[2] = {disk.named ? static_cast<double>(disk.temporary) : -1,
                             static_cast<double>(disk.index)};
    return ok && ::write(report, &took, sizeof took) == sizeof took &&
           ::write(report, sizes, sizeof sizes) == sizeof sizes;
  });
}

// A catalog of n records in folders of 100, written once: for sizes no tree here reaches.
void makeCatalog(const std::string& path, long n) {
  const std::string done = path + ".complete";
  if (::access(done.c_str(), F_OK) == 0) return;
  std::printf("writing %ld records into %s ...\n", n, path.c_str());
  std::fflush(stdout);
  CatalogWriter w(path);
  bench::NameMaker names;
  TSCFileObjectInfo r;
  w.enterDirectory();
  long made = 0;
  for (long d = 0; made < n; ++d) {
    const std::string folder = "folder " + std::to_string(d);
    w.enterDirectory();
    for (int f = 0; f < 99 && made < n; ++f, ++made) {
      r.clear();
      r.FileName = names.next();
      r.FilePath = "X:\\" + folder + "\\";
      r.Attribute = faArchive;
      r.FileSize = (made * 7919) % 5000000;
      r.CreateDateTime = 36000.0 + static_cast<double>(made % 9000000) / 1000.0;
      w.addFile(r);
    }
    r.clear();
    r.FileName = folder;
    r.FilePath = "X:\\";
    r.Attribute = faDirectory;
    w.leaveDirectory(r);
    ++made;
  }
  r.clear();
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  w.leaveDirectory(r);
  TSCCDInfo h;
  h.CDLabel = "Generated";
  h.BaseDir = "/media/generated/";
  w.commit(h);
  int fd = ::open(done.c_str(), O_CREAT | O_WRONLY, 0644);
  ::close(fd);
}

// The index build beside the scan of the same tree (without its index), warm.
void benchIndex(const std::string& base, const std::vector<long>& sizes, long records) {
  // temp MiB: the index build's temporary files at their largest; index MiB: the index.
  std::printf("%-10s %-16s %8s %8s %10s %10s %10s\n", "records", "program", "median s", "x scan",
              "peak MiB", "temp MiB", "index MiB");
  auto print = [](long n, const Series& s, double scan) {
    const double m = median(s.times);
    std::printf("%-10ld %-16s %8.3f ", n, s.name, m);
    if (scan > 0)
      std::printf("%8.2f", m / scan);
    else
      std::printf("%8s", "-");
    std::printf(" %10.1f", s.peakKiB / 1024.0);
    for (double b : s.bytes)
      if (b >= 0)
        std::printf(" %10.1f", b / (1024.0 * 1024.0));
    std::printf("\n");
    std::fflush(stdout);
  };
  Series idle{"empty child", [] { return inChild([](int) { return true; }); }, {}, 0};
  for (long n : sizes) {
    const std::string tree = base + "/tree" + std::to_string(n);
    makeTree(tree, n);
    const std::string catalog = tree + ".qel";
    std::vector<Series> all = {
        {"scan", [&] { return runScan(tree, catalog, StatMethod::Ahead); }, {}, 0},
        {"index build", [&] { return runIndexBuild(catalog); }, {}, 0},
        idle,
    };
    for (auto& s : all) s.run();  // warm the caches
    measure(all, n >= 1000000 ? 5 : 7, false);
    const double scan = median(all[0].times);
    for (const auto& s : all) print(n, s, s.name == all[0].name ? 0 : scan);
  }
  if (records > 0) {
    const std::string catalog = base + "/generated" + std::to_string(records) + ".qel";
    makeCatalog(catalog, records);
    std::vector<Series> all = {{"index build", [&] { return runIndexBuild(catalog); }, {}, 0}};
    all[0].run();
    measure(all, 3, false);
    print(records, all[0], 0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* env = std::getenv("KOLVEX_BENCH_DIR");
  const std::string base = env && *env ? env : "/tmp/kolvex-bench-scan";
  ::mkdir(base.c_str(), 0755);
  std::vector<long> sizes;
  bool warmOnly = false;  // --warm: leave out the cold runs (quick comparisons)
  bool indexOnly = false;
  bool batched = false;  // --batched: time the all-batched lookups too
  std::vector<std::string> only;  // --only TEXT: just the scans whose name holds TEXT
  long records = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--warm") == 0)
      warmOnly = true;
    else if (std::strcmp(argv[i], "--index") == 0)
      indexOnly = true;
    else if (std::strcmp(argv[i], "--batched") == 0)
      batched = true;
    else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
      only.emplace_back(argv[++i]);
    else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("bench_scan [SIZE...] [--warm] [--batched] [--only TEXT]... "
                  "[--index [--records N]]\n");
      return 0;
    } else if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc)
      records = std::atol(argv[++i]);
    else
      sizes.push_back(std::atol(argv[i]));
  }
  if (sizes.empty() && !(indexOnly && records > 0)) sizes = {100000, 1000000};
  if (indexOnly) {
    benchIndex(base, sizes, records);
    return 0;
  }
  ScanThreads alone, cold0, cold4;
  alone.parallelCount = false;  // the counting pass on one thread, as before
  cold0.cold = 0;
  cold4.cold = 4;
  std::printf("%-9s %-5s %-18s %8s %9s %9s %10s\n", "files", "cache", "program", "median s",
              "x find", "x ref", "peak MiB");
  for (long n : sizes) {
    const std::string tree = base + "/tree" + std::to_string(n);
    makeTree(tree, n);
    const std::string catalog = tree + ".qel", lines = tree + ".lines";
    std::vector<Series> all = {
        {"find -printf", [&] { return runFind(tree); }, {}, 0},
        {"reference", [&] { return runReference(tree, lines); }, {}, 0},
        {"scan (ahead)", [&] { return runScan(tree, catalog, StatMethod::Ahead); }, {}, 0},
        {"scan (count alone)", [&] { return runScan(tree, catalog, StatMethod::Ahead, false, alone); }, {}, 0},
        {"scan (cold +0)", [&] { return runScan(tree, catalog, StatMethod::Ahead, false, cold0); }, {}, 0},
        {"scan (cold +4)", [&] { return runScan(tree, catalog, StatMethod::Ahead, false, cold4); }, {}, 0},
        {"scan (adaptive)", [&] { return runScan(tree, catalog, StatMethod::Adaptive); }, {}, 0},
        {"scan (one by one)", [&] { return runScan(tree, catalog, StatMethod::OneByOne); }, {}, 0},
        {"scan + index", [&] { return runScan(tree, catalog, StatMethod::Ahead, true); }, {}, 0},
    };
    if (batched)
      all.push_back(
          {"scan (batched)", [&] { return runScan(tree, catalog, StatMethod::Batched); }, {}, 0});
    if (!only.empty())
      all.erase(std::remove_if(all.begin() + 2, all.end(),
                               [&](const Series& s) {
                                 return std::none_of(only.begin(), only.end(), [&](const std::string& o) {
                                   return std::string(s.name).find(o) != std::string::npos;
                                 });
                               }),
                all.end());
    const int runs = n >= 1000000 ? 5 : 7;
    for (auto& s : all) s.run();  // warm the caches
    measure(all, runs, false);
    report(n, "warm", all);
    if (warmOnly) continue;
    if (measure(all, n >= 1000000 ? 3 : 5, true))
      report(n, "cold", all);
    else
      std::printf("%-9ld cold: the page cache cannot be dropped here (needs root)\n", n);
  }
  return 0;
}
