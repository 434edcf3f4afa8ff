#include "cli/DupesCommand.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/CliEnvironment.h"
#include "cli/FieldText.h"
#include "platform/MountedVolumes.h"
#include "core/catalog/ArchiveList.h"
#include "core/compare/DuplicateFinder.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {

void DupesCommand::setup(CLI::App& sub) {
  sub.add_option("--in", in_, "A catalog to look in (repeat for more; default: every catalog "
                              "of the catalog folder)");
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
  sub.add_option("--by", by_,
                 "hash: by content fingerprint where both files have one, else by name and "
                 "size; name-size: by name and size only")
      ->check(CLI::IsMember({"hash", "name-size"}));
  sub.add_option("--min-size", minSize_, "Leave out files smaller than this many bytes "
                                         "(default 1: zero-byte files are left out)")
      ->check(CLI::NonNegativeNumber);
  sub.add_flag("--same-time", sameTime_, "Files matched by name and size must have the same time too");
  sub.add_flag("--json", json_, "One JSON object per group and line");
}

int DupesCommand::run(Io& io) {
  std::vector<std::string> catalogs = in_;
  if (catalogs.empty()) {
    try {
      for (const ArchiveEntry& a : ListArchives(CliEnvironment::preparedArchivesDir(archives_)))
        catalogs.push_back(a.path);
    } catch (const EStreamError& e) {
      io.err << "kolvex-cli: " << e.what() << "\n";
      return kExitFailure;
    }
  }
  DuplicateFinder finder({by_ == "hash", sameTime_, minSize_});
  finder.addCatalogs(catalogs);
  int status = kExitOk;
  for (const DupeCatalog& c : finder.catalogs()) {
    if (!c.warning.empty()) io.err << "kolvex-cli: warning: " << c.warning << "\n";
    if (!c.read) status = kExitFailure;
  }
  finder.markMounted(mountedVolumes());
  std::ostringstream out;
  for (const DupeGroup& g : finder.groups()) {
    const char* how = g.fingerprint ? "content" : "name and size";
    if (json_) {
      nlohmann::ordered_json o;
      o["size"] = g.size;
      o["copies"] = g.copies.size();
      o["wasted"] = g.wasted();
      o["matchedBy"] = g.fingerprint ? "content" : "name-size";
      if (g.fingerprint) o["fingerprint"] = g.fingerprint->hex();
      auto& list = o["items"] = nlohmann::ordered_json::array();
      for (const DupeCopy& c : g.copies) {
        const DupeCatalog& cat = finder.catalogs()[c.catalog];
        list.push_back({{"catalog", cat.path},
                        {"label", cat.label},
                        {"path", c.path},
                        {"mounted", cat.mounted}});
      }
      out << o.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
      continue;
    }
    out << g.size << " bytes\t" << g.copies.size() << " copies\t" << g.wasted()
        << " bytes wasted\tby " << how;
    if (g.fingerprint) out << '\t' << g.fingerprint->hex();
    out << '\n';
    for (const DupeCopy& c : g.copies) {
      const DupeCatalog& cat = finder.catalogs()[c.catalog];
      out << '\t' << fieldText(cat.label) << '\t' << fieldText(c.path) << '\t'
          << (cat.mounted ? "mounted" : "offline") << '\n';
    }
  }
  io.out << out.str();
  return status;
}

}  // namespace kolvex::cli
