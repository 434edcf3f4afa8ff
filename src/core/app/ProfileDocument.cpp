#include "core/app/ProfileDocument.h"

#include "core/app/AppError.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"

namespace kolvex {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

std::string indexKey(std::string_view section, std::string_view key) {
  return lower(section) + '\n' + lower(key);
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool quoted(std::string_view s) {
  return s.size() >= 2 && isQuote(s.front()) && s.back() == s.front();
}

// The first kMaxValueLength characters; a character is a UTF-8 sequence, never cut apart.
std::string_view limitLength(std::string_view s) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    bool starts = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
    if (starts && ++chars > ProfileDocument::kMaxValueLength) return s.substr(0, i);
  }
  return s;
}

std::string readValue(std::string_view raw) {
  std::string_view v = trim(raw);
  if (quoted(v)) v = v.substr(1, v.size() - 2);
  return std::string(limitLength(v));
}

std::string writtenValue(std::string_view v) {
  bool changedByReading = !v.empty() && (isBlank(v.front()) || isBlank(v.back()) || quoted(v));
  return changedByReading ? '"' + std::string(v) + '"' : std::string(v);
}

bool holdsAny(std::string_view s, std::string_view chars) {
  return s.find_first_of(chars) != std::string_view::npos;
}

void check(bool ok, std::string_view what) {
  if (!ok) throw EProfileError(fillMessage(msg::kInvalidProfileEntry, std::string(what)));
}

}  // namespace

ProfileDocument::ProfileDocument(std::string_view input) {
  std::string converted;
  if (!isValidUtf8(input)) {
    converted = cp1252ToUtf8(input);
    input = converted;
  }
  if (input.starts_with(kBom)) {
    bom_ = true;
    input.remove_prefix(kBom.size());
  }
  finalEol_ = input.empty() || input.back() == '\n';
  bool first = true;
  while (!input.empty()) {
    std::size_t nl = input.find('\n');
    std::string_view line = input.substr(0, nl);
    input.remove_prefix(nl == std::string_view::npos ? input.size() : nl + 1);
    bool crlf = nl != std::string_view::npos && line.ends_with('\r');
    if (crlf) line.remove_suffix(1);
    if (first && crlf) eol_ = "\r\n";
    first = false;
    lines_.push_back(classify(std::string(line)));
  }
  buildIndex();
}

ProfileDocument::Line ProfileDocument::classify(std::string text) {
  Line line;
  line.text = std::move(text);
  std::string_view t = trim(line.text);
  if (t.starts_with('[')) {
    line.kind = Kind::Section;
    t.remove_prefix(1);
    line.name = trim(t.substr(0, t.find(']')));
  } else if (!t.starts_with(';')) {
    std::size_t eq = t.find('=');
    std::string_view key =
        eq == std::string_view::npos ? std::string_view() : trim(t.substr(0, eq));
    if (!key.empty()) {
      line.kind = Kind::Entry;
      line.name = key;
    }
  }
  return line;
}

void ProfileDocument::buildIndex() {
  index_.clear();
  const std::string* section = nullptr;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Section) {
      section = &line.name;
    } else if (line.kind == Kind::Entry && section) {
      std::string_view raw = line.text;
      raw.remove_prefix(raw.find('=') + 1);
      // emplace keeps the first of two equal keys.
      index_.emplace(indexKey(*section, line.name), readValue(raw));
    }
  }
}

std::optional<std::string> ProfileDocument::value(std::string_view section,
                                                  std::string_view key) const {
  auto it = index_.find(indexKey(section, key));
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kBreaks("\r\n\0", 3);
  check(!section.empty() && trim(section) == section && !holdsAny(section, kBreaks) &&
            !holdsAny(section, "]"),
        section);
  check(!key.empty() && trim(key) == key && !holdsAny(key, kBreaks) && !holdsAny(key, "=") &&
            !key.starts_with('[') && !key.starts_with(';'),
        key);
  check(!holdsAny(value, kBreaks), key);

  std::string written = writtenValue(value);
  std::size_t header = 0;
  while (header < lines_.size() && !(lines_[header].kind == Kind::Section &&
                                     equalsIgnoreCase(lines_[header].name, section))) {
    ++header;
  }
  if (header == lines_.size()) {
    lines_.push_back(classify('[' + std::string(section) + ']'));
    lines_.push_back(classify(std::string(key) + '=' + written));
    finalEol_ = true;
    buildIndex();
    return;
  }
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind != Kind::Entry) continue;
    if (equalsIgnoreCase(lines_[i].name, key)) {
      std::string spelling = lines_[i].name;
      lines_[i] = classify(spelling + '=' + written);
      buildIndex();
      return;
    }
    insertAt = i + 1;
  }
  // After the section's last entry, so that a blank line before the next section stays.
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                classify(std::string(key) + '=' + written));
  if (insertAt == lines_.size() - 1) finalEol_ = true;
  buildIndex();
}

std::string ProfileDocument::text() const {
  std::string out = bom_ ? std::string(kBom) : std::string();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].text;
    if (i + 1 < lines_.size() || finalEol_) out += eol_;
  }
  return out;
}

}  // namespace kolvex
