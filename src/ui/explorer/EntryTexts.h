#pragma once
// The texts the explorer shows for a record.
#include <QString>

namespace kolvex {

// The locale's short date, a space and its long time (without a time zone: catalogs
// store local times), the time left out at exactly midnight; empty for a day count that
// names no date.
QString DateTimeTextOf(double dayCount);

// A name or path as stored (the file system's bytes), for showing.
QString storedText(const std::string& text);

}  // namespace kolvex
