#pragma once
// The JSON object of one catalog entry, as `kolvex-cli ls --json` prints it and JSON Lines
// exports write it: name, kind ("dir", "file" or "catalog"), size, time (day count),
// attributes and path (the stored path), then the label when given. JSON texts are
// Unicode, so a text that is not UTF-8 is given a second time as its bytes in
// hexadecimal ("nameBytes", "pathBytes", "labelBytes") and nothing is lost.
#include <nlohmann/json.hpp>
#include <string>

#include "core/report/ExportRow.h"

namespace kolvex {

nlohmann::ordered_json EntryJson(const ExportRow& row, bool withLabel);

// One line of JSON Lines: the object without blanks; bytes that are not UTF-8 appear as
// U+FFFD (the exact bytes are in the "...Bytes" member).
std::string JsonLine(const nlohmann::ordered_json& object);

}  // namespace kolvex
