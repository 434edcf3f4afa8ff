#include "core/report/CatalogExport.h"

#include "core/report/FolderTotals.h"
#include "core/report/RowText.h"
#include "core/search/TUSearch.h"

namespace kolvex {

bool ExportCatalogFolder(CatalogReader& reader, const std::string& catalogFile,
                         std::int64_t start, const std::string& folderPath,
                         ExportWriter& writer, const ExportProgress& progress) {
  const TSCCDInfo& header = reader.header();
  const TSCFileObjectInfo& top = reader.readAt(start);
  // The folder's own counters give the progress bar its end; a damaged count only
  // makes the bar wrong, the walk does not trust it.
  const std::int64_t expected = std::int64_t{top.FilesUnderMe} + top.DirsUnderMe;
  ExportSource source{header.CDLabel, &header, folderPath, catalogFile, expected};
  writer.begin(source);
  // A writer that shows totals gets them from a first walk; that walk counts as the
  // first half of the progress.
  const bool twoPasses = writer.wantsFolderTotals();
  const std::int64_t total = expected < 0 ? -1 : (twoPasses ? 2 * expected : expected);
  std::int64_t base = 0;
  auto step = [&](std::int64_t done) { return !progress || progress(base + done, total); };
  if (twoPasses) {
    std::optional<FolderTotals> totals = CollectFolderTotals(reader, start, folderPath, step);
    if (!totals) return false;
    writer.folderTotals(*totals);
    base = expected;
  }
  const std::string& label = header.CDLabel;
  CatalogWalk walk(reader, start, folderPath);
  const bool complete = walk.run(
      [&](const WalkEntry& e) {
        const TSCFileObjectInfo& r = e.record;
        writer.row(ExportRow{e.isFolder ? RowKind::Folder : RowKind::File, r.FileName, e.folder,
                             r.FilePath, r.FileSize, e.isFolder ? 0.0 : r.CreateDateTime,
                             r.Attribute, label});
      },
      step);
  if (!complete) return false;
  writer.end();
  return true;
}

ExportRow SearchHitRow(const TTSearchResultItem& hit, std::string& folder) {
  ExportRow row;
  row.name = hit.Name;
  row.size = hit.Size;
  row.time = hit.DateTime;
  row.attributes = hit.Attribute;
  row.label = hit.CDLabel;
  row.storedPath = hit.FilePath;
  if (hit.Kind == kSearchCatalogs) {
    row.kind = RowKind::Catalog;
    row.folder = hit.FilePath;  // the scanned folder itself
    return row;
  }
  row.kind = hit.Kind == kSearchDirectories ? RowKind::Folder : RowKind::File;
  if (row.kind == RowKind::Folder) row.time = 0.0;
  folder = RealFolderPath(hit.FilePath);
  row.folder = folder;
  return row;
}

bool ExportSearchHits(const std::vector<TTSearchResultItem>& hits, const std::string& title,
                      ExportWriter& writer, const ExportProgress& progress) {
  const auto total = static_cast<std::int64_t>(hits.size());
  writer.begin(ExportSource{title, nullptr, title, {}, total});
  std::string folder;
  std::int64_t done = 0;
  for (const TTSearchResultItem& hit : hits) {
    writer.row(SearchHitRow(hit, folder));
    if (progress && !progress(++done, total)) return false;
  }
  writer.end();
  return true;
}

}  // namespace kolvex
