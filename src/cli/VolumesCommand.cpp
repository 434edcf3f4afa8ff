#include "cli/VolumesCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/FieldText.h"
#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeError.h"
#include "platform/VolumeTable.h"

namespace kolvex::cli {
namespace {

nlohmann::ordered_json toJson(const Volume& v) {
  nlohmann::ordered_json o = {{"mountPoint", v.mountPoint},
                              {"source", v.source},
                              {"device", v.device},
                              {"label", v.label},
                              {"uuid", v.uuid}};
  o["serial"] = v.serial ? nlohmann::ordered_json(*v.serial) : nlohmann::ordered_json(nullptr);
  o["fileSystem"] = v.fileSystem;
  o["capacity"] = v.capacity;
  o["kind"] = driveKindName(v.kind);
  return o;
}

}  // namespace

VolumesCommand::VolumesCommand() : probe_(std::make_shared<LinuxSystemProbe>()) {}

VolumesCommand::VolumesCommand(std::shared_ptr<SystemProbe> probe, std::string systemRoot)
    : probe_(std::move(probe)), root_(std::move(systemRoot)) {}

void VolumesCommand::setup(CLI::App& sub) {
  sub.add_flag("--json", json_, "One JSON array with one object per volume");
}

int VolumesCommand::run(Io& io) {
  std::vector<Volume> volumes;
  try {
    volumes = VolumeTable(*probe_, root_).list();
  } catch (const VolumeError& e) {
    io.err << "kolvex-cli: " << e.what() << "\n";
    return kExitFailure;
  }
  if (json_) {
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (const auto& v : volumes) all.push_back(toJson(v));
    io.out << all.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return kExitOk;
  }
  std::ostringstream out;
  for (const auto& v : volumes)
    out << fieldText(v.mountPoint) << '\t' << fieldText(v.label) << '\t' << v.serialText() << '\t'
        << fieldText(v.fileSystem) << '\t' << v.capacity << '\t' << driveKindName(v.kind) << '\n';
  io.out << out.str();
  return kExitOk;
}

}  // namespace kolvex::cli
