#include "core/persist/TStringList.h"

#include "core/persist/ValueCode.h"
#include "core/persist/ValueReader.h"
#include "core/persist/ValueWriter.h"

namespace kolvex {

void TStringList::writeExtra(ValueWriter& out) const {
  out.byte(vaList);
  for (const auto& l : lines) out.line(l);
  out.byte(vaNull);
}

void TStringList::readExtra(ValueReader& in) {
  if (in.code() != vaList) throwInvalidValue();
  lines.clear();
  Stream& s = in.stream();
  while (s.peekByte() != vaNull) {
    ValueReader item(s);
    lines.push_back(item.asText());
  }
  s.takeByte();
}

}  // namespace kolvex
