// Content fingerprints. Two figures, each beside a peer measured in the same run:
// - hashing: the program's hasher over a generated tree of files against
//   `xxhsum -H128` over the same files (both with a warm page cache), MB/s and ratio;
// - duplicates: DuplicateFinder over generated catalogs (default 500 catalogs of 20,000
//   file records, 10 million records, half of them with fingerprint files) against one
//   plain pass of the search's record reader over the same catalogs, with the peak memory
//   of the finder's child process.
// Usage: bench_fingerprints [CATALOGS] [RECORDS_PER_CATALOG]. Files are kept under
// $KOLVEX_BENCH_DIR (default /tmp/kolvex-bench-fingerprints) and made again only when missing.
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

#include "BenchSupport.h"
#include "core/compare/DuplicateFinder.h"
#include "core/content/CompanionStore.h"
#include "core/content/ContentHasher.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"
#include "core/persist/RecordScanner.h"

using namespace kolvex;
using bench::Clock;
using bench::median;

namespace {

double seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string benchDir() {
  const char* dir = std::getenv("KOLVEX_BENCH_DIR");
  return dir ? dir : "/tmp/kolvex-bench-fingerprints";
}

// 48 files of 1 to 16 MiB, 400 MiB in all.
std::vector<std::string> makeFiles(const std::string& root, std::uint64_t& total) {
  ::mkdir(root.c_str(), 0755);
  std::vector<std::string> files;
  std::string block(1 << 20, '\0');
  total = 0;
  for (int i = 0; i < 48; ++i) {
    const std::string path = root + "/f" + std::to_string(i);
    const int mib = 1 + (i * 7) % 16;
    files.push_back(path);
    total += static_cast<std::uint64_t>(mib) << 20;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && st.st_size == (static_cast<off_t>(mib) << 20)) continue;
    FILE* f = std::fopen(path.c_str(), "wb");
    for (int m = 0; m < mib; ++m) {
      for (std::size_t k = 0; k < block.size(); ++k) block[k] = static_cast<char>((k * 31 + m + i) >> 2);
      std::fwrite(block.data(), 1, block.size(), f);
    }
    std::fclose(f);
  }
  return files;
}

void benchHashing() {
  std::uint64_t total = 0;
  const auto files = makeFiles(benchDir() + "/files", total);
  std::string command = "xxhsum -H128";
  for (const auto& f : files) command += " '" + f + "'";
  command += " >/dev/null";
  ContentHasher hasher;
  auto ours = [&] {
    for (const auto& f : files) hasher.hashFile(f);
  };
  ours();  // warm the page cache
  std::vector<double> mine, peer;
  for (int run = 0; run < 5; ++run) {
    auto t = Clock::now();
    ours();
    mine.push_back(seconds(t));
    t = Clock::now();
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "xxhsum failed\n");
    peer.push_back(seconds(t));
  }
  const double mb = static_cast<double>(total) / 1e6;
  std::printf("hashing %zu files, %.0f MB (median of 5, warm cache):\n", files.size(), mb);
  std::printf("  kolvex %.3f s (%.0f MB/s)   xxhsum -H128 %.3f s (%.0f MB/s)   ratio %.2f\n",
              median(mine), mb / median(mine), median(peer), mb / median(peer),
              median(mine) / median(peer));
}

// Catalogs of one folder of folders with `records` files. One file in `every` takes a name
// of a pool of 50,000 whose size follows the name, so it has copies in other catalogs; the
// others have a name and size of their own.
std::vector<std::string> makeCatalogs(const std::string& root, int catalogs, int records, int every) {
  ::mkdir(root.c_str(), 0755);
  std::vector<std::string> paths;
  for (int c = 0; c < catalogs; ++c) {
    const std::string path = root + "/c" + std::to_string(c) + "_" + std::to_string(records) + ".qel";
    paths.push_back(path);
    if (::access(path.c_str(), F_OK) == 0) continue;
    CatalogWriter writer(path);
    TSCFileObjectInfo r;
    std::vector<FingerprintEntry> prints;
    writer.enterDirectory();
    for (int i = 0; i < records;) {
      writer.enterDirectory();
      for (int k = 0; k < 1000 && i < records; ++k, ++i) {
        const long long n = i % every == 0 ? (c * 7919LL + i * 13LL) % 50000
                                           : 50000LL + static_cast<long long>(c) * records + i;
        r.clear();
        r.FileName = "file" + std::to_string(n) + ".dat";
        r.FilePath = "X:\\d" + std::to_string(i / 1000) + "\\";
        r.Attribute = faArchive;
        r.FileSize = 1 + n * 37;
        r.CreateDateTime = 40000.0 + n;
        std::int64_t pos = writer.addFile(r);
        if (c % 2 == 0) prints.push_back({pos, r.FileSize, {static_cast<std::uint64_t>(n), 1}});
      }
      r.clear();
      r.FileName = "d" + std::to_string(i / 1000);
      r.FilePath = "X:\\";
      r.Attribute = faDirectory;
      writer.leaveDirectory(r);
    }
    r.clear();
    r.FilePath = "X:\\";
    r.Attribute = faDirectory;
    writer.leaveDirectory(r);
    TSCCDInfo header;
    header.CDLabel = "DISC" + std::to_string(c);
    header.CreateSerial = std::to_string(1000 + c);
    header.TotalFiles = records;
    header.TotalDirectories = (records + 999) / 1000;
    header.BaseDir = "/media/u/DISC" + std::to_string(c) + "/";
    writer.commit(header);
    if (!prints.empty()) {
      std::sort(prints.begin(), prints.end(),
                [](const auto& a, const auto& b) { return a.record < b.record; });
      writeCompanion(path, {identityOf(path), std::move(prints)});
    }
  }
  return paths;
}

