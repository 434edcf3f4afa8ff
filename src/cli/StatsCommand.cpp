#include "cli/StatsCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/CliEnvironment.h"
#include "cli/FieldText.h"
#include "cli/InterruptPump.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/FormatSize.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"
#include "core/report/CatalogStatistics.h"
#include "core/report/EntryJson.h"
#include "core/report/RowText.h"
#include "mime/QtFileKindClassifier.h"

namespace kolvex::cli {
namespace {

struct Named {
  std::string file;
  std::string label;
  CatalogStatistics stats;
};

// --- JSON

void putText(nlohmann::ordered_json& o, const char* key, const std::string& value) {
  o[key] = value;
  if (!isValidUtf8(value)) o[std::string(key) + "Bytes"] = HexBytes(value);
}

nlohmann::ordered_json rankedJson(const std::vector<RankedEntry>& list, bool withTime) {
  nlohmann::ordered_json a = nlohmann::ordered_json::array();
  for (const RankedEntry& e : list) {
    nlohmann::ordered_json o;
    putText(o, "path", e.path);
    putText(o, "label", e.label);
    o["size"] = e.bytes;
    if (withTime) {
      o["time"] = e.time;
      o["date"] = IsoDateTimeText(e.time);
    }
    a.push_back(std::move(o));
  }
  return a;
}

nlohmann::ordered_json statsJson(const CatalogStatistics& s) {
  nlohmann::ordered_json o;
  o["catalogs"] = s.catalogs;
  o["files"] = s.files;
  o["folders"] = s.folders;
  o["size"] = s.bytes;
  o["capacity"] = s.capacity();
  o["volumesWithCapacity"] = s.volumesWithCapacity();
  o["volumesWithoutCapacity"] = s.volumesWithoutCapacity();
  o["filled"] = s.filledBytes();
  if (s.fill() >= 0)
    o["fill"] = s.fill();
  else
    o["fill"] = nullptr;
  nlohmann::ordered_json kinds;
  for (FileKind k : kAllFileKinds)
    kinds[std::string(FileKindName(k))] = {{"files", s.kind(k).files}, {"size", s.kind(k).bytes}};
  o["kinds"] = std::move(kinds);
  nlohmann::ordered_json ext = nlohmann::ordered_json::array();
  for (const ExtensionCount& e : s.topExtensions()) {
    nlohmann::ordered_json x;
    putText(x, "extension", e.extension);
    x["files"] = e.count.files;
    x["size"] = e.count.bytes;
    ext.push_back(std::move(x));
  }
  o["extensions"] = std::move(ext);
  o["largestFiles"] = rankedJson(s.largestFiles, false);
  o["largestFolders"] = rankedJson(s.largestFolders, false);
  o["oldestFiles"] = rankedJson(s.oldestFiles, true);
  o["newestFiles"] = rankedJson(s.newestFiles, true);
  return o;
}

// --- Text

std::string sizeText(std::int64_t bytes) { return FormatSize(bytes) + " (" + std::to_string(bytes) + ")"; }

void ranked(std::ostream& out, const char* title, const std::vector<RankedEntry>& list,
            bool byDate, bool withLabel) {
  if (list.empty()) return;
  out << title << ":\n";
  for (const RankedEntry& e : list) {
    out << "  " << (byDate ? IsoDateTimeText(e.time) : std::to_string(e.bytes)) << '\t';
    if (withLabel) out << fieldText(e.label) << '\t';
    out << fieldText(e.path) << '\n';
  }
}

void statsText(std::ostream& out, const CatalogStatistics& s, bool withLabel) {
  out << "Files:\t" << s.files << '\n' << "Folders:\t" << s.folders << '\n';
  // Across catalogs the three sizes cover different things: each says which.
  const bool many = s.catalogs > 1;
  out << "Total size:\t" << sizeText(s.bytes) << (many ? "\tof the files of every catalog" : "")
      << '\n';
  const std::int64_t unknown = s.volumesWithoutCapacity();
  if (s.fill() >= 0) {
    char fill[32];
    std::snprintf(fill, sizeof fill, "%.1f %%", s.fill() * 100.0);
    out << "Capacity:\t" << sizeText(s.capacity());
    if (many) {
      out << '\t' << s.volumesWithCapacity() << " volume(s), each counted once";
      if (unknown > 0) out << "; " << unknown << " more without a known capacity";
    }
    out << '\n' << "Filled:\t" << fill;
    if (many) out << '\t' << sizeText(s.filledBytes()) << " of files on these volumes, each file counted once";
    out << '\n';
  } else {
    out << "Capacity:\tunknown\n";
  }
  out << "By kind:\n";
  for (FileKind k : kAllFileKinds)
    out << "  " << FileKindName(k) << '\t' << s.kind(k).files << " files\t"
        << sizeText(s.kind(k).bytes) << '\n';
  out << "By extension:\n";
  for (const ExtensionCount& e : s.topExtensions())
    out << "  " << (e.extension.empty() ? "(none)" : fieldText(e.extension)) << '\t'
        << e.count.files << " files\t" << sizeText(e.count.bytes) << '\n';
  ranked(out, "Largest files", s.largestFiles, false, withLabel);
  ranked(out, "Largest folders", s.largestFolders, false, withLabel);
  ranked(out, "Oldest files", s.oldestFiles, true, withLabel);
  ranked(out, "Newest files", s.newestFiles, true, withLabel);
}

}  // namespace

void StatsCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalogs_, "Catalog files (default: every catalog of the folder)");
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
  sub.add_flag("--json", json_,
               "One JSON object: \"catalogs\" with the figures of each, \"total\" with those "
               "across all");
}

