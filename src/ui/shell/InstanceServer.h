#pragma once
// The running copy's end of the hand-off: a local socket that only this user can reach.
// A second launch sends "2147" (show the window) and then, after writing parg.prg,
// "2148" (take the folder), each as one line; every message is answered with its number
// once it has been handled, so the sender can wait for it. Anything else is dropped.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace kolvex {

class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // The longest line a client may send before it is cut off.
  static constexpr int kMaxLine = 256;

  explicit InstanceServer(QString name, QObject* parent = nullptr);
  ~InstanceServer() override;

  // Starts listening, replacing a socket left by a copy that died. Only the holder of the
  // single-instance lock may call this.
  bool listen();
  QString errorString() const;
  const QString& name() const { return name_; }

  // Until the handlers are set (the main window exists), messages wait unanswered.
  void setHandlers(std::function<void()> show, std::function<void()> folder);
  // The display the window shows on (InstanceNames::displayName). A launch on another
  // display is answered with it, so that it can tell the user where the window is.
  void setDisplay(QString display) { display_ = std::move(display); }
  // Stops accepting messages (shutdown).
  void close();

 private:
  void acceptClients();
  void readClient(QLocalSocket* socket);
  void handle(QLocalSocket* socket, const QByteArray& line);
  void runPending();

  QString name_;
  QString display_;
  QLocalServer* server_;
  std::function<void()> show_;
  std::function<void()> folder_;
  std::vector<QPointer<QLocalSocket>> waiting_;
};

}  // namespace kolvex
