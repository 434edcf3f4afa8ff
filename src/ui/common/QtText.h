#pragma once
// Texts of the core as Qt texts: the program's own (UTF-8) and the file system's bytes.
#include <QString>
#include <string>

namespace kolvex {

// The date and time text of every view (core DateTimeText) as a Qt text.
QString DateTimeTextOf(double dayCount);

// A text of the program (messages, labels, options), which is UTF-8.
inline QString qtText(const std::string& text) { return QString::fromStdString(text); }

// A name or path as stored (the file system's bytes), for showing.
QString storedText(const std::string& text);

}  // namespace kolvex
