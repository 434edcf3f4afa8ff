#pragma once
// Labels, serials, file names and paths rarely have spaces, so a narrow word-wrapping
// label could only cut them off. These texts get a zero-width space after their
// separators and inside long runs, where the label may then break the line.
#include <QString>

namespace kolvex {

QString breakable(const QString& text);

}  // namespace kolvex
