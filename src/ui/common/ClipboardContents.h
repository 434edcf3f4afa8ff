#pragma once
// What a copied name or path puts on the clipboard. Names are the file system's bytes,
// which need not be UTF-8 (a Latin-1 name from an old disc):
// - text/plain: the text itself when it is UTF-8; otherwise a shell word, $'...' with
//   each byte that is not UTF-8 as \xHH, so pasting it into a terminal names the file;
// - for a path also text/uri-list and x-special/gnome-copied-files with a file: URL whose
//   percent escapes carry the bytes exactly, which file managers paste as the file.
#include <QMimeData>
#include <memory>
#include <string>

namespace kolvex {

// The text/plain form described above.
QString ClipboardText(const std::string& bytes);

// The clipboard's data for a name (text only) or for an absolute path (text and file).
std::unique_ptr<QMimeData> ClipboardContents(const std::string& bytes, bool isPath);

}  // namespace kolvex
