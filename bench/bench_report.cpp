// Export and space map of a 1,000,000-file catalog: CSV, JSON Lines and HTML exports
// beside a walk that prints every record as `kolvex-cli ls --json` prints one (the peer),
// and the space map of the catalog's root (a folder with every entry below it): reading
// its space tree, beside the peer walk, and laying out the cells of a 1600 x 1000 map.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchSupport.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/CatalogWriter.h"
#include "core/report/CatalogExport.h"
#include "core/report/EntryJson.h"
#include "core/spacemap/SpaceMapLayout.h"

using namespace kolvex;
using bench::Clock;
using bench::median;
using bench::seconds;

namespace {


// Counts what it is given, as a pipe to another program would take it.
class CountingOut final : public TextOut {
 public:
  std::uint64_t bytes = 0;

 protected:
  void write(std::string_view text) override { bytes += text.size(); }
};

class ByExtension final : public FileKindClassifier {
 public:
  FileKind kindOfExtension(const std::string& e) override {
    if (e == "jpg") return FileKind::Image;
    if (e == "mp3") return FileKind::Audio;
    if (e == "txt" || e == "doc") return FileKind::Document;
    if (e == "gz") return FileKind::Archive;
    return FileKind::Other;
  }
};

const char* const kExtensions[] = {".txt", ".doc", ".jpg", ".mp3", ".exe", "", ".tar.gz"};

// 100 top folders of 10 sub-folders of 1,000 files each.
void writeCatalog(const std::string& path) {
  CatalogWriter w(path);
  std::uint32_t seed = 7;
  int files = 0, dirs = 0;
  w.enterDirectory();
  for (int t = 0; t < 100; ++t) {
    const std::string top = "Folder" + std::to_string(t);
    w.enterDirectory();
    for (int s = 0; s < 10; ++s) {
      const std::string sub = "Sub" + std::to_string(s);
      const std::string inside = "X:\\" + top + "\\" + sub + "\\";
      w.enterDirectory();
      TSCFileObjectInfo r;
      for (int i = 0; i < 1000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const std::uint32_t x = seed >> 8;
        r.clear();
        r.FileName = "File_" + std::to_string(x % 1'000'000) + "_" + std::to_string(i) + kExtensions[x % 7];
        r.FilePath = inside;
        r.Attribute = faArchive;
        r.FileSize = x % 5'000'000;
        r.CreateDateTime = 36526.0 + (x % 9000) + (x % 43200) * 2.0 / 86400.0;
        w.addFile(r);
        ++files;
      }
      TSCFileObjectInfo d;
      d.FileName = sub;
      d.FilePath = "X:\\" + top + "\\";
      d.Attribute = faDirectory;
      d.FilesOnlyUM = d.FilesUnderMe = 1000;
      w.leaveDirectory(d);
      ++dirs;
    }
    TSCFileObjectInfo d;
    d.FileName = top;
    d.FilePath = "X:\\";
    d.Attribute = faDirectory;
    d.DirsOnlyUM = d.DirsUnderMe = 10;
    d.FilesUnderMe = 10000;
    w.leaveDirectory(d);
    ++dirs;
  }
  TSCFileObjectInfo root;
  root.FilePath = "X:\\";
  root.Attribute = faDirectory;
  root.DirsOnlyUM = 100;
  root.DirsUnderMe = dirs;
  root.FilesUnderMe = files;
  w.leaveDirectory(root);
  TSCCDInfo h;
  h.CDLabel = "BENCH";
  h.TotalFiles = files;
  h.TotalDirectories = dirs;
  w.commit(h);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char dir[] = "/tmp/kolvex-bench-report-XXXXXX";
  if (!::mkdtemp(dir)) return 1;
  const std::string path = std::string(dir) + "/bench.qel";
  writeCatalog(path);

  std::vector<double> peer, csv, jsonl, html, tree, layout;
  std::uint64_t peerBytes = 0, csvBytes = 0;
  std::size_t cells = 0, nodes = 0;
  for (int run = 0; run < runs; ++run) {
    {  // The peer: every record as ls --json prints it.
      CatalogReader reader(path);
      CountingOut out;
      const auto a = Clock::now();
      reader.walkTree(
          [&](std::int64_t, const TSCFileObjectInfo& r, int depth) {
            if (depth == 0) return;
            const ExportRow row{r.isDirectory() ? RowKind::Folder : RowKind::File, r.FileName, {},
                                r.FilePath, r.FileSize, r.CreateDateTime, r.Attribute, {}};
            out.put(JsonLine(EntryJson(row, false)));
            out.put('\n');
          },
          true);
      out.flush();
      peer.push_back(seconds(a, Clock::now()));
      peerBytes = out.bytes;
    }
    for (ExportFormat f : {ExportFormat::Csv, ExportFormat::JsonLines, ExportFormat::Html}) {
      CatalogReader reader(path);
      CountingOut out;
      auto writer = MakeExportWriter(f, out);
      const auto a = Clock::now();
      ExportCatalogFolder(reader, path, reader.header().EntranceRP, "/", *writer);
      const double t = seconds(a, Clock::now());
      (f == ExportFormat::Csv ? csv : f == ExportFormat::JsonLines ? jsonl : html).push_back(t);
      if (f == ExportFormat::Csv) csvBytes = out.bytes;
    }
    {
      CatalogReader reader(path);
      ByExtension table;
      FileKinds kinds(table);
      const auto a = Clock::now();
      std::optional<SpaceTree> t = SpaceTree::Build(reader, reader.header().EntranceRP, kinds);
      const auto b = Clock::now();
      std::vector<SpaceCell> c = LayoutSpaceMap(*t, 0, MapRect{0, 0, 1600, 1000});
      const auto e = Clock::now();
      tree.push_back(seconds(a, b));
      layout.push_back(seconds(b, e));
      cells = c.size();
      nodes = t->size();
    }
  }
  const double p = median(peer);
  std::printf("catalog: %zu entries; median of %d runs\n", nodes, runs);
  std::printf("%-46s %8.3f s  (%.1f MB)\n", "peer: ls --json style walk", p, peerBytes / 1e6);
  std::printf("%-46s %8.3f s  %.2f x peer  (%.1f MB)\n", "export CSV", median(csv), median(csv) / p, csvBytes / 1e6);
  std::printf("%-46s %8.3f s  %.2f x peer\n", "export JSON Lines", median(jsonl), median(jsonl) / p);
  std::printf("%-46s %8.3f s  %.2f x peer (two walks)\n", "export HTML report", median(html), median(html) / p);
  std::printf("%-46s %8.3f s  %.2f x peer\n", "space map: read the space tree of the root", median(tree), median(tree) / p);
  std::printf("%-46s %8.4f s  (%zu cells)\n", "space map: lay out 1600 x 1000 from memory", median(layout), cells);
  ::unlink(path.c_str());
  ::rmdir(dir);
  return 0;
}
