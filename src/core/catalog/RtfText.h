#pragma once
// The plain text of a Rich Text Format document, for description files written by a word
// processor. Only the text is kept: groups, control words and their parameters are read
// and dropped, "\'hh" escapes are Windows-1252 bytes, "\uN" escapes Unicode characters
// (with their fallback characters skipped), and destinations that hold no body text
// (font, colour and style tables, document information, pictures, objects, headers,
// footers, field instructions and every "\*" destination) are skipped whole. Damaged
// input (unbalanced braces, a cut-off escape, huge numbers) still gives the text found.
#include <string>
#include <string_view>

namespace kolvex {

// True when the bytes begin like an RTF document ("{\rtf", blanks before allowed).
bool IsRtf(std::string_view bytes);

// The document's text as UTF-8, paragraphs and line breaks as "\n".
std::string RtfToText(std::string_view rtf);

}  // namespace kolvex