int StatsCommand::run(Io& io) {
  std::vector<std::string> files = catalogs_;
  int status = kExitOk;
  if (files.empty()) {
    const auto all = CliEnvironment::catalogFolderEntries(archives_, io.err);
    if (!all) return kExitFailure;
    for (const ArchiveEntry& a : *all) {
      if (a.header) {
        files.push_back(a.path);
      } else {
        io.err << "kolvex-cli: " << a.path << ": " << a.error << "\n";
        status = kExitFailure;
      }
    }
  }
  InterruptPump signals;
  auto proceed = [](std::int64_t) { return !InterruptPump::interrupted(); };
  QtFileKindClassifier mime;
  FileKinds kinds(mime);
  std::vector<Named> each;
  CatalogStatistics total;
  for (const std::string& file : files) {
    try {
      CatalogReader reader(file);
      Named n{file, reader.header().CDLabel, {}};
      if (!n.stats.addCatalog(reader, kinds, proceed)) {
        io.err << "kolvex-cli: stopped\n";
        return kExitFailure;
      }
      total.add(n.stats);
      each.push_back(std::move(n));
    } catch (const EStreamError& e) {
      // A damaged catalog is named and left out; the others are still counted.
      io.err << "kolvex-cli: " << file << ": " << e.what() << "\n";
      status = kExitFailure;
    }
  }
  // Nothing could be read: figures of nothing would look like an answer.
  if (each.empty() && status != kExitOk) return status;
  std::ostringstream out;
  if (json_) {
    nlohmann::ordered_json doc;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Named& n : each) {
      nlohmann::ordered_json o;
      putText(o, "catalog", n.file);
      putText(o, "label", n.label);
      o.update(statsJson(n.stats));
      list.push_back(std::move(o));
    }
    doc["catalogs"] = std::move(list);
    doc["total"] = statsJson(total);
    out << JsonLine(doc) << '\n';
  } else {
    for (const Named& n : each) {
      out << "== " << fieldText(n.label) << "\t" << fieldText(n.file) << '\n';
      statsText(out, n.stats, false);
      out << '\n';
    }
    if (each.size() != 1) {
      out << "== All " << each.size() << " catalogs\n";
      statsText(out, total, true);
    }
  }
  io.out << out.str();
  return status;
}

}  // namespace kolvex::cli
