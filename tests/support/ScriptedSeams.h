#pragma once
// Answers for the seams the core asks the windows for, scripted by a test.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"

namespace kolvex::test {

// Records every message and question and answers questions from a queue (No when empty).
class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    MessageKind kind;
    std::string text;
  };
  void message(MessageKind kind, const std::string& text) override { messages.push_back({kind, text}); }
  Answer ask(const std::string& text, bool) override {
    questions.push_back(text);
    if (answers.empty()) return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<Shown> messages;
  std::vector<std::string> questions;
  std::deque<Answer> answers;
};

// Runs a test's function each time events are processed (a Cancel press, say).
class ScriptedPump final : public EventPump {
 public:
  void processEvents() override {
    ++calls;
    if (onEvents) onEvents(calls);
  }
  int calls = 0;
  std::function<void(int)> onEvents;
};

}  // namespace kolvex::test
