#include "ui/shell/InterfacePackFile.h"

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/FileStream.h"

namespace kolvex {

void InterfacePackFile::load(TSCInterfacePack& pack, const std::string& path) {
  FileStream in(path, FileStream::Mode::Read);
  readObject(in, pack);
  in.close();
}

void InterfacePackFile::save(const TSCInterfacePack& pack, const std::string& path) {
  AtomicFileWriter writer(path);
  writeObject(writer.stream(), pack);
  writer.commit();
}

}  // namespace kolvex
