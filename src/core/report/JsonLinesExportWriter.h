#pragma once
// JSON Lines: one object per entry and line (EntryJson with the catalog label).
#include "core/report/ExportWriter.h"

namespace kolvex {

class JsonLinesExportWriter final : public ExportWriter {
 public:
  explicit JsonLinesExportWriter(TextOut& out) : out_(out) {}
  void begin(const ExportSource&) override {}
  void row(const ExportRow& row) override;
  void end() override { out_.flush(); }

 private:
  TextOut& out_;
};

}  // namespace kolvex
