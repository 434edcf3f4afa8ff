// Writes a catalog of 1,000,000 records and reads it back, beside a plain sequential
// read of the same file in the same run. The ratio to that read is the figure.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"

using namespace kolvex;
using bench::Clock;
using bench::median;
using bench::seconds;

namespace {


constexpr int kDirs = 1000;
constexpr int kFilesPerDir = 999;  // 999,000 files + 1,000 folders + the root

void writeCatalog(const std::string& path) {
  CatalogWriter w(path);
  w.enterDirectory();
  TSCFileObjectInfo r;
  for (int d = 0; d < kDirs; ++d) {
    w.enterDirectory();
    std::string folder = "X:\\folder" + std::to_string(d) + "\\";
    for (int f = 0; f < kFilesPerDir; ++f) {
      r.clear();
      r.FileName = "document_" + std::to_string(f) + ".txt";
      r.FilePath = folder;
      r.Attribute = faArchive;
      r.FileSize = 1000 + f * 37;
      r.CreateDateTime = 45000.0 + f / 1000.0;
      w.addFile(r);
    }
    r.clear();
    r.FileName = "folder" + std::to_string(d);
    r.FilePath = "X:\\";
    r.Attribute = faDirectory;
    r.FilesUnderMe = r.FilesOnlyUM = kFilesPerDir;
    w.leaveDirectory(r);
  }
  r.clear();
  r.FilePath = "X:\\";
  r.Attribute = faDirectory;
  w.leaveDirectory(r);
  TSCCDInfo h;
  h.CDLabel = "BENCH";
  h.TotalFiles = kDirs * kFilesPerDir;
  h.TotalDirectories = kDirs;
  w.commit(h);
}

std::uint64_t plainRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  std::vector<char> buf(64 * 1024);
  std::uint64_t total = 0, sum = 0;
  for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;) {
    total += static_cast<std::uint64_t>(n);
    sum += static_cast<unsigned char>(buf[0]);  // touch the data
  }
  ::close(fd);
  return total + (sum & 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "/tmp/kolvex-bench.qel";
  const int runs = argc > 2 ? 1 : 5;
  std::vector<double> write, readOrder, walk, plain;
  std::uint64_t bytes = 0;
  std::int64_t records = 0;
  for (int i = 0; i < runs; ++i) {
    auto t0 = Clock::now();
    writeCatalog(path);
    auto t1 = Clock::now();
    write.push_back(seconds(t0, t1));

    t0 = Clock::now();
    bytes = plainRead(path);
    t1 = Clock::now();
    plain.push_back(seconds(t0, t1));

    t0 = Clock::now();
    records = 0;
    {
      CatalogReader r(path);
      r.forEachInFileOrder([&](std::int64_t, const TSCFileObjectInfo&) { ++records; });
    }
    t1 = Clock::now();
    readOrder.push_back(seconds(t0, t1));

    t0 = Clock::now();
    std::int64_t walked = 0;
    {
      CatalogReader r(path);
      r.walkTree([&](std::int64_t, const TSCFileObjectInfo&, int) { ++walked; }, true);
    }
    t1 = Clock::now();
    walk.push_back(seconds(t0, t1));
    if (walked != records)
      std::printf("walk visited %lld of %lld\n", static_cast<long long>(walked),
                  static_cast<long long>(records));
  }
  double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
  auto line = [&](const char* what, double s) {
    std::printf("%-28s %8.3f s  %10.0f records/s  %8.1f MB/s  %6.1f x plain read\n", what, s,
                static_cast<double>(records) / s, mb / s, s / median(plain));
  };
  std::printf("catalog: %lld records, %.1f MB, median of %d runs\n",
              static_cast<long long>(records), mb, runs);
  line("write (records + assemble)", median(write));
  line("read in file order", median(readOrder));
  line("walk tree with files", median(walk));
  line("plain sequential read", median(plain));
  if (argc < 3 || std::string(argv[2]) != "--keep") ::unlink(path.c_str());
  return 0;
}
