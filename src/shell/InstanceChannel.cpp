#include "shell/InstanceChannel.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtCore/QTimer>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/InstanceMessage.h"

namespace {
constexpr const char* kSocketName = "kestrelon-instance";
}

QString InstanceSocketPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return {};
  return QDir(folder).filePath(kSocketName);
}

bool IsPrivateFolder(const QString& folder) {
  struct stat st {};
  if (::stat(QFile::encodeName(folder).constData(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool PeerIsSameUser(int socketDescriptor) {
  if (socketDescriptor < 0) return false;
  struct ucred cred {};
  socklen_t len = sizeof cred;
  if (::getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred) return false;
  return cred.uid == ::geteuid();
}

ForwardResult ForwardToRunningInstance(const QString& path, const std::string& command, int timeoutMs) {
  const std::string frame = EncodeInstanceFrame(command);
  if (frame.empty() || path.isEmpty()) return ForwardResult::Failed;
  if (!QFileInfo::exists(path)) return ForwardResult::NoInstance;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(timeoutMs)) {
    const auto error = socket.error();
    if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError)
      return ForwardResult::NoInstance;
    return ForwardResult::Failed;
  }
  // A path names a learner's file: hand it only to a program of the same user.
  if (!PeerIsSameUser(static_cast<int>(socket.socketDescriptor()))) return ForwardResult::Failed;
  socket.write(frame.data(), static_cast<qint64>(frame.size()));
  if (!socket.waitForBytesWritten(timeoutMs)) return ForwardResult::Failed;
  if (!socket.bytesAvailable() && !socket.waitForReadyRead(timeoutMs)) return ForwardResult::Failed;
  char answer = 0;
  if (socket.read(&answer, 1) != 1) return ForwardResult::Failed;
  socket.disconnectFromServer();
  if (answer == kInstanceAccepted) return ForwardResult::Delivered;
  if (answer == kInstanceRefused) return ForwardResult::Refused;
  return ForwardResult::Failed;
}

CInstanceServer::CInstanceServer(QObject* parent) : QObject(parent) {}

CInstanceServer::~CInstanceServer() {
  if (m_server) m_server->close();
}

QString CInstanceServer::path() const { return m_server ? m_server->fullServerName() : QString(); }

CInstanceServer::ListenResult CInstanceServer::Listen(const QString& path) {
  if (path.isEmpty()) {
    m_error = "no runtime folder";
    return ListenResult::Failed;
  }
  const QString folder = QFileInfo(path).absolutePath();
  if (!IsPrivateFolder(folder)) {
    m_error = folder + " is not a folder of this user closed to others";
    return ListenResult::Failed;
  }
  // Qt makes the socket aside and renames it into place, which would take the name from
  // a program that still answers there: ask first. A file nobody answers at is left over.
  if (QFileInfo::exists(path)) {
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(kRequestTimeoutMs)) {
      probe.abort();
      return ListenResult::OtherInstance;
    }
    QLocalServer::removeServer(path);
  }
  m_server = std::make_unique<QLocalServer>();
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  m_server->setMaxPendingConnections(kMaxOpenConnections);
  if (!m_server->listen(path)) {
    m_error = m_server->errorString();
    m_server.reset();
    return ListenResult::Failed;
  }
  // The socket needs no execute bit: read and write for the user alone.
  ::chmod(QFile::encodeName(m_server->fullServerName()).constData(), S_IRUSR | S_IWUSR);
  connect(m_server.get(), &QLocalServer::newConnection, this, &CInstanceServer::OnNewConnection);
  return ListenResult::Listening;
}

void CInstanceServer::OnNewConnection() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    socket->setParent(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (m_open >= kMaxOpenConnections || !PeerIsSameUser(static_cast<int>(socket->socketDescriptor()))) {
      ++m_refused;
      socket->abort();
      socket->deleteLater();
      continue;
    }
    Serve(socket);
  }
}

void CInstanceServer::Serve(QLocalSocket* socket) {
  ++m_open;
  auto reader = std::make_shared<InstanceFrameReader>();
  auto* timer = new QTimer(socket);
  timer->setSingleShot(true);
  connect(socket, &QObject::destroyed, this, [this] { --m_open; });
  connect(timer, &QTimer::timeout, socket, [this, socket] {
    ++m_refused;
    socket->abort();
  });
  auto readMore = [this, socket, reader, timer] {
    if (reader->state() != InstanceFrameReader::State::NeedMore) {
      socket->readAll();  // already answered; the sender is closing
      return;
    }
    const QByteArray bytes = socket->readAll();
    switch (reader->Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
      case InstanceFrameReader::State::NeedMore:
        return;
      case InstanceFrameReader::State::Refused:
        timer->stop();
        ++m_refused;
        Answer(socket, false);
        return;
      case InstanceFrameReader::State::Complete:
        timer->stop();
        Answer(socket, true);
        // Handled once the answer is on its way: the handler may open modal notices.
        QTimer::singleShot(0, this, [this, command = reader->command()] {
          if (m_handler) m_handler(command);
        });
        return;
    }
  };
  connect(socket, &QLocalSocket::readyRead, socket, readMore);
  timer->start(kRequestTimeoutMs);
  // Bytes that came with the connection itself raise no further readyRead.
  if (socket->bytesAvailable() > 0) QTimer::singleShot(0, socket, readMore);
}

void CInstanceServer::Answer(QLocalSocket* socket, bool accepted) {
  const char answer = accepted ? kInstanceAccepted : kInstanceRefused;
  socket->write(&answer, 1);
  socket->flush();
  socket->disconnectFromServer();
}
