#pragma once
#include <QUrl>

#include "core/app/DesktopShell.h"
#include "core/app/LanguageFile.h"

namespace kolvex {

// Files open in the desktop's program for them, folders in its file manager; printing
// goes through CUPS' "lp". Failures are told in the program's language.
class QtDesktopShell final : public DesktopShell {
 public:
  explicit QtDesktopShell(LanguageFile& language) : language_(language) {}
  std::string open(const std::string& path) override;
  std::string explore(const std::string& path) override;
  std::string print(const std::string& path) override;

 private:
  std::string openUrl(const QUrl& url, const std::string& path);

  LanguageFile& language_;
};

class QtClipboard final : public Clipboard {
 public:
  void setText(const std::string& text) override;
  void setPath(const std::string& path) override;
};

class QtFolderPicker final : public FolderPicker {
 public:
  std::string pickFolder(const std::string& title, const std::string& start) override;
  std::string pickSaveFile(const std::string& title, const std::string& start,
                           const std::vector<std::string>& filters, int& chosenFilter) override;
};

}  // namespace kolvex
