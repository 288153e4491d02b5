#include "one_window.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace tallix::window {

namespace {

constexpr int kWaitMs = 1000;  // for the window asked to answer
const QByteArray kAsk = "forward\n";
const QByteArray kDone = "done\n";

// The socket's path: in the user's runtime folder, so that no other user can answer for it.
QString nameOf(const std::string& record) {
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(record), QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return QDir(folder).filePath(QStringLiteral("tallix-") + QString::fromLatin1(hash));
}

}  // namespace

bool bringForward(const std::string& record) {
  QLocalSocket socket;
  socket.connectToServer(nameOf(record));
  if (!socket.waitForConnected(kWaitMs)) return false;
  socket.write(kAsk);
  if (!socket.waitForBytesWritten(kWaitMs)) return false;
  while (socket.bytesAvailable() < kDone.size()) {
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  }
  return socket.read(kDone.size()) == kDone;
}

void comeForwardWhenAsked(QWidget& window, const std::string& record) {
  auto* server = new QLocalServer(&window);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  const QString name = nameOf(record);
  // A socket left by a Tallix that crashed: this one holds the record's lock, so no other
  // window runs the record.
  if (!server->listen(name)) {
    QLocalServer::removeServer(name);
    if (!server->listen(name)) return;  // a later start is then refused by the lock alone
  }
  QObject::connect(server, &QLocalServer::newConnection, &window, [server, &window] {
    while (QLocalSocket* asking = server->nextPendingConnection()) {
      QObject::connect(asking, &QLocalSocket::disconnected, asking, &QObject::deleteLater);
      QObject::connect(asking, &QLocalSocket::readyRead, &window, [asking, &window] {
        if (asking->bytesAvailable() < kAsk.size()) return;
        if (asking->read(kAsk.size()) != kAsk) return asking->abort();
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
        asking->write(kDone);
        asking->flush();
      });
    }
  });
}

}  // namespace tallix::window
