#include "core/app/OptionsFile.h"

#include <algorithm>
#include <stdexcept>

#include "core/app/DriveMonitor.h"
#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/FileStream.h"
#include "core/persist/PersistError.h"

namespace kolvex {

void copyOptions(const TSCOptions& from, TSCOptions& to) {
  to.Name = from.Name;
  to.Tag = from.Tag;
  for (const PropertyInfo& p : from.properties()) {
    switch (p.kind) {
      case PropKind::Integer:
      case PropKind::Boolean:
      case PropKind::Int64:
        p.setNumber(to, p.getNumber(from));
        break;
      case PropKind::DateTime:
        p.setDate(to, p.getDate(from));
        break;
      case PropKind::Text:
        p.setText(to, std::string(p.getText(from)));
        break;
      case PropKind::Object: {
        auto* src = dynamic_cast<const TStringList*>(p.getObject(from));
        auto* dst = dynamic_cast<TStringList*>(p.getObject(to));
        if (!src || !dst) throw std::logic_error("options property is not a string list");
        dst->lines = src->lines;
        break;
      }
    }
  }
}

void loadOptions(TSCOptions& options, const std::string& path, FileOps& ops) {
  FileStream in(path, FileStream::Mode::Read, ops);
  // Read into a copy, so that a damaged file leaves no half-loaded settings behind.
  TSCOptions staged;
  copyOptions(options, staged);
  readObject(in, staged);
  // The drive monitor never polls more often than its floor: the file says what happens.
  staged.SpyFrequency = std::max(staged.SpyFrequency, DriveMonitor::kShortestInterval);
  copyOptions(staged, options);
}

void saveOptions(const TSCOptions& options, const std::string& path, FileOps& ops) {
  AtomicFileWriter out(path, ops);
  writeObject(out.stream(), options);
  out.commit();
}

}  // namespace kolvex
