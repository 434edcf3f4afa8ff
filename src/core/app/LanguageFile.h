#pragma once
// The current language file: application folder + "Languages/" + LanguageName + ".ini".
// Messages come from section "ResourceStrings" by key, captions and hints of components
// from section "Interface" as "C" + tag and "H" + tag, the font of top-level windows from
// section "Information". The file is consulted afresh at every lookup, so a new language
// name or an edited file takes effect at the next one. A missing file is not an error:
// messages show their keys and captions and hints are empty.
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/FormatArg.h"
#include "core/app/ProfileFile.h"
#include "core/persist/FileOps.h"

namespace kolvex {

struct FontChoice {
  std::string name;
  int size = 0;
  bool operator==(const FontChoice&) const = default;
};

// The texts of one component (or window) for saving into a language file.
struct InterfaceText {
  int tag = 0;
  std::string caption;
  std::string hint;
};

class LanguageFile {
 public:
  // Components with a smaller tag are not translated.
  static constexpr int kFirstTag = 10000;
  static constexpr std::string_view kLineBreak = "\n";

  // languagesDir: the folder of the language files (a trailing '/' is optional).
  LanguageFile(std::string languagesDir, std::string languageName, FileOps& ops = posixFileOps());

  // The language folder of an application folder (given with its trailing '/').
  static std::string languagesDirOf(const std::string& appDir) { return appDir + "Languages/"; }
  // The names of the language files in a folder (file names ending in ".ini", letter case
  // ignored, without that ending), sorted.
  static std::vector<std::string> available(const std::string& languagesDir);

  void setLanguageName(std::string languageName);
  const std::string& languageName() const { return name_; }
  // The file's path; empty for a name that cannot be a file name (empty, or holding '/').
  const std::string& path() const { return file_->path(); }

  // The text of the key, every "#R" turned into a line break; the key itself when the
  // file, the section or the key is missing.
  std::string message(std::string_view key);
  // message(key) filled with args by the checked formatter. Arguments that are not what
  // the key takes, or a text that does not fit them, show the text unfilled with the
  // values after it (see formatOrShow).
  std::string format(std::string_view key, std::initializer_list<FormatArg> args);
  std::string format(std::string_view key, std::span<const FormatArg> args);

  // "C" + tag and "H" + tag of section "Interface"; empty when missing.
  std::string caption(int tag);
  std::string hint(int tag);
  // "FontName" and "FontSize" of section "Information", each defaulting to the current
  // value. Throws EConvertError ("'%s' is not a valid integer value") for a size that is
  // not a whole number; callers set captions and hints first.
  FontChoice font(const FontChoice& current);
  // The language's locale code from "Locale" in [Information] ("de", "en"), for the texts
  // the window library brings along (its file dialog); empty when the file names none.
  std::string locale();

  // Writes the non-empty captions and hints of components with a tag of kFirstTag or
  // more into section "Interface" and then writes the file out, once. Throws
  // EProfileError, EStreamError; the file is then unchanged.
  void saveInterfaceTexts(std::span<const InterfaceText> texts);

 private:
  std::string dir_;
  std::string name_;
  FileOps& ops_;
  std::unique_ptr<ProfileFile> file_;
};

}  // namespace kolvex
