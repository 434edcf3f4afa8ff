#pragma once
// One self-contained HTML page, readable on screen and on paper: the catalog's header
// details, the folder tree with the totals of each folder, and a table of every entry
// that sorts by a click on a column heading (a short script inside the page; nothing is
// fetched). Every text from a catalog is escaped; a name that is not UTF-8 shows a
// readable form and its bytes in hexadecimal.
#include <string>

#include "core/report/ExportWriter.h"

namespace kolvex {

class HtmlExportWriter final : public ExportWriter {
 public:
  HtmlExportWriter(TextOut& out, ReportTexts texts) : out_(out), texts_(std::move(texts)) {}
  void begin(const ExportSource& source) override;
  bool wantsFolderTotals() const override { return true; }
  void folderTotals(const FolderTotals& totals) override;
  void row(const ExportRow& row) override;
  void end() override;

 private:
  void text(std::string_view s);  // escaped, with the bytes of a name that is not UTF-8
  void detail(const std::string& caption, std::string_view value);
  void startTable();

  TextOut& out_;
  ReportTexts texts_;
  ExportSource source_;
  bool tableStarted_ = false;
};

// The text with &, <, >, " and ' written as character references.
std::string HtmlEscaped(std::string_view text);

}  // namespace kolvex
