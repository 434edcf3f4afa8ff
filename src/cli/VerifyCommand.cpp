#include "cli/VerifyCommand.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/FieldText.h"
#include "platform/MountedVolumes.h"
#include "core/compare/MediumVerifier.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {

void VerifyCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog to verify")->required();
  sub.add_flag("--json", json_, "One JSON object per finding and line, then one with the totals");
}

int VerifyCommand::run(Io& io) {
  CatalogFiles files;
  try {
    files = loadCatalogFiles(catalog_);
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << catalog_ << ": " << e.what() << "\n";
    return kExitUsage;
  }
  if (!files.warning.empty()) io.err << "kolvex-cli: warning: " << files.warning << "\n";
  auto base = findMediumBase(files.header, mountedVolumes());
  if (!base) {
    io.err << "kolvex-cli: the medium of " << catalog_ << " (serial " << files.header.CreateSerial
           << ", label " << files.header.CDLabel << ") is not mounted\n";
    return kExitUsage;
  }
  InterruptPump interrupt;  // Ctrl+C stops the re-reading
  const VerifyReport report = MediumVerifier::verify(files, *base, [&](std::uint64_t, std::uint64_t) {
    return !InterruptPump::interrupted();
  });
  if (report.cancelled) {
    io.err << "kolvex-cli: cancelled\n";
    return kExitUsage;
  }
  std::ostringstream out;
  for (const VerifyItem& v : report.items) {
    std::string what;
    for (const auto& w : v.what) what += (what.empty() ? "" : ",") + w;
    if (json_) {
      nlohmann::ordered_json o{{"finding", verifyKindName(v.kind)}, {"path", v.path}};
      if (!v.what.empty()) o["what"] = v.what;
      out << o.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    } else {
      out << verifyKindName(v.kind) << '\t' << fieldText(v.path);
      if (!what.empty()) out << '\t' << what;
      out << '\n';
    }
  }
  if (json_)
    out << nlohmann::ordered_json{{"base", report.base},
                                  {"checked", report.checked},
                                  {"rehashed", report.rehashed},
                                  {"differences", report.items.size()}}
               .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
  else
    out << report.base << ": " << report.checked << " files checked, " << report.rehashed
        << " read again, " << report.items.size() << " difference(s)\n";
  io.out << out.str();
  return report.matches() ? 0 : 1;
}

}  // namespace kolvex::cli
