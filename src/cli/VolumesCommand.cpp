#include "cli/VolumesCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeError.h"
#include "platform/VolumeTable.h"

namespace kolvex::cli {
namespace {

// Tabs and line breaks inside a mount point or label would break the columns; they are
// written the way the kernel writes them in mountinfo ("\011"), and so is the backslash.
std::string field(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7f || c == '\\') {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

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
    out << field(v.mountPoint) << '\t' << field(v.label) << '\t' << v.serialText() << '\t'
        << field(v.fileSystem) << '\t' << v.capacity << '\t' << driveKindName(v.kind) << '\n';
  io.out << out.str();
  return kExitOk;
}

}  // namespace kolvex::cli
