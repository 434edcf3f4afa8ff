// Records searched per second by the search engine over 100 catalogs of 2,000,100 records
// in all, for one mask, a list of three masks and one mask with size and date ranges on,
// beside `grep -c` over a plain list of the same names in the same run (the ratio is the
// figure); then the peak memory of a run that keeps every hit, beside one that finds none.
//
//   bench_search [DIR]   (default: $TMPDIR/kolvex-bench-search; the data are kept there)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/FileOps.h"
#include "core/search/SearchEngine.h"
#include "BenchSupport.h"

using namespace kolvex;
using bench::median;

namespace {

constexpr int kCatalogs = 100;
constexpr int kDirs = 100;         // per catalog
constexpr int kFilesPerDir = 199;  // 100 * (100 * 199 + 100 + 1) = 2,000,100 records
constexpr int kRuns = 5;

// Writes the catalogs and the plain list of every record's name (the scanned folder's
// own record under its path), in the order the search reads them.
void makeData(const std::string& dir, std::vector<std::string>& catalogs) {
  const std::string listPath = dir + "names.txt";
  struct stat st {};
  bool have = ::stat(listPath.c_str(), &st) == 0;
  for (int c = 0; c < kCatalogs; ++c) {
    catalogs.push_back(dir + "disc" + std::to_string(c) + ".qel");
    have = have && ::stat(catalogs.back().c_str(), &st) == 0;
  }
  if (have) return;
  std::printf("writing the catalogs into %s ...\n", dir.c_str());
  std::ofstream list(listPath, std::ios::binary);
  bench::NameMaker names;
  std::mt19937 rng(777);
  TSCFileObjectInfo r;
  for (int c = 0; c < kCatalogs; ++c) {
    CatalogWriter w(catalogs[static_cast<std::size_t>(c)]);
    w.enterDirectory();
    for (int d = 0; d < kDirs; ++d) {
      w.enterDirectory();
      const std::string folderName = "folder " + std::to_string(d);
      const std::string folder = "X:\\" + folderName + "\\";
      for (int f = 0; f < kFilesPerDir; ++f) {
        r.clear();
        r.FileName = names.next();
        r.FilePath = folder;
        r.Attribute = faArchive | (rng() % 10 == 0 ? faHidden : 0);
        r.FileSize = static_cast<std::int64_t>(rng() % 5000000);
        r.CreateDateTime = 36000.0 + (rng() % 9000000) / 1000.0;
        w.addFile(r);
        list << r.FileName << '\n';
      }
      r.clear();
      r.FileName = folderName;
      r.FilePath = "X:\\";
      r.Attribute = faDirectory;
      r.FilesUnderMe = r.FilesOnlyUM = kFilesPerDir;
      w.leaveDirectory(r);
      list << r.FileName << '\n';
    }
    r.clear();
    r.FilePath = "X:\\";
    r.Attribute = faDirectory;
    r.FilesUnderMe = kDirs * kFilesPerDir;
    r.DirsUnderMe = r.DirsOnlyUM = kDirs;
    w.leaveDirectory(r);
    list << r.FilePath << '\n';
    TSCCDInfo h;
    h.CDLabel = "Disc " + std::to_string(c);
    h.BaseDir = "/media/disc" + std::to_string(c) + "/";
    h.TotalFiles = kDirs * kFilesPerDir;
    h.TotalDirectories = kDirs;
    w.commit(h);
  }
}

// Processor time (user and system) of this process or of its waited-for children: the
// machine may be shared, and a figure for one core should not count time spent waiting.
double cpuSeconds(int who) {
  rusage u {};
  ::getrusage(who, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Counts the hits, or keeps them as the result list does.
class Hits final : public SearchListener {
 public:
  explicit Hits(bool keep) : keep_(keep) {}
  void hitFound(TTSearchResultItem&& hit) override {
    ++count;
    if (keep_) kept.push_back(std::move(hit));
  }
  std::int64_t count = 0;
  std::vector<TTSearchResultItem> kept;

 private:
  bool keep_;
};

struct Case {
  const char* title;
  const char* mask;
  bool ranges;
  const char* grep;  // the same selection of names as an extended regular expression
};

void configure(SearchEngine& engine, const std::vector<std::string>& catalogs, const Case& c) {
  std::vector<CheckedArchive> list;
  for (const std::string& p : catalogs) list.push_back({p, p, true});
  engine.setArchives(std::move(list));
  engine.setMask(c.mask);
  TUSearch& s = engine.criteria();
  s.SearchFor = kSearchDirectories | kSearchFiles;
  s.SizeEnabled = c.ranges;
  s.MinSize = 1000;
  s.MaxSize = 2000000;
  s.DateEnabled = c.ranges;
  s.DateFrom = 37000.0;
  s.DateTo = 42000.0;
}

// Seconds of one run and its hits.
double searchOnce(const std::vector<std::string>& catalogs, const Case& c, bool keep,
                  std::int64_t& hits) {
  NoEventPump pump;
  bench::QuietDialogs dialogs;
  LanguageFile language("", "");
  SearchEngine engine(pump, dialogs, language);
  Hits listener(keep);
  engine.setListener(&listener);
  configure(engine, catalogs, c);
  const double t0 = cpuSeconds(RUSAGE_SELF);
  engine.StartSearch();
  const double took = cpuSeconds(RUSAGE_SELF) - t0;
  hits = listener.count;
  return took;
}

double grepOnce(const std::string& list, const char* pattern, long& count) {
  const std::string cmd = "LC_ALL=C grep -c -i -E '" + std::string(pattern) + "' '" + list + "'";
  const double t0 = cpuSeconds(RUSAGE_CHILDREN);
  FILE* p = ::popen(cmd.c_str(), "r");
  count = -1;
  if (p) {
    if (std::fscanf(p, "%ld", &count) != 1) count = -1;
    ::pclose(p);  // waits, so the child's time is counted
  }
  return cpuSeconds(RUSAGE_CHILDREN) - t0;
}

// The peak resident memory, in MiB, of a child that runs one search keeping every hit
// (or, without a case, does nothing).
double childPeak(const std::vector<std::string>& catalogs, const Case* c, std::int64_t& hits) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::int64_t n = 0;
    if (c) searchOnce(catalogs, *c, true, n);
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    const long long out[2] = {static_cast<long long>(u.ru_maxrss), static_cast<long long>(n)};
    if (::write(fds[1], out, sizeof out) != static_cast<ssize_t>(sizeof out)) ::_exit(1);
    ::_exit(0);
  }
  ::close(fds[1]);
  long long in[2] = {-1024, 0};
  if (::read(fds[0], in, sizeof in) != static_cast<ssize_t>(sizeof in)) in[0] = -1024;
  ::close(fds[0]);
  ::waitpid(pid, nullptr, 0);
  hits = in[1];
  return static_cast<double>(in[0]) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : tempDirectory() + "kolvex-bench-search";
  if (dir.back() != '/') dir += '/';
  ::mkdir(dir.c_str(), 0755);
  std::vector<std::string> catalogs;
  makeData(dir, catalogs);
  const std::string list = dir + "names.txt";
  constexpr std::int64_t records =
      std::int64_t{kCatalogs} * (std::int64_t{kDirs} * kFilesPerDir + kDirs + 1);

  const Case cases[] = {
      {"*.txt", "*.txt", false, "\\.txt$"},
      {"*.txt;*.doc;*.jpg", "*.txt;*.doc;*.jpg", false, "\\.(txt|doc|jpg)$"},
      {"*.txt + size + date", "*.txt", true, "\\.txt$"},
  };
  double catalogBytes = 0, listBytes = 0;
  struct stat st {};
  for (const std::string& p : catalogs)
    if (::stat(p.c_str(), &st) == 0) catalogBytes += static_cast<double>(st.st_size);
  if (::stat(list.c_str(), &st) == 0) listBytes = static_cast<double>(st.st_size);
  std::printf(
      "%lld records in %d catalogs (%.0f MiB; the name list %.0f MiB); median of %d "
      "runs, warm cache, one core\n\n",
      static_cast<long long>(records), kCatalogs, catalogBytes / 1048576.0, listBytes / 1048576.0,
      kRuns);
  std::printf("%-22s %12s %12s %9s %9s %9s %10s %10s\n", "masks", "records/s", "grep lines/s",
              "time/grep", "MiB/s", "grep MiB/s", "hits", "grep -c");
  for (const Case& c : cases) {
    std::int64_t hits = 0;
    long grepped = 0;
    searchOnce(catalogs, c, false, hits);  // warms the cache
    grepOnce(list, c.grep, grepped);
    // The two take turns within each run, so a change of load shifts both alike.
    std::vector<double> ours, theirs, ratio;
    for (int run = 0; run < kRuns; ++run) {
      ours.push_back(searchOnce(catalogs, c, false, hits));
      theirs.push_back(grepOnce(list, c.grep, grepped));
      ratio.push_back(ours.back() / theirs.back());
    }
    std::printf("%-22s %12.0f %12.0f %8.2fx %9.0f %9.0f %10lld %10ld\n", c.title,
                static_cast<double>(records) / median(ours),
                static_cast<double>(records) / median(theirs), median(ratio),
                catalogBytes / 1048576.0 / median(ours), listBytes / 1048576.0 / median(theirs),
                static_cast<long long>(hits), grepped);
  }

  std::int64_t none = 0, kept = 0;
  const double base = childPeak(catalogs, nullptr, none);
  const Case nothing{"no hit", "*.nothing", false, ""};
  const double empty = childPeak(catalogs, &nothing, none);
  const double full = childPeak(catalogs, &cases[1], kept);
  std::printf(
      "\npeak memory: %.1f MiB before a run, %.1f MiB after a run without hits, "
      "%.1f MiB after one keeping %lld hits\n",
      base, empty, full, static_cast<long long>(kept));
  return 0;
}
