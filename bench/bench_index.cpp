// The search through the catalogs' indexes beside the search that reads every record, in
// one run, over 100 catalogs (2,000,100 records) and 500 catalogs (10,000,500 records),
// warm cache: a rare name (one hit), "*.txt", "*" and "?*", each also beside `grep -c`
// over a plain list of the same names and `plocate -c` over a trigram database of them
// (the ratios are the figures). Then the time to build the indexes beside the time to
// write the same catalogs, the indexes' size beside the catalogs', and the peak memory of
// a rare-name search.
//
//   bench_index [DIR [SCALE [MASK]]]   (DIR default: $TMPDIR/kolvex-bench-index, where the
//   data are kept; SCALE: 100 or 500 catalogs alone; MASK: that query alone)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/index/IndexLocation.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/FileOps.h"
#include "core/search/SearchEngine.h"

using namespace kolvex;
using bench::median;

namespace {

constexpr int kDirs = 100;
constexpr int kFilesPerDir = 199;  // 20,001 records per catalog
constexpr int kRecordsPerCatalog = kDirs * kFilesPerDir + kDirs + 1;
constexpr int kAllCatalogs = 500;
constexpr const char* kRareName = "Quokka_Zephyr_4711.dat";

double seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string catalogPath(const std::string& dir, int c) {
  return dir + "disc" + std::to_string(c) + ".qel";
}

// One catalog; its names are appended to the lists of the scales that hold it.
void writeOne(const std::string& path, int c, bench::NameMaker& names, std::mt19937& rng,
              std::vector<std::ofstream*> lists) {
  CatalogWriter w(path);
  TSCFileObjectInfo r;
  auto listed = [&](const std::string& name) {
    for (std::ofstream* l : lists) *l << name << '\n';
  };
  w.enterDirectory();
  for (int d = 0; d < kDirs; ++d) {
    w.enterDirectory();
    const std::string folderName = "folder " + std::to_string(d);
    for (int f = 0; f < kFilesPerDir; ++f) {
      r.clear();
      r.FileName = c == 42 && d == 50 && f == 100 ? std::string(kRareName) : names.next();
      r.FilePath = "X:\\" + folderName + "\\";
      r.Attribute = faArchive | (rng() % 10 == 0 ? faHidden : 0);
      r.FileSize = static_cast<std::int64_t>(rng() % 5000000);
      r.CreateDateTime = 36000.0 + (rng() % 9000000) / 1000.0;
      w.addFile(r);
      listed(r.FileName);
    }
    r.clear();
    r.FileName = folderName;
    r.FilePath = "X:\\";
    r.Attribute = faDirectory;
    r.FilesUnderMe = r.FilesOnlyUM = kFilesPerDir;
    w.leaveDirectory(r);
    listed(r.FileName);
  }
  r.clear();
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  r.FilesUnderMe = kDirs * kFilesPerDir;
  r.DirsUnderMe = r.DirsOnlyUM = kDirs;
  w.leaveDirectory(r);
  listed(r.FilePath);
  TSCCDInfo h;
  h.CDLabel = "Disc " + std::to_string(c);
  h.BaseDir = "/media/disc" + std::to_string(c) + "/";
  h.TotalFiles = kDirs * kFilesPerDir;
  h.TotalDirectories = kDirs;
  w.commit(h);
}

void makeData(const std::string& dir) {
  struct stat st {};
  if (::stat((dir + "names500.txt").c_str(), &st) == 0 &&
      ::stat(catalogPath(dir, kAllCatalogs - 1).c_str(), &st) == 0)
    return;
  std::printf("writing %d catalogs into %s ...\n", kAllCatalogs, dir.c_str());
  std::ofstream small(dir + "names100.txt", std::ios::binary);
  std::ofstream all(dir + "names500.txt", std::ios::binary);
  bench::NameMaker names;
  std::mt19937 rng(777);
  for (int c = 0; c < kAllCatalogs; ++c) {
    std::vector<std::ofstream*> lists = {&all};
    if (c < 100) lists.push_back(&small);
    writeOne(catalogPath(dir, c), c, names, rng, lists);
  }
}

class Count final : public SearchListener {
 public:
  void hitFound(TTSearchResultItem&&) override { ++hits; }
  std::int64_t hits = 0;
};

// Seconds (wall clock: a search waits for nothing) of one run, and its hits.
double searchOnce(const std::vector<std::string>& catalogs, const char* mask, bool indexed,
                  std::int64_t& hits) {
  NoEventPump pump;
  bench::QuietDialogs dialogs;
  LanguageFile language("", "");
  SearchEngine engine(pump, dialogs, language);
  Count listener;
  engine.setListener(&listener);
  engine.setIndexed(indexed);
  std::vector<CheckedArchive> list;
  for (const std::string& p : catalogs) list.push_back({p, p, true});
  engine.setArchives(std::move(list));
  engine.setMask(mask);
  engine.criteria().SearchFor = kSearchDirectories | kSearchFiles;
  const double t0 = seconds();
  engine.StartSearch();
  hits = listener.hits;
  return seconds() - t0;
}

double commandOnce(const std::string& cmd, long& count) {
  const double t0 = seconds();
  FILE* p = ::popen(cmd.c_str(), "r");
  count = -1;
  if (p) {
    if (std::fscanf(p, "%ld", &count) != 1) count = -1;
    ::pclose(p);
  }
  return seconds() - t0;
}

template <class F>
double medianOf(int runs, F f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) t.push_back(f());
  return median(t);
}

