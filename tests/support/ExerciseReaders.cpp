#include "support/ExerciseReaders.h"

#include <string>

#include "core/persist/CatalogReader.h"
#include "core/persist/ComponentReader.h"
#include "core/persist/PersistError.h"
#include "core/persist/StreamDump.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"

namespace kolvex::test {

void exerciseReaders(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    CatalogReader r(std::make_unique<MemoryStream>(bytes));
    r.walkTree([](std::int64_t, const TSCFileObjectInfo&, int) {}, true);
    r.forEachInFileOrder([](std::int64_t, const TSCFileObjectInfo&) {});
  } catch (const EStreamError&) {
  }
  auto readAs = [&](Persistent& object) {
    try {
      MemoryStream in(bytes);
      readObject(in, object);
    } catch (const EStreamError&) {
    }
  };
  TSCOptions options;
  readAs(options);
  TSCInterfacePack pack;
  readAs(pack);
  try {
    MemoryStream in(bytes);
    dumpStreams(in, [](const DumpedStream&) {});
  } catch (const EStreamError&) {
  }
}

}  // namespace kolvex::test
