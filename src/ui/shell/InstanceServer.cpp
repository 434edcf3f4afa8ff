#include "ui/shell/InstanceServer.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <algorithm>

#include "ui/common/AppNames.h"

namespace kolvex {

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &InstanceServer::acceptClients);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen() {
  QLocalServer::removeServer(name_);
  return server_->listen(name_);
}

QString InstanceServer::errorString() const { return server_->errorString(); }

void InstanceServer::setHandlers(std::function<void()> show, std::function<void()> folder) {
  show_ = std::move(show);
  folder_ = std::move(folder);
  runPending();
}

void InstanceServer::close() {
  server_->close();
  show_ = nullptr;
  folder_ = nullptr;
}

void InstanceServer::acceptClients() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
    readClient(socket);
  }
}

void InstanceServer::readClient(QLocalSocket* socket) {
  if (!show_ || !folder_) {
    // No window yet: the client keeps waiting; its lines are read once there is one.
    if (std::find(waiting_.begin(), waiting_.end(), socket) == waiting_.end())
      waiting_.push_back(socket);
    return;
  }
  QPointer<QLocalSocket> guard(socket);
  while (guard && socket->canReadLine()) {
    QByteArray line = socket->readLine(kMaxLine + 2);
    if (!line.endsWith('\n')) {
      socket->abort();
      return;
    }
    line.chop(1);
    handle(socket, line);
  }
  if (guard && socket->bytesAvailable() > kMaxLine) socket->abort();
}

void InstanceServer::handle(QLocalSocket* socket, const QByteArray& received) {
  // "Show" may name the launch's display after a space: the answer then names this one
  // when the two differ.
  QByteArray line = received;
  QByteArray answer = received;
  const QByteArray show = QByteArray::number(kMessageShow);
  if (line.startsWith(show + ' ')) {
    const QByteArray theirs = line.mid(show.size() + 1);
    line = answer = show;
    if (!display_.isEmpty() && theirs != display_.toUtf8()) answer += ' ' + display_.toUtf8();
  }
  std::function<void()>* handler = nullptr;
  if (line == show)
    handler = &show_;
  else if (line == QByteArray::number(kMessageFolder))
    handler = &folder_;
  if (!handler || !*handler) return;
  QPointer<QLocalSocket> guard(socket);
  // A copy: the handler may run a nested event loop in which the handlers are replaced.
  std::function<void()> run = *handler;
  run();
  if (guard && guard->state() == QLocalSocket::ConnectedState) {
    guard->write(answer + '\n');
    guard->flush();
  }
}

void InstanceServer::runPending() {
  std::vector<QPointer<QLocalSocket>> pending;
  pending.swap(waiting_);
  for (const QPointer<QLocalSocket>& socket : pending)
    if (socket) readClient(socket);
}

}  // namespace kolvex