struct Child {
  double seconds = 0;
  long maxRssKiB = 0;
  long groups = 0;
};

// Runs f in a child process, so its peak memory is its own.
template <typename F>
Child inChild(F f) {
  int pipeFd[2];
  if (::pipe(pipeFd) != 0) std::exit(1);
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFd[0]);
    Child c;
    auto t = Clock::now();
    c.groups = f();
    c.seconds = seconds(t);
    struct rusage ru {};
    ::getrusage(RUSAGE_SELF, &ru);
    c.maxRssKiB = ru.ru_maxrss;
    if (::write(pipeFd[1], &c, sizeof c) != sizeof c) ::_exit(1);
    ::_exit(0);
  }
  ::close(pipeFd[1]);
  Child c;
  if (::read(pipeFd[0], &c, sizeof c) != sizeof c) std::fprintf(stderr, "child failed\n");
  ::close(pipeFd[0]);
  ::waitpid(pid, nullptr, 0);
  return c;
}

void benchDupes(int catalogs, int records, int every) {
  auto t = Clock::now();
  const std::string folder = every == 1 ? "/catalogs" : "/catalogs-1-in-" + std::to_string(every);
  const auto paths = makeCatalogs(benchDir() + folder, catalogs, records, every);
  std::printf("duplicates over %d catalogs x %d records, %s (ready in %.1f s):\n", catalogs, records,
              every == 1 ? "every file has copies" : ("one file in " + std::to_string(every) + " has copies").c_str(),
              seconds(t));
  auto readAll = [&] {
    long n = 0;
    for (const auto& p : paths) {
      CatalogReader reader(p);
      reader.file().seek(reader.recordBase());
      RecordScanner scan(reader.file().stream());
      const long count = long{reader.header().TotalFiles} + reader.header().TotalDirectories + 1;
      for (long i = 0; i < count; ++i) n += scan.next().FileSize > 0;
    }
    return n;
  };
  auto dupes = [&] {
    DuplicateFinder finder({true, false, 1});
    finder.addCatalogs(paths);
    return static_cast<long>(finder.groups().size());
  };
  readAll();  // warm the page cache
  std::vector<double> mine, peer;
  long rss = 0, groups = 0;
  for (int run = 0; run < 3; ++run) {
    Child p = inChild(readAll);
    Child m = inChild(dupes);
    peer.push_back(p.seconds);
    mine.push_back(m.seconds);
    rss = std::max(rss, m.maxRssKiB);
    groups = m.groups;
  }
  std::printf("  dupes %.2f s, %ld groups, peak %ld MiB   one read pass %.2f s   ratio %.2f\n",
              median(mine), groups, rss / 1024, median(peer), median(mine) / median(peer));
}

}  // namespace

int main(int argc, char** argv) {
  const int catalogs = argc > 1 ? std::atoi(argv[1]) : 500;
  const int records = argc > 2 ? std::atoi(argv[2]) : 20000;
  ::mkdir(benchDir().c_str(), 0755);
  // "dupes" as the third argument leaves out the hashing, for profiling the duplicates alone.
  if (argc <= 3 || std::string(argv[3]) != "dupes") benchHashing();
  benchDupes(catalogs, records, 1);   // the worst case: every path is built and kept
  benchDupes(catalogs, records, 10);  // a collection where some files were copied
  return 0;
}
