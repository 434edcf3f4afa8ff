#pragma once
#include "core/app/Dialogs.h"

namespace kolvex {

class LanguageFile;

// Message boxes with the caption "Kolvex 1.0 Beta" over the active window, their buttons
// captioned from the language file (Qt's own texts when none is given).
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(LanguageFile* language = nullptr) : language_(language) {}

  void message(MessageKind kind, const std::string& text) override;
  Answer ask(const std::string& text, bool withCancel = false) override;
  Answer askDefaultNo(const std::string& text) override;

 private:
  Answer question(const std::string& text, bool withCancel, bool defaultNo);

  LanguageFile* language_;
};

}  // namespace kolvex
