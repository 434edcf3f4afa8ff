#pragma once
// "Export..." of the archive manager, the explorer and the search results: asks where to
// save (the context's picker), writes the export through a file that replaces
// the target only when complete, shows a progress window with Cancel for long exports,
// and reports a failure. Cancel or a failure leaves no file behind and the target as it
// was.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/app/DesktopShell.h"
#include "core/report/CatalogExport.h"
#include "core/search/TTSearchResultItem.h"
#include "ui/common/AppContext.h"

class QWidget;

namespace kolvex {

class ExportFile {
 public:
  ExportFile(AppContext& context, QWidget* parent) : context_(context), parent_(parent) {}

  // The folder of the catalog whose record is at folder (real path folderPath; kNoRecord
  // and "/" for all of it). True when a file was written.
  bool catalogFolder(const std::string& catalogFile, std::int64_t folder,
                     const std::string& folderPath, const std::string& suggestedName);
  // Search hits in the order shown; title says what was searched for.
  bool searchHits(const std::vector<TTSearchResultItem>& hits, const std::string& title);

 private:
  using Produce = std::function<bool(ExportWriter&, const ExportProgress&)>;
  bool run(const std::string& suggestedName, const Produce& produce);

  AppContext& context_;
  QWidget* parent_;
};

// The format a chosen file name asks for by its extension (".csv", ".jsonl", ".html", in
// any case); otherwise the filter's, and its extension is added to the name.
ExportFormat ExportFormatForFile(std::string& path, int chosenFilter);

}  // namespace kolvex
