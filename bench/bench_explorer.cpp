// Opening a catalog of 100,000 folders and 1,000,000 files in the explorer (the whole
// folder tree built, the root shown) and listing its folder of 100,000 files, sorted,
// beside reading every record in file order and walking the folders with one
// positioned read each, all in the same run. Median of several runs.
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/explorer/ExplorerModel.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"

using namespace kolvex;
using bench::Clock;
using bench::median;
using bench::seconds;

namespace {


constexpr int kTop = 1000;  // top folders; the first holds the big folder's files
constexpr int kSubs = 99;   // sub-folders in each top folder
constexpr int kBigFiles = 100'000;
constexpr int kSmallFiles = 9;  // in every other folder and in the root

const char* const kExtensions[] = {".txt", ".doc", ".jpg", ".mp3", ".exe", "", ".tar.gz"};

std::uint32_t next(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

void addFiles(CatalogWriter& w, const std::string& path, int n, std::uint32_t& seed,
              std::int64_t& files) {
  TSCFileObjectInfo r;
  for (int i = 0; i < n; ++i) {
    r.clear();
    std::uint32_t x = next(seed);
    r.FileName =
        "File_" + std::to_string(x % 1'000'000) + "_" + std::to_string(i) + kExtensions[x % 7];
    r.FilePath = path;
    r.Attribute = faArchive;
    r.FileSize = x % 5'000'000;
    r.CreateDateTime = 36526.0 + (x % 9000) + (x % 43200) * 2.0 / 86400.0;
    w.addFile(r);
    ++files;
  }
}

void leave(CatalogWriter& w, const std::string& name, const std::string& path, int files,
           int dirs) {
  TSCFileObjectInfo r;
  r.FileName = name;
  r.FilePath = path;
  r.Attribute = faDirectory;
  r.FilesOnlyUM = files;
  r.DirsOnlyUM = dirs;
  w.leaveDirectory(r);
}

void writeCatalog(const std::string& path, std::int64_t& files, std::int64_t& dirs) {
  files = dirs = 0;
  std::uint32_t seed = 12345;
  CatalogWriter w(path);
  w.enterDirectory();
  for (int t = 0; t < kTop; ++t) {
    std::string top = "Folder" + std::to_string(t);
    std::string inside = "X:\\" + top + "\\";
    w.enterDirectory();
    for (int s = 0; s < kSubs; ++s) {
      std::string sub = "Sub" + std::to_string(s);
      w.enterDirectory();
      addFiles(w, inside + sub + "\\", kSmallFiles, seed, files);
      leave(w, sub, inside, kSmallFiles, 0);
      ++dirs;
    }
    int own = t == 0 ? kBigFiles : kSmallFiles;
    addFiles(w, inside, own, seed, files);
    leave(w, top, "X:\\", own, kSubs);
    ++dirs;
  }
  addFiles(w, "X:\\", kSmallFiles, seed, files);
  leave(w, "", "X:\\", kSmallFiles, kTop);
  TSCCDInfo h;
  h.CDLabel = "BENCH";
  h.TotalFiles = static_cast<std::int32_t>(files);
  h.TotalDirectories = static_cast<std::int32_t>(dirs);
  w.commit(h);
}

std::uint64_t plainRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  std::vector<char> buf(64 * 1024);
  std::uint64_t total = 0, sum = 0;
  for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) {
    total += static_cast<std::uint64_t>(n);
    sum += static_cast<unsigned char>(buf[0]);
  }
  ::close(fd);
  return total + (sum & 1);
}

// Bytes the allocator has handed out and not had back.
std::size_t heapInUse() {
  struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "/tmp/kolvex-bench-explorer.qel";
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::int64_t files = 0, dirs = 0;
  auto w0 = Clock::now();
  writeCatalog(path, files, dirs);
  double writeTime = seconds(w0, Clock::now());

  NoEventPump events;
  bench::QuietDialogs dialogs;
  std::vector<double> plain, fileOrder, walk, open, list, resort;
  std::uint64_t bytes = 0;
  std::size_t nodes = 0, listed = 0;
  double treeMiB = 0, listMiB = 0;
  for (int i = 0; i < runs; ++i) {
    auto t0 = Clock::now();
    bytes = plainRead(path);
    plain.push_back(seconds(t0, Clock::now()));

    t0 = Clock::now();
    {
      CatalogReader r(path);
      std::int64_t n = 0;
      r.forEachInFileOrder([&](std::int64_t, const TSCFileObjectInfo&) { ++n; });
    }
    fileOrder.push_back(seconds(t0, Clock::now()));

    t0 = Clock::now();
    {
      CatalogReader r(path);
      std::int64_t n = 0;
      r.walkTree([&](std::int64_t, const TSCFileObjectInfo&, int) { ++n; }, false);
    }
    walk.push_back(seconds(t0, Clock::now()));

    std::size_t before = heapInUse();
    ExplorerModel model(events, dialogs);
    t0 = Clock::now();
    model.OpenArchive(path);
    open.push_back(seconds(t0, Clock::now()));
    treeMiB = static_cast<double>(heapInUse() - before) / (1024.0 * 1024.0);
    nodes = model.tree().size();

    const TreeNode* big = model.FindTreeNodeByPath("BENCH\\Folder0");
    if (!big) return 1;
    std::size_t beforeList = heapInUse();
    t0 = Clock::now();
    model.ShowFolder(*big);
    list.push_back(seconds(t0, Clock::now()));
    listMiB = static_cast<double>(heapInUse() - beforeList) / (1024.0 * 1024.0);
    listed = model.entries().size();

    t0 = Clock::now();
    model.columnClick(3);
    resort.push_back(seconds(t0, Clock::now()));
  }

  double base = median(fileOrder);
  double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
  std::printf("catalog: %lld folders, %lld files, %.1f MB (written in %.2f s); median of %d runs\n",
              static_cast<long long>(dirs), static_cast<long long>(files), mb, writeTime, runs);
  auto line = [&](const char* what, double s) {
    std::printf("%-44s %8.3f s  %6.2f x file-order read\n", what, s, s / base);
  };
  line("plain sequential read of the file", median(plain));
  line("read every record in file order (peer)", base);
  line("walk folders, one positioned read each", median(walk));
  line("explorer open: tree built, root shown", median(open));
  line("list the 100,000-file folder, name sorted", median(list));
  line("re-sort that list by size", median(resort));
  std::printf(
      "heap in use: %.1f MiB with the tree of %zu folders open, %.1f MiB more for the list "
      "of %zu entries\n",
      treeMiB, nodes, listMiB, listed);
  if (argc < 4 || std::string(argv[3]) != "--keep") ::unlink(path.c_str());
  return 0;
}
