#pragma once
// Where the export and search commands write: standard output, or a file that is
// replaced only when the export is complete (a failure or Ctrl+C leaves it as it was and
// no temporary file behind).
#include <functional>
#include <string>

#include "cli/Command.h"
#include "core/report/ExportWriter.h"

namespace kolvex::cli {

// Runs produce with a writer of the format over the output; produce returns false when it
// was stopped. Returns the exit status, having reported any failure on io.err after
// context (the catalog read, or empty).
int WriteExport(Io& io, const std::string& context, const std::string& file, ExportFormat format,
                const std::function<bool(ExportWriter&)>& produce);

// The --format option's check: csv, jsonl or html (or the first two only).
CLI::Validator ExportFormatCheck(bool withHtml);

}  // namespace kolvex::cli
