#pragma once
// Message boxes and questions. The windows show them with the caption "Kolvex 1.0 Beta";
// tests and the command line answer them without a person.
#include <string>

namespace kolvex {

enum class MessageKind { Error, Information };
enum class Answer { Yes, No, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // An error (failures) or information (results) box with an OK button.
  virtual void message(MessageKind kind, const std::string& text) = 0;
  // A question box with Yes and No (and Cancel when withCancel is set).
  virtual Answer ask(const std::string& text, bool withCancel = false) = 0;
  // A question whose safe answer is No (deleting or replacing a catalog): a window system
  // makes No the button that Enter presses. Otherwise the same as ask.
  virtual Answer askDefaultNo(const std::string& text) { return ask(text); }
};

}  // namespace kolvex
