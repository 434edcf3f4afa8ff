#include "support/ExportParsing.h"

#include <gtest/gtest.h>

#include <set>

namespace kolvex::test {

std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    if (text[i] == '"') {
      ++i;
      for (;;) {
        if (i >= n) {
          ADD_FAILURE() << "CSV: quoted field not closed";
          return rows;
        }
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    } else {
      while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') {
          ADD_FAILURE() << "CSV: quote inside an unquoted field at " << i;
          return rows;
        }
        field += text[i++];
      }
    }
    row.push_back(std::move(field));
    field.clear();
    if (i < n && text[i] == ',') {
      ++i;
      continue;
    }
    if (i + 1 < n && text[i] == '\r' && text[i + 1] == '\n') {
      i += 2;
      rows.push_back(std::move(row));
      row.clear();
      continue;
    }
    ADD_FAILURE() << "CSV: field not followed by a comma or CR LF at " << i;
    return rows;
  }
  if (!row.empty()) ADD_FAILURE() << "CSV: last line not ended by CR LF";
  return rows;
}

namespace {

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Resolves the character references this program writes; fails on any other "&".
bool resolveText(const std::string& raw, std::string& out) {
  static const std::pair<const char*, const char*> kRefs[] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}};
  for (std::size_t i = 0; i < raw.size();) {
    const char c = raw[i];
    if (c == '<' || c == '>') return false;
    if (c != '&') {
      out += c;
      ++i;
      continue;
    }
    bool known = false;
    for (const auto& [ref, ch] : kRefs) {
      if (raw.compare(i, std::char_traits<char>::length(ref), ref) == 0) {
        out += ch;
        i += std::char_traits<char>::length(ref);
        known = true;
        break;
      }
    }
    if (!known) return false;
  }
  return true;
}

}  // namespace

std::string checkedHtmlText(const std::string& html) {
  static const std::set<std::string> kVoid = {"meta", "br", "hr", "img", "input", "link"};
  std::vector<std::string> open;
  std::string text;
  std::size_t i = 0;
  if (html.rfind("<!DOCTYPE html>", 0) != 0) ADD_FAILURE() << "HTML: no doctype";
  i = html.find('>') + 1;
  while (i < html.size()) {
    const std::size_t lt = html.find('<', i);
    const std::string raw = html.substr(i, lt == std::string::npos ? std::string::npos : lt - i);
    if (!resolveText(raw, text)) {
      ADD_FAILURE() << "HTML: unescaped text: " << raw.substr(0, 80);
      return text;
    }
    if (lt == std::string::npos) break;
    i = lt + 1;
    const bool closing = i < html.size() && html[i] == '/';
    if (closing) ++i;
    std::string name;
    while (i < html.size() && isNameChar(html[i])) name += html[i++];
    if (name.empty()) {
      ADD_FAILURE() << "HTML: '<' without a tag name at " << lt;
      return text;
    }
    // Attributes: name="value" pairs, values checked like text.
    while (i < html.size() && html[i] != '>') {
      if (html[i] == ' ') {
        ++i;
        continue;
      }
      std::string attr;
      while (i < html.size() && isNameChar(html[i])) attr += html[i++];
      if (attr.empty() || closing) {
        ADD_FAILURE() << "HTML: bad attribute in <" << name << "> at " << i;
        return text;
      }
      if (html[i] != '=') continue;  // a bare attribute such as "open"
      if (html[i + 1] != '"') {
        ADD_FAILURE() << "HTML: unquoted attribute value in <" << name << ">";
        return text;
      }
      const std::size_t end = html.find('"', i + 2);
      std::string value;
      if (end == std::string::npos || !resolveText(html.substr(i + 2, end - i - 2), value)) {
        ADD_FAILURE() << "HTML: bad attribute value in <" << name << ">";
        return text;
      }
      i = end + 1;
    }
    ++i;
    if (closing) {
      if (open.empty() || open.back() != name) {
        ADD_FAILURE() << "HTML: </" << name << "> closes " << (open.empty() ? "nothing" : open.back());
        return text;
      }
      open.pop_back();
    } else if (name == "script" || name == "style") {
      const std::size_t end = html.find("</" + name + ">", i);
      if (end == std::string::npos) {
        ADD_FAILURE() << "HTML: <" << name << "> not closed";
        return text;
      }
      i = end + name.size() + 3;
    } else if (!kVoid.count(name)) {
      open.push_back(name);
    }
  }
  if (!open.empty()) ADD_FAILURE() << "HTML: <" << open.back() << "> not closed";
  return text;
}

}  // namespace kolvex::test
