#pragma once
// The paths below the scanned folder ("Docs/a.txt") of chosen records, from one read of
// the catalog in file order. Every record leaves its position and its brother link, each
// folder its chains and its name; the chains are then followed from every folder to give
// each record its parent. That costs a sequential read and about twenty bytes per record,
// where a walk of the tree reads record after record at the places its links name.
// The links are checked as the reader checks them (backwards, onto a record, of the
// chain's kind, as many as counted, reached once), so a damaged catalog is reported.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/persist/CatalogReader.h"

namespace kolvex {

// wanted: the index of a position in the list; path: "Docs/a.txt", valid during the call.
using RecordPathVisit = std::function<void(std::size_t wanted, std::string_view path,
                                           double time, std::int32_t attributes)>;

// Visits the records at the wanted positions (in increasing order) that the tree reaches,
// in the order of the list. Throws what the reader throws for a damaged catalog.
void forEachRecordPath(CatalogReader& reader, const std::vector<std::int64_t>& wanted,
                       const RecordPathVisit& visit);

}  // namespace kolvex
