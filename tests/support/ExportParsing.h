#pragma once
// Reading exports back the way another program would: CSV after RFC 4180, JSON Lines,
// and a strict check of an HTML page's markup.
#include <string>
#include <vector>

namespace kolvex::test {

// Rows of fields; fails the test (and returns what it could read) on text that breaks
// RFC 4180: a quote inside an unquoted field, text after a closing quote, a line not
// ended by CR LF.
std::vector<std::vector<std::string>> parseCsv(const std::string& text);

// Checks that an HTML page is well formed as this program writes it: every element
// closed in order (void elements excepted), attribute values quoted, no "<" or ">"
// outside markup and no "&" that does not start a character reference, in text and
// attribute values alike; script and style contents are not text. Returns the text
// content with character references resolved, or fails the test.
std::string checkedHtmlText(const std::string& html);

}  // namespace kolvex::test
