#pragma once
#include "core/app/Dialogs.h"

namespace kolvex {

// Message boxes with the caption "Kolvex 1.0 Beta" over the active window.
class QtDialogs final : public Dialogs {
 public:
  void message(MessageKind kind, const std::string& text) override;
  Answer ask(const std::string& text, bool withCancel = false) override;
};

}  // namespace kolvex
