#include "core/report/ExportRow.h"

namespace kolvex {

std::string_view RowKindName(RowKind kind) {
  switch (kind) {
    case RowKind::Catalog:
      return "catalog";
    case RowKind::Folder:
      return "dir";
    case RowKind::File:
      break;
  }
  return "file";
}

}  // namespace kolvex
