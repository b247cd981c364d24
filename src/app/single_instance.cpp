// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace talvirex {

namespace {

// A request is one line: "open", a tab and the file's path percent-encoded (a path may hold a
// line break), or "show"; the window answers "ok".
const QByteArray kOpen = QByteArrayLiteral("open\t");
const QByteArray kShow = QByteArrayLiteral("show");
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
// How long a later start waits for the running window: long enough for a busy window, short
// enough that a hung one does not keep the double-click waiting unseen.
constexpr int kConnectMilliseconds = 2000;
constexpr int kAnswerMilliseconds = 5000;

QString UserId() {
#ifdef Q_OS_UNIX
  return QString::number(::getuid());
#else
  return qEnvironmentVariable("USERNAME");
#endif
}

}  // namespace

QString InstanceServerName(const std::filesystem::path& program_folder) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::weakly_canonical(program_folder, error);
  if (error) folder = program_folder;
  const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(folder.string()),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(16);
  const QString name = QStringLiteral("talvirex-%1").arg(QString::fromLatin1(digest));
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(name);
  return QStringLiteral("%1-%2").arg(name, UserId());
}

SingleInstance::SingleInstance(const std::filesystem::path& program_folder, QObject* parent)
    : QObject(parent), name_(InstanceServerName(program_folder)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Start SingleInstance::Claim(const QString& file) {
  if (Listen()) return Start::kFirst;
  const Start handed = HandOver(file);
  if (handed != Start::kFirst) return handed;
  // Nobody listens behind the name: a run that crashed left its socket file.
  QLocalServer::removeServer(name_);
  return Listen() ? Start::kFirst : Start::kUnreachable;
}

bool SingleInstance::Listen() {
  // No socket options: with them Qt makes the socket elsewhere and renames it over the name,
  // which would take the name from a window already listening. The user's runtime folder is the
  // user's alone, and elsewhere the umask keeps other users from writing to the socket.
  auto* server = new QLocalServer(this);
  if (!server->listen(name_)) {
    delete server;
    return false;
  }
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Serve);
  return true;
}

// kFirst here means that no window answered the connection at all.
SingleInstance::Start SingleInstance::HandOver(const QString& file) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMilliseconds)) {
    return socket.error() == QLocalSocket::SocketTimeoutError ? Start::kUnreachable : Start::kFirst;
  }
  const QByteArray request = file.isEmpty() ? kShow : kOpen + file.toUtf8().toPercentEncoding();
  socket.write(request + '\n');
  if (!socket.waitForBytesWritten(kAnswerMilliseconds)) return Start::kUnreachable;
  QByteArray answer;
  while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerMilliseconds)) {
    answer += socket.readAll();
  }
  return answer == kAnswer ? Start::kHandedOver : Start::kUnreachable;
}

void SingleInstance::Serve() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray request = socket->readLine().chopped(1);
      if (request != kShow && !request.startsWith(kOpen)) {
        socket->disconnectFromServer();
        return;
      }
      // The later start may end as soon as the request is taken; the file opens after the
      // "Save data?" question, which may wait for the user a long time.
      socket->write(kAnswer);
      socket->flush();
      socket->disconnectFromServer();
      if (!handler_) return;
      handler_(request == kShow
                   ? QString()
                   : QString::fromUtf8(QByteArray::fromPercentEncoding(request.mid(kOpen.size()))));
    });
  }
}

}  // namespace talvirex
