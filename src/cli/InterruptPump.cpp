#include "cli/InterruptPump.h"

#include "core/catalog/ScanState.h"

namespace kolvex::cli {
namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void onInterrupt(int) { gInterrupted = 1; }

}  // namespace

InterruptPump::InterruptPump() {
  gInterrupted = 0;
  struct sigaction sa {};
  sa.sa_handler = onInterrupt;
  sigemptyset(&sa.sa_mask);
  ::sigaction(SIGINT, &sa, &oldInt_);
  ::sigaction(SIGTERM, &sa, &oldTerm_);
}

InterruptPump::~InterruptPump() {
  ::sigaction(SIGINT, &oldInt_, nullptr);
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
}

void InterruptPump::processEvents() {
  if (gInterrupted) TheScanState().AddingCancelled = true;
}

bool InterruptPump::interrupted() { return gInterrupted != 0; }

}  // namespace kolvex::cli
