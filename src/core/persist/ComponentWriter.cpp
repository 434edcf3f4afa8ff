#include "core/persist/ComponentWriter.h"

#include "core/persist/ValueWriter.h"

namespace kolvex {
namespace {

void writeProperty(ValueWriter& w, const Persistent& o, const PropertyInfo& p) {
  switch (p.kind) {
    case PropKind::Integer:
      w.shortString(p.name);
      w.integer(p.getNumber(o));
      return;
    case PropKind::Boolean:
      w.shortString(p.name);
      w.boolean(p.getNumber(o) != 0);
      return;
    case PropKind::Int64:
      if (std::int64_t v = p.getNumber(o)) {
        w.shortString(p.name);
        w.integer(v);
      }
      return;
    case PropKind::DateTime:
      if (double v = p.getDate(o); v != 0.0) {
        w.shortString(p.name);
        w.dateTime(v);
      }
      return;
    case PropKind::Text:
      if (const std::string& v = p.getText(o); !v.empty()) {
        w.shortString(p.name);
        w.text(v);
      }
      return;
    case PropKind::Object:
      if (const SubObject* sub = p.getObject(o); sub && sub->hasContent()) {
        std::string path(p.name);
        path += '.';
        path += sub->extraName();
        w.shortString(path);
        sub->writeExtra(w);
      }
      return;
  }
}

}  // namespace

std::string encodeObject(const Persistent& object) {
  std::string out;
  encodeObject(object, out);
  return out;
}

void encodeObject(const Persistent& object, std::string& out) {
  ValueWriter w(out);
  w.raw("TPF0", 4);
  w.shortString(object.className());
  w.shortString(object.Name);
  if (object.Tag != 0) {
    w.shortString("Tag");
    w.integer(object.Tag);
  }
  for (const PropertyInfo& p : object.properties()) writeProperty(w, object, p);
  w.byte(0);
  w.byte(0);
}

void writeObject(Stream& out, const Persistent& object) {
  thread_local std::string buffer;  // reused: writing a record allocates nothing
  buffer.clear();
  encodeObject(object, buffer);
  out.write(buffer);
}

}  // namespace kolvex
