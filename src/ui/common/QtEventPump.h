#pragma once
#include "core/app/EventPump.h"

namespace kolvex {

// Lets Qt run the window events that are waiting.
class QtEventPump final : public EventPump {
 public:
  void processEvents() override;
  // Blocks in Qt's event queue until an event comes or the limit passes.
  void waitForEvents(std::chrono::milliseconds limit) override;
};

}  // namespace kolvex
