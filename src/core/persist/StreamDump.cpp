#include "core/persist/StreamDump.h"

#include <cstring>
#include <memory>

#include "core/persist/ComponentReader.h"
#include "core/persist/Extended80.h"
#include "core/persist/PersistError.h"
#include "core/persist/StreamParser.h"
#include "core/persist/TSCCDInfo.h"
#include "core/persist/TSCFileObjectInfo.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"
#include "core/persist/ValueCode.h"

namespace kolvex {
namespace {

DumpValue decode(ValueReader& v);

std::string asLine(ValueReader& v) {
  DumpValue d = decode(v);
  switch (d.type) {
    case DumpValue::Type::Integer: return std::to_string(d.integer);
    case DumpValue::Type::Real: return std::to_string(d.real);
    case DumpValue::Type::Boolean: return d.boolean ? "True" : "False";
    default: return d.text;
  }
}

DumpValue decode(ValueReader& v) {
  DumpValue d;
  d.code = v.code();
  Stream& s = v.stream();
  switch (v.code()) {
    case vaInt8: case vaInt16: case vaInt32: case vaInt64:
      d.type = DumpValue::Type::Integer;
      d.integer = v.intPayload();
      break;
    case vaExtended:
      d.type = DumpValue::Type::Real;
      if (!extendedToDouble(s.take(10), d.real)) throwInvalidValue();
      break;
    case vaSingle: {
      float f;
      std::memcpy(&f, s.take(4), 4);
      d.type = DumpValue::Type::Real;
      d.real = f;
      break;
    }
    case vaDate:
      d.type = DumpValue::Type::Real;
      std::memcpy(&d.real, s.take(8), 8);
      break;
    case vaCurrency: {
      std::int64_t c;
      std::memcpy(&c, s.take(8), 8);
      d.type = DumpValue::Type::Real;
      d.real = static_cast<double>(c) / 10000.0;
      break;
    }
    case vaString: case vaLString: case vaWString: case vaUTF8String:
      d.type = DumpValue::Type::Text;
      d.text = v.asText();
      break;
    case vaIdent:
      d.type = DumpValue::Type::Text;
      d.text = v.shortStringPayload();
      break;
    case vaFalse: case vaTrue:
      d.type = DumpValue::Type::Boolean;
      d.boolean = v.code() == vaTrue;
      break;
    case vaBinary:
      d.type = DumpValue::Type::Binary;
      d.length = v.lengthPayload();
      if (d.length > s.remaining()) throwReadError();
      s.seek(s.position() + d.length);
      break;
    case vaList:
      d.type = DumpValue::Type::Lines;
      while (s.peekByte() != vaNull) {
        ValueReader item(s);
        if (item.code() == vaList || item.code() == vaCollection) throwInvalidFormat();
        d.lines.push_back(asLine(item));
      }
      s.takeByte();
      break;
    case vaSet:
      d.type = DumpValue::Type::Lines;
      while (std::uint8_t n = s.takeByte())
        d.lines.emplace_back(reinterpret_cast<const char*>(s.take(n)), n);
      break;
    case vaNull: case vaNil:
      break;
    default:  // a Collection: shown as null, skipped whole
      v.skip();
      break;
  }
  return d;
}

class DumpVisitor final : public StreamVisitor {
 public:
  explicit DumpVisitor(DumpedStream& out) : out_(out) {}
  void begin(std::string_view className, std::string_view objectName) override {
    out_.className.assign(className);
    out_.objectName.assign(objectName);
  }
  void property(std::string_view path, ValueReader& value) override {
    out_.properties.push_back({std::string(path), decode(value)});
  }
  std::string errorName() const override {
    return out_.objectName.empty() ? out_.className : out_.objectName;
  }

 private:
  DumpedStream& out_;
};

std::unique_ptr<Persistent> objectFor(const std::string& className) {
  if (className == "TSCCDInfo") return std::make_unique<TSCCDInfo>();
  if (className == "TSCFileObjectInfo") return std::make_unique<TSCFileObjectInfo>();
  if (className == "TSCOptions") return std::make_unique<TSCOptions>();
  if (className == "TSCInterfacePack") return std::make_unique<TSCInterfacePack>();
  return nullptr;
}

}  // namespace

void dumpStreams(Stream& in, const std::function<void(const DumpedStream&)>& emit) {
  checkStreamStart(in);  // an empty file is no file of the program's either
  std::int64_t recordBase = -1;
  std::unique_ptr<Persistent> object;
  std::string objectClass;
  for (bool first = true; in.remaining() > 0; first = false) {
    DumpedStream d;
    d.offset = in.position();
    DumpVisitor visitor(d);
    parseStream(in, visitor);
    std::uint64_t end = in.position();
    if (first && d.className == "TSCCDInfo") recordBase = static_cast<std::int64_t>(end);
    if (!first && recordBase >= 0) d.rp = static_cast<std::int64_t>(d.offset) - recordBase;
    // Read it again into its object for the program's own checks and messages.
    if (d.className != objectClass) {
      object = objectFor(d.className);
      objectClass = d.className;
    }
    if (object) {
      in.seek(d.offset);
      readObject(in, *object);
    }
    emit(d);
  }
}

}  // namespace kolvex
