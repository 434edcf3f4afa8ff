#include "cli/DiffCommand.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/FieldText.h"
#include "core/compare/CatalogDiff.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {

void DiffCommand::setup(CLI::App& sub) {
  sub.add_option("OLD", older_, "The older catalog")->required();
  sub.add_option("NEW", newer_, "The newer catalog")->required();
  sub.add_flag("--json", json_, "One JSON object per change and line, then one with the totals");
}

namespace {

std::string joined(const std::vector<std::string>& what) {
  std::string s;
  for (const auto& w : what) s += (s.empty() ? "" : ",") + w;
  return s;
}

nlohmann::ordered_json totalsJson(const DiffTotals& t) {
  return {{"count", t.count}, {"bytes", t.bytes}};
}

}  // namespace

int DiffCommand::run(Io& io) {
  CatalogFiles a, b;
  try {
    a = loadCatalogFiles(older_);
    b = loadCatalogFiles(newer_);
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << e.what() << "\n";
    return kExitUsage;
  }
  for (const CatalogFiles* c : {&a, &b})
    if (!c->warning.empty()) io.err << "kolvex-cli: warning: " << c->warning << "\n";
  const CatalogDiff diff = diffCatalogs(a, b);
  std::ostringstream out;
  for (const DiffItem& d : diff.items) {
    if (json_) {
      nlohmann::ordered_json o;
      o["change"] = diffKindName(d.kind);
      if (!d.oldPath.empty()) o["old"] = {{"path", d.oldPath}, {"size", d.oldSize}};
      if (!d.newPath.empty()) o["new"] = {{"path", d.newPath}, {"size", d.newSize}};
      if (!d.what.empty()) o["what"] = d.what;
      out << o.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
      continue;
    }
    out << diffKindName(d.kind) << '\t';
    switch (d.kind) {
      case DiffKind::Added: out << fieldText(d.newPath) << '\t' << d.newSize; break;
      case DiffKind::Removed: out << fieldText(d.oldPath) << '\t' << d.oldSize; break;
      case DiffKind::Changed:
        out << fieldText(d.newPath) << '\t' << d.oldSize << " -> " << d.newSize << '\t'
            << joined(d.what);
        break;
      case DiffKind::Moved:
        out << fieldText(d.oldPath) << " -> " << fieldText(d.newPath) << '\t' << d.newSize;
        break;
    }
    out << '\n';
  }
  if (json_) {
    nlohmann::ordered_json t;
    t["added"] = totalsJson(diff.added);
    t["removed"] = totalsJson(diff.removed);
    t["changed"] = totalsJson(diff.changed);
    t["moved"] = totalsJson(diff.moved);
    out << nlohmann::ordered_json{{"totals", t}}.dump() << '\n';
  } else {
    out << diff.added.count << " added (" << diff.added.bytes << " bytes), " << diff.removed.count
        << " removed (" << diff.removed.bytes << " bytes), " << diff.changed.count
        << " changed (" << diff.changed.bytes << " bytes), " << diff.moved.count << " moved ("
        << diff.moved.bytes << " bytes)\n";
  }
  io.out << out.str();
  return diff.same() ? kExitOk : kExitFailure;
}

}  // namespace kolvex::cli
