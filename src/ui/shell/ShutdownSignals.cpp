#include "ui/shell/ShutdownSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace kolvex {
namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {
  // A write to a pipe or socket whose reader is gone (stderr piped into a pager that has
  // quit, a launcher's pipe) would end the program on the spot, without shutting down and
  // without a word; the write fails with EPIPE instead, and is reported where it is made.
  ::signal(SIGPIPE, SIG_IGN);
  if (pipeEnds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
    return;
  ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
  ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &ShutdownSignals::drain);
  struct sigaction action {};
  action.sa_handler = &ShutdownSignals::handle;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
}

void ShutdownSignals::handle(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(pipeEnds[1], &byte, 1);
}

void ShutdownSignals::drain() {
  char buffer[64];
  while (::read(pipeEnds[0], buffer, sizeof buffer) > 0) {
  }
  received_ = true;
  emit requested();
}

}  // namespace kolvex
