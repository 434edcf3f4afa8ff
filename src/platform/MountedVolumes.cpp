#include "platform/MountedVolumes.h"

#include "platform/LinuxSystemProbe.h"
#include "platform/VolumeTable.h"

namespace kolvex {

std::vector<Volume> mountedVolumes() {
  LinuxSystemProbe probe;
  try {
    return VolumeTable(probe).list();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace kolvex
