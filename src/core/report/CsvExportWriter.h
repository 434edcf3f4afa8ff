#pragma once
// CSV after RFC 4180: UTF-8, a header row, lines ended by CR LF, a field quoted when it
// holds a comma, a quote, CR or LF, quotes inside doubled. Columns: kind, name, folder
// (real path below the scanned folder), size in bytes, time (ISO 8601, empty for
// folders), attributes as letters, catalog label; then name_bytes, folder_bytes and
// label_bytes, which hold the hexadecimal bytes of a text that is not UTF-8 (its own
// column then shows a readable form) and are empty otherwise.
#include "core/report/ExportWriter.h"

namespace kolvex {

class CsvExportWriter final : public ExportWriter {
 public:
  explicit CsvExportWriter(TextOut& out) : out_(out) {}
  void begin(const ExportSource& source) override;
  void row(const ExportRow& row) override;
  void end() override { out_.flush(); }

  static constexpr const char* kHeader =
      "kind,name,folder,size,time,attributes,label,name_bytes,folder_bytes,label_bytes";

 private:
  void field(std::string_view text);
  TextOut& out_;
};

}  // namespace kolvex
