#include "cli/MountedVolumes.h"

#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeError.h"
#include "platform/VolumeTable.h"

namespace kolvex::cli {

std::vector<Volume> mountedVolumes() {
  LinuxSystemProbe probe;
  try {
    return VolumeTable(probe).list();
  } catch (const VolumeError&) {
    return {};
  }
}

}  // namespace kolvex::cli
