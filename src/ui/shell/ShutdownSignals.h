#pragma once
// SIGTERM, SIGINT and SIGHUP (the end of a session or a terminal) end the program through
// its ordinary shutdown: the signal handler only writes a byte to a pipe, and the event
// loop turns it into the requested() signal. SIGPIPE is ignored: a broken pipe is an error
// of one write, never the silent end of the program.
#include <QObject>

class QSocketNotifier;

namespace kolvex {

class ShutdownSignals : public QObject {
  Q_OBJECT

 public:
  explicit ShutdownSignals(QObject* parent = nullptr);
  ~ShutdownSignals() override;
  // A signal has arrived (its requested() may have gone out before anyone listened).
  bool received() const { return received_; }

 signals:
  void requested();

 private:
  static void handle(int signal);
  void drain();
  QSocketNotifier* notifier_ = nullptr;
  bool received_ = false;
};

}  // namespace kolvex
