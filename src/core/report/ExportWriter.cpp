#include "core/report/ExportWriter.h"

#include "core/report/CsvExportWriter.h"
#include "core/report/HtmlExportWriter.h"
#include "core/report/JsonLinesExportWriter.h"

namespace kolvex {

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
  if (name == "csv") return ExportFormat::Csv;
  if (name == "jsonl") return ExportFormat::JsonLines;
  if (name == "html") return ExportFormat::Html;
  return std::nullopt;
}

std::string_view ExportFormatExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Csv:
      return ".csv";
    case ExportFormat::JsonLines:
      return ".jsonl";
    case ExportFormat::Html:
      break;
  }
  return ".html";
}

std::unique_ptr<ExportWriter> MakeExportWriter(ExportFormat format, TextOut& out,
                                               const ReportTexts& texts) {
  switch (format) {
    case ExportFormat::Csv:
      return std::make_unique<CsvExportWriter>(out);
    case ExportFormat::JsonLines:
      return std::make_unique<JsonLinesExportWriter>(out);
    case ExportFormat::Html:
      break;
  }
  return std::make_unique<HtmlExportWriter>(out, texts);
}

}  // namespace kolvex
