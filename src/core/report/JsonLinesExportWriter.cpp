#include "core/report/JsonLinesExportWriter.h"

#include "core/report/EntryJson.h"

namespace kolvex {

void JsonLinesExportWriter::row(const ExportRow& row) {
  out_.put(JsonLine(EntryJson(row, true)));
  out_.put('\n');
}

}  // namespace kolvex
