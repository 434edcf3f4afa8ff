#include "core/persist/StreamParser.h"

#include <cstring>

#include "core/persist/PersistError.h"
#include "core/persist/ValueCode.h"

namespace kolvex {

void parseStream(Stream& in, StreamVisitor& visitor) {
  if (std::memcmp(in.take(4), kSignature, 4) != 0) throwInvalidFormat();
  // Other writers may put a flag byte before the class name; with bit 1 set an integer
  // (the child's position) follows it. Both carry nothing for this program.
  if (std::uint8_t flags = in.peekByte(); flags >= 0xF0) {
    in.takeByte();
    if (flags & 2) {
      ValueReader pos(in);
      if (pos.code() != vaInt8 && pos.code() != vaInt16 && pos.code() != vaInt32)
        throwInvalidFormat();
      pos.intPayload();
    }
  }
  // The names are copied out of the window before the next read can move it.
  char className[256], objectName[256];
  std::uint8_t classLen = in.takeByte();
  std::memcpy(className, in.take(classLen), classLen);
  std::uint8_t nameLen = in.takeByte();
  std::memcpy(objectName, in.take(nameLen), nameLen);
  visitor.begin({className, classLen}, {objectName, nameLen});

  char path[256];
  while (in.peekByte() != vaNull) {
    std::uint8_t n = in.takeByte();
    std::memcpy(path, in.take(n), n);
    std::string_view pathView(path, n);
    ValueReader value(in);
    try {
      visitor.property(pathView, value);
    } catch (const EPropertyError& e) {
      throw EReadError("Error reading " + visitor.errorName() + "." + std::string(pathView) +
                       ": " + e.what());
    }
  }
  in.takeByte();  // end of properties
  if (in.takeByte() != vaNull) throwInvalidFormat();  // this program's objects have no children
}

}  // namespace kolvex
