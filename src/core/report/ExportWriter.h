#pragma once
// The output formats of an export. A writer is told what is exported, may ask for the
// folder tree with totals (shown before the entries), then gets every row in walk order.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/persist/TSCCDInfo.h"
#include "core/report/ExportRow.h"
#include "core/report/FolderTotals.h"
#include "core/report/ReportTexts.h"
#include "core/report/TextOut.h"

namespace kolvex {

enum class ExportFormat { Csv, JsonLines, Html };

// "csv", "jsonl" or "html"; nothing for any other text.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// The file name extension: ".csv", ".jsonl", ".html".
std::string_view ExportFormatExtension(ExportFormat format);

// What is exported: a catalog (with its header), one folder of it, or search results.
struct ExportSource {
  std::string title;               // the catalog's label, or what was searched for
  const TSCCDInfo* header = nullptr;  // the catalog's header; null for search results
  std::string folder;              // the folder exported ("/" for all of a catalog)
  std::string catalogFile;         // the catalog file; empty for search results
  std::int64_t entries = -1;       // how many rows follow, when known
};

class ExportWriter {
 public:
  virtual ~ExportWriter() = default;
  virtual void begin(const ExportSource& source) = 0;
  // Whether the writer shows the folder tree with totals; then folderTotals() comes
  // between begin() and the first row.
  virtual bool wantsFolderTotals() const { return false; }
  virtual void folderTotals(const FolderTotals&) {}
  virtual void row(const ExportRow& row) = 0;
  // Completes the output and flushes it.
  virtual void end() = 0;
};

std::unique_ptr<ExportWriter> MakeExportWriter(ExportFormat format, TextOut& out,
                                               const ReportTexts& texts = {});

}  // namespace kolvex
