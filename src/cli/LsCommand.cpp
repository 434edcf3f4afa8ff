#include "cli/LsCommand.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/FieldText.h"
#include "core/catalog/DateTimeText.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"

namespace kolvex::cli {
namespace {

struct Found {
  std::int64_t pos;
  TTFileObjectInfo entry;
};

std::vector<std::string> components(const std::string& folder) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= folder.size()) {
    std::size_t slash = folder.find('/', start);
    if (slash == std::string::npos) slash = folder.size();
    if (slash > start) parts.push_back(folder.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

std::string hexBytes(const std::string& s) {
  std::string out;
  char buf[3];
  for (unsigned char c : s) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

// JSON texts are Unicode: a name that is not UTF-8 is given a second time as its bytes
// in hexadecimal, so that it is not lost.
void putText(nlohmann::ordered_json& o, const char* key, const std::string& value) {
  o[key] = value;
  if (!isValidUtf8(value)) o[std::string(key) + "Bytes"] = hexBytes(value);
}

}  // namespace

void LsCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file")->required();
  sub.add_option("FOLDER", folder_, "A folder below the scanned one, parts separated by /");
  sub.add_flag("--json", json_,
               "One JSON object per line: name, kind (dir or file), size, time (day count), "
               "attributes and path (the stored path)");
}

int LsCommand::run(Io& io) {
  std::setlocale(LC_TIME, "");
  std::vector<Found> dirs, files;
  try {
    CatalogReader reader(catalog_);
    std::int64_t pos = reader.header().EntranceRP;
    TTFileObjectInfo current = snapshotOf(reader.readRoot());
    for (const std::string& part : components(folder_)) {
      std::optional<Found> next;
      reader.forEachInChain(current.ChildDirRP, pos,
                            [&](std::int64_t p, const TSCFileObjectInfo& r) {
                              if (!next && r.FileName == part) next = Found{p, snapshotOf(r)};
                            });
      if (!next) {
        io.err << "kolvex-cli: " << catalog_ << " has no folder " << folder_ << "\n";
        return kExitFailure;
      }
      pos = next->pos;
      current = std::move(next->entry);
    }
    reader.forEachInChain(current.ChildDirRP, pos, [&](std::int64_t p, const TSCFileObjectInfo& r) {
      dirs.push_back({p, snapshotOf(r)});
    });
    reader.forEachInChain(current.ChildFileRP, pos,
                          [&](std::int64_t p, const TSCFileObjectInfo& r) {
                            files.push_back({p, snapshotOf(r)});
                          });
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
  auto byName = [](const Found& a, const Found& b) { return a.entry.FileName < b.entry.FileName; };
  std::stable_sort(dirs.begin(), dirs.end(), byName);
  std::stable_sort(files.begin(), files.end(), byName);

  std::ostringstream out;
  auto print = [&](const Found& f, bool isDir) {
    const TTFileObjectInfo& e = f.entry;
    if (json_) {
      nlohmann::ordered_json o;
      putText(o, "name", e.FileName);
      o["kind"] = isDir ? "dir" : "file";
      o["size"] = e.FileSize;
      o["time"] = e.CreateDateTime;
      o["attributes"] = e.Attribute;
      putText(o, "path", e.FilePath);
      out << o.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
      return;
    }
    std::string date = isDir ? "--" : DateTimeText(e.CreateDateTime);
    out << (date.empty() ? "?" : date) << '\t' << e.FileSize << '\t' << fieldText(e.FileName)
        << (isDir ? "/" : "") << '\n';
  };
  for (const Found& d : dirs) print(d, true);
  for (const Found& f : files) print(f, false);
  io.out << out.str();
  return kExitOk;
}

}  // namespace kolvex::cli
