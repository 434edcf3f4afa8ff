#pragma once
#include "core/app/EventPump.h"

namespace kolvex {

// Lets Qt run the window events that are waiting.
class QtEventPump final : public EventPump {
 public:
  void processEvents() override;
};

}  // namespace kolvex