std::uint64_t fileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

// Peak resident memory (MiB) of a fresh copy of this program that runs one indexed
// search (see main): a forked child would count the pages it shares with this one.
double childPeak(const std::string& dir, int scale, const char* mask) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const std::string n = std::to_string(scale);
    ::execl("/proc/self/exe", "bench_index", "--search-once", dir.c_str(), n.c_str(), mask,
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage u{};
  ::wait4(pid, &status, 0, &u);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

std::vector<std::string> catalogsOf(const std::string& dir, int scale) {
  std::vector<std::string> catalogs;
  for (int c = 0; c < scale; ++c) catalogs.push_back(catalogPath(dir, c));
  return catalogs;
}

struct Query {
  const char* title;
  const char* mask;
  std::string grep, plocate;  // the same selection of names
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--search-once") {
    std::int64_t hits = 0;
    searchOnce(catalogsOf(argv[2], std::atoi(argv[3])), argv[4], true, hits);
    return hits > 0 ? 0 : 1;
  }
  std::string dir = argc > 1 ? argv[1] : tempDirectory() + "kolvex-bench-index";
  if (dir.back() != '/') dir += '/';
  ::mkdir(dir.c_str(), 0755);
  makeData(dir);

  // Writing catalogs (a part of every scan) beside building their indexes, per record.
  {
    bench::NameMaker names;
    std::mt19937 rng(1);
    const std::string probe = dir + "probe.qel";
    std::vector<double> write, build;
    for (int i = 0; i < 5; ++i) {
      double t0 = seconds();
      writeOne(probe, 1000 + i, names, rng, {});
      write.push_back(seconds() - t0);
      t0 = seconds();
      index::BuildIndex(probe);
      build.push_back(seconds() - t0);
    }
    std::printf("catalog of %d records: write %.1f ms, index build %.1f ms (%.2f x the write; "
                "a scan also walks the tree)\n",
                kRecordsPerCatalog, median(write) * 1e3, median(build) * 1e3,
                median(build) / median(write));
    index::RemoveIndex(probe);
    ::unlink(probe.c_str());
  }

  std::vector<int> scales = {100, kAllCatalogs};
  if (argc > 2) scales = {std::atoi(argv[2])};
  const std::string only = argc > 3 ? argv[3] : "";
  for (int scale : scales) {
    const std::vector<std::string> catalogs = catalogsOf(dir, scale);
    const std::string list = dir + "names" + std::to_string(scale) + ".txt";
    const std::string db = dir + "names" + std::to_string(scale) + ".plocate";
    if (fileSize(db) == 0)
      std::system(("plocate-build -p '" + list + "' '" + db + "' >/dev/null 2>&1").c_str());
    const double records = static_cast<double>(scale) * kRecordsPerCatalog;
    std::printf("\n== %d catalogs, %.0f records\n", scale, records);

    // One query alone: indexes are made only where they are missing or stale.
    std::string ignored;
    const double t0 = seconds();
    for (const std::string& c : catalogs)
      if (only.empty()) index::BuildIndex(c);
      else index::EnsureIndex(c, false, ignored);
    const double built = seconds() - t0;
    std::uint64_t catalogBytes = 0, indexBytes = 0;
    for (const std::string& c : catalogs) {
      catalogBytes += fileSize(c);
      indexBytes += fileSize(index::indexPathsOf(c)[0]);
    }
    std::printf("index build %.2f s (%.2f M records/s); index %.1f MiB = %.1f %% of the "
                "catalogs' %.1f MiB\n",
                built, records / built / 1e6, indexBytes / 1048576.0,
                100.0 * static_cast<double>(indexBytes) / static_cast<double>(catalogBytes),
                catalogBytes / 1048576.0);

    const Query queries[] = {
        {"rare name", kRareName, "grep -c -i -F 'quokka_zephyr_4711.dat'",
         "plocate -c -i 'Quokka_Zephyr_4711.dat'"},
        {"*.txt", "*.txt", "grep -c -i '\\.txt$'", "plocate -c -i '*.txt'"},
        {"*", "*", "grep -c ''", "plocate -c '*'"},
        {"?*", "?*", "grep -c '.'", "plocate -c '?*'"},
    };
    std::printf("%-10s %9s %8s %11s %9s %9s %9s %9s %9s\n", "mask", "hits", "indexed",
                "linear", "grep", "plocate", "/linear", "/grep", "/plocate");
    for (const Query& q : queries) {
      if (!only.empty() && only != q.mask && only != q.title) continue;
      std::int64_t hits = 0, linearHits = 0;
      searchOnce(catalogs, q.mask, true, hits);  // warm
      const double indexed = medianOf(5, [&] { return searchOnce(catalogs, q.mask, true, hits); });
      const double linear =
          medianOf(3, [&] { return searchOnce(catalogs, q.mask, false, linearHits); });
      long grepCount = 0, plocateCount = 0;
      const std::string g = "LC_ALL=C " + q.grep + " '" + list + "'";
      const std::string p = q.plocate.substr(0, 7) + " -d '" + db + "'" + q.plocate.substr(7);
      commandOnce(g, grepCount);
      const double grep = medianOf(5, [&] { return commandOnce(g, grepCount); });
      const double plocate = medianOf(5, [&] { return commandOnce(p, plocateCount); });
      std::printf("%-10s %9lld %6.2fms %9.2fms %7.2fms %7.2fms %9.3f %9.3f %9.3f%s\n", q.title,
                  static_cast<long long>(hits), indexed * 1e3, linear * 1e3, grep * 1e3,
                  plocate * 1e3, indexed / linear, indexed / grep, indexed / plocate,
                  hits == linearHits && hits == grepCount ? "" : "  (counts differ!)");
      if (hits != grepCount || hits != plocateCount)
        std::printf("           counts: indexed %lld, linear %lld, grep %ld, plocate %ld\n",
                    static_cast<long long>(hits), static_cast<long long>(linearHits), grepCount,
                    plocateCount);
    }
    std::printf("peak memory of a rare-name search: %.1f MiB\n", childPeak(dir, scale, kRareName));
  }
  return 0;
}
