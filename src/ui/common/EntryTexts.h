#pragma once
// The texts the explorer shows for a record.
#include <QString>
#include <string>

namespace kolvex {

// The date and time text of every view (core DateTimeText) as a Qt text.
QString DateTimeTextOf(double dayCount);

// A name or path as stored (the file system's bytes), for showing.
QString storedText(const std::string& text);

}  // namespace kolvex
