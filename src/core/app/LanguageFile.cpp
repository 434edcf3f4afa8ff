#include "core/app/LanguageFile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/app/AppError.h"
#include "core/app/CheckedFormat.h"
#include "core/app/MessageKeys.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

constexpr std::string_view kMessages = "ResourceStrings";
constexpr std::string_view kInterface = "Interface";
constexpr std::string_view kInformation = "Information";
constexpr std::string_view kExtension = ".ini";

bool usableName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

bool endsWithIgnoreCase(std::string_view s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
                    [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

// A whole number as the font size takes it: an optional sign and decimal digits.
bool parseInt(std::string_view s, int& value) {
  if (s.starts_with('+')) {
    s.remove_prefix(1);
    if (s.starts_with('-')) return false;
  }
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

LanguageFile::LanguageFile(std::string languagesDir, std::string languageName, FileOps& ops)
    : dir_(std::move(languagesDir)), ops_(ops) {
  if (!dir_.empty() && dir_.back() != '/') dir_ += '/';
  setLanguageName(std::move(languageName));
}

void LanguageFile::setLanguageName(std::string languageName) {
  name_ = std::move(languageName);
  std::string path = usableName(name_) ? dir_ + name_ + std::string(kExtension) : std::string();
  file_ = std::make_unique<ProfileFile>(std::move(path), ops_);
}

std::vector<std::string> LanguageFile::available(const std::string& languagesDir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(languagesDir.c_str());
  if (!d) return names;
  std::string dir =
      languagesDir.empty() || languagesDir.back() == '/' ? languagesDir : languagesDir + '/';
  while (dirent* e = ::readdir(d)) {
    std::string_view n = e->d_name;
    if (n.size() <= kExtension.size() || !endsWithIgnoreCase(n, kExtension)) continue;
    struct stat st {};
    if (::stat((dir + e->d_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.emplace_back(n.substr(0, n.size() - kExtension.size()));
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::string LanguageFile::message(std::string_view key) {
  std::string text = path().empty() ? std::string(key) : file_->read(kMessages, key, key);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '#' && i + 1 < text.size() && text[i + 1] == 'R') {
      out += kLineBreak;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string LanguageFile::format(std::string_view key, std::initializer_list<FormatArg> args) {
  return format(key, std::span<const FormatArg>(args.begin(), args.size()));
}

std::string LanguageFile::format(std::string_view key, std::span<const FormatArg> args) {
  std::string text = message(key);
  // Values that are not what the key takes are a mistake of the caller; they are shown,
  // never put into placeholders meant for other values.
  if (const MessageKey* k = findMessageKey(key)) {
    bool same = k->args.size() == args.size() &&
                std::equal(args.begin(), args.end(), k->args.begin(),
                           [](const FormatArg& a, ArgKind kind) { return a.kind() == kind; });
    if (!same) return showUnfilled(text, args);
  }
  return formatOrShow(text, args);
}

std::string LanguageFile::caption(int tag) {
  if (path().empty()) return {};
  return file_->read(kInterface, "C" + std::to_string(tag), "");
}

std::string LanguageFile::hint(int tag) {
  if (path().empty()) return {};
  return file_->read(kInterface, "H" + std::to_string(tag), "");
}

std::string LanguageFile::locale() { return file_->read(kInformation, "Locale", ""); }

FontChoice LanguageFile::font(const FontChoice& current) {
  if (path().empty()) return current;
  FontChoice chosen;
  chosen.name = file_->read(kInformation, "FontName", current.name);
  std::string size = file_->read(kInformation, "FontSize", std::to_string(current.size));
  if (!parseInt(size, chosen.size)) throw EConvertError(fillMessage(msg::kNotValidInteger, size));
  return chosen;
}

void LanguageFile::saveInterfaceTexts(std::span<const InterfaceText> texts) {
  if (path().empty()) throwCannotCreate(dir_ + name_ + std::string(kExtension));
  std::vector<ProfileEntry> entries;
  for (const InterfaceText& t : texts) {
    if (t.tag < kFirstTag) continue;
    if (!t.caption.empty()) entries.push_back({"C" + std::to_string(t.tag), t.caption});
    if (!t.hint.empty()) entries.push_back({"H" + std::to_string(t.tag), t.hint});
  }
  if (!entries.empty()) file_->write(kInterface, entries);
}

}  // namespace kolvex
