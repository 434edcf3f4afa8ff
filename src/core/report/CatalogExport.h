#pragma once
// Exports: a folder of a catalog with everything below it, or a list of search hits,
// through one writer. Progress is reported per entry; a stop leaves the output
// incomplete, so callers writing a file discard it (AtomicFileWriter does).
#include <cstdint>
#include <functional>
#include <vector>

#include "core/persist/CatalogReader.h"
#include "core/report/CatalogWalk.h"
#include "core/report/ExportWriter.h"
#include "core/search/TTSearchResultItem.h"

namespace kolvex {

// Reports how far an export has come: entries written and the number expected (-1 when
// unknown). Returning false stops the export.
using ExportProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Every entry below the folder at position start (real path folderPath, "/" for the
// whole catalog), folders before their content. catalogFile names the catalog in the
// output's details. False when progress stopped it. Throws EStreamError for a damaged
// catalog or a failed write.
bool ExportCatalogFolder(CatalogReader& reader, const std::string& catalogFile,
                         std::int64_t start, const std::string& folderPath,
                         ExportWriter& writer, const ExportProgress& progress = {});

// The hits in the order given; title says what was searched for.
bool ExportSearchHits(const std::vector<TTSearchResultItem>& hits, const std::string& title,
                      ExportWriter& writer, const ExportProgress& progress = {});

// The row of one hit; folder receives the real folder path the row refers to.
ExportRow SearchHitRow(const TTSearchResultItem& hit, std::string& folder);

}  // namespace kolvex
