#pragma once
// The command line's event pump: Ctrl+C during a scan is its Cancel button, so an
// interrupted scan still removes its temporary files and keeps the old catalog.
#include <csignal>

#include "core/app/EventPump.h"

namespace kolvex::cli {

class InterruptPump final : public EventPump {
 public:
  InterruptPump();            // takes over SIGINT and SIGTERM
  ~InterruptPump() override;  // gives them back
  InterruptPump(const InterruptPump&) = delete;
  InterruptPump& operator=(const InterruptPump&) = delete;

  // Sets AddingCancelled once a signal came.
  void processEvents() override;
  static bool interrupted();

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

}  // namespace kolvex::cli
