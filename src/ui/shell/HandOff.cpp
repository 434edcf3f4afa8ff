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

// Sends one message and waits for the running copy's answer.
bool send(QLocalSocket& socket, int message, int timeoutMs) {
  if (socket.state() != QLocalSocket::ConnectedState) return false;
  QByteArray line = QByteArray::number(message) + '\n';
  socket.write(line);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  QDeadlineTimer deadline(timeoutMs);
  while (!socket.canReadLine()) {
    if (deadline.hasExpired() ||
        !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
      return false;
  }
  return socket.readLine(line.size() + 1) == line;
}

}  // namespace

HandOff::Result HandOff::run(const QString& serverName, const std::string& appDir,
                             const CommandLine& commandLine, Timing timing) {
  QLocalSocket socket;
  bool connected = connectTo(socket, serverName, timing.connectMs);
  bool shown = connected && send(socket, kMessageShow, timing.answerMs);
  if (!PargFile::clear(appDir)) return Result::StaleFileStays;
  if (!commandLine.hasFolder()) return shown ? Result::Shown : Result::NoRunningCopy;
  if (!PargFile::write(appDir, commandLine.first())) return Result::WriteFailed;
  // Without a running copy the file stays for the next hand-off to clear.
  if (!send(socket, kMessageFolder, timing.answerMs)) return Result::NoRunningCopy;
  return Result::FolderHandedOver;
}

}  // namespace kolvex
