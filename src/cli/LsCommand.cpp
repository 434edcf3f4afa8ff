#include "cli/LsCommand.h"

#include <algorithm>
#include <ostream>

#include "cli/FieldText.h"
#include "core/persist/CatalogFolder.h"
#include "core/persist/PersistError.h"
#include "core/report/EntryJson.h"

namespace kolvex::cli {

void LsCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file")->required();
  sub.add_option("FOLDER", folder_, "A folder below the scanned one, parts separated by /");
  sub.add_flag("--json", json_,
               "One JSON object per line: name, kind (dir or file), size, time (day count), "
               "attributes and path (the stored path)");
}

int LsCommand::run(Io& io) {
  FolderListing listing;
  try {
    CatalogReader reader(catalog_);
    const std::optional<CatalogFolder> folder = FindCatalogFolder(reader, folder_);
    if (!folder) {
      io.err << "kolvex-cli: " << catalog_ << " has no folder " << folder_ << "\n";
      return kExitFailure;
    }
    listing = ListCatalogFolder(reader, *folder);
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
  auto byName = [](const ListedEntry& a, const ListedEntry& b) {
    return a.record.FileName < b.record.FileName;
  };
  std::stable_sort(listing.folders.begin(), listing.folders.end(), byName);
  std::stable_sort(listing.files.begin(), listing.files.end(), byName);

  auto print = [&](const ListedEntry& f, bool isDir) {
    const TTFileObjectInfo& e = f.record;
    if (json_) {
      const ExportRow row{isDir ? RowKind::Folder : RowKind::File, e.FileName, {}, e.FilePath,
                          e.FileSize, e.CreateDateTime, e.Attribute, {}};
      io.out << JsonLine(EntryJson(row, false)) << '\n';
      return;
    }
    io.out << (isDir ? "--" : dateField(e.CreateDateTime)) << '\t' << e.FileSize << '\t' << fieldText(e.FileName)
           << (isDir ? "/" : "") << '\n';
  };
  for (const ListedEntry& d : listing.folders) print(d, true);
  for (const ListedEntry& f : listing.files) print(f, false);
  return kExitOk;
}

}  // namespace kolvex::cli
