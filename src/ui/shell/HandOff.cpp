#include "ui/shell/HandOff.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include "ui/common/AppNames.h"
#include "ui/shell/PargFile.h"

namespace kolvex {
namespace {

bool connectTo(QLocalSocket& socket, const QString& name, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    socket.connectToServer(name);
    if (socket.waitForConnected(1000)) return true;
    socket.abort();
    if (deadline.hasExpired()) return false;
    QThread::msleep(50);
  }
}

// Sends one message and waits for the running copy's answer: the message again, for
// "show" perhaps followed by a space and the running copy's display (into extra).
bool send(QLocalSocket& socket, int message, int timeoutMs, const QString& display = {},
          QByteArray* extra = nullptr) {
  if (socket.state() != QLocalSocket::ConnectedState) return false;
  QByteArray line = QByteArray::number(message) + '\n';
  socket.write(display.isEmpty() ? line : QByteArray::number(message) + ' ' + display.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  QDeadlineTimer deadline(timeoutMs);
  while (!socket.canReadLine()) {
    if (deadline.hasExpired() ||
        !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
      return false;
  }
  const QByteArray answer = socket.readLine(1024);
  if (answer == line) return true;
  line.chop(1);
  if (!extra || !answer.startsWith(line + ' ') || !answer.endsWith('\n')) return false;
  *extra = answer.mid(line.size() + 1).chopped(1);
  return true;
}

}  // namespace

HandOff::Result HandOff::run(const QString& serverName, const std::string& appDir,
                             const CommandLine& commandLine, Timing timing,
                             const QString& display, QString* otherDisplay) {
  QLocalSocket socket;
  bool connected = connectTo(socket, serverName, timing.connectMs);
  QByteArray elsewhere;
  bool shown = connected && send(socket, kMessageShow, timing.answerMs, display, &elsewhere);
  if (otherDisplay) *otherDisplay = QString::fromUtf8(elsewhere);
  if (!PargFile::clear(appDir)) return Result::StaleFileStays;
  if (!commandLine.hasFolder()) return shown ? Result::Shown : Result::NoRunningCopy;
  if (!PargFile::write(appDir, commandLine.first())) return Result::WriteFailed;
  // Without a running copy the file stays for the next hand-off to clear.
  if (!send(socket, kMessageFolder, timing.answerMs)) return Result::NoRunningCopy;
  return Result::FolderHandedOver;
}

HandOff::Report HandOff::report(Result result, const QString& otherDisplay) {
  switch (result) {
    case Result::Shown:
    case Result::FolderHandedOver: {
      if (otherDisplay.isEmpty()) return {};
      QString text = QString("%1 is already running on another display (%2); only one copy runs "
                             "for each user. Its window was brought to the front there")
                         .arg(QString(kApplicationTitle), otherDisplay);
      text += result == Result::FolderHandedOver ? ", with the folder to catalogue." : ".";
      return {text, false};
    }
    case Result::NoRunningCopy:
      return {QString("%1 seems to be running already, but the running copy does not answer; "
                      "nothing was started. Close it, or end it if it hangs, and start again.")
                  .arg(kApplicationTitle),
              true};
    case Result::StaleFileStays:
    case Result::WriteFailed:
      return {QString("%1 is already running, but the folder could not be handed to it (the "
                      "program folder cannot be written).")
                  .arg(kApplicationTitle),
              true};
  }
  return {};
}

}  // namespace kolvex
