#include "shell/InstanceChannel.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <QtCore/QTimer>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "shell/InstanceMessage.h"
#include "shell/NoticeDlg.h"

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

namespace {

// One connection: connects within connectMs, then waits up to answerMs for the answer.
// dropped is set when the program closed the connection without answering (it had too
// many, or none of this): the request was not handled and may be sent again.
ForwardResult Attempt(const QString& path, const std::string& frame, int connectMs, int answerMs, bool& dropped) {
  dropped = false;
  if (!QFileInfo::exists(path)) return ForwardResult::NoInstance;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(connectMs)) {
    const auto error = socket.error();
    if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError)
      return ForwardResult::NoInstance;
    return ForwardResult::Failed;
  }
  // A path names a learner's file: hand it only to a program of the same user.
  if (!PeerIsSameUser(static_cast<int>(socket.socketDescriptor()))) return ForwardResult::Failed;
  socket.write(frame.data(), static_cast<qint64>(frame.size()));
  if (!socket.waitForBytesWritten(connectMs)) {
    dropped = socket.state() != QLocalSocket::ConnectedState;
    return ForwardResult::Failed;
  }
  if (!socket.bytesAvailable() && !socket.waitForReadyRead(answerMs)) {
    dropped = socket.state() != QLocalSocket::ConnectedState && !socket.bytesAvailable();
    return ForwardResult::Failed;
  }
  char answer = 0;
  if (socket.read(&answer, 1) != 1) return ForwardResult::Failed;
  socket.disconnectFromServer();
  if (answer == kInstanceAccepted) return ForwardResult::Delivered;
  if (answer == kInstanceRefused) return ForwardResult::Refused;
  return ForwardResult::Failed;
}

}  // namespace

ForwardResult ForwardToRunningInstance(const QString& path, const std::string& command, int timeoutMs) {
  const std::string frame = EncodeInstanceFrame(command);
  if (frame.empty() || path.isEmpty()) return ForwardResult::Failed;
  bool dropped = false;
  return Attempt(path, frame, timeoutMs, timeoutMs, dropped);
}

ForwardResult HandOverToRunningInstance(const QString& path, const std::string& command, int patienceMs) {
  const std::string frame = EncodeInstanceFrame(command);
  if (frame.empty() || path.isEmpty()) return ForwardResult::Failed;
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    // A busy program answers once its event loop runs again: the answer is waited for
    // with all the patience left, not sent a second time.
    const int left = std::max(100, patienceMs - static_cast<int>(clock.elapsed()));
    bool dropped = false;
    const ForwardResult r = Attempt(path, frame, std::min(left, kRequestTimeoutMs), left, dropped);
    if (r != ForwardResult::Failed || !dropped || clock.elapsed() + 100 >= patienceMs) return r;
    QThread::msleep(50);
  }
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
    if (!PeerIsSameUser(static_cast<int>(socket->socketDescriptor()))) {
      ++m_refused;
      socket->abort();
      socket->deleteLater();
      continue;
    }
    // Full: the connection that has waited longest without sending its request goes.
    while (static_cast<int>(m_waiting.size()) >= kMaxOpenConnections) {
      QPointer<QLocalSocket> oldest = m_waiting.front();
      m_waiting.pop_front();
      if (oldest) {
        ++m_refused;
        oldest->abort();
      }
    }
    Serve(socket);
  }
}

void CInstanceServer::Serve(QLocalSocket* socket) {
  m_waiting.emplace_back(socket);
  const auto settled = [this, socket] {
    for (auto it = m_waiting.begin(); it != m_waiting.end();)
      it = (!*it || *it == socket) ? m_waiting.erase(it) : it + 1;
  };
  auto reader = std::make_shared<InstanceFrameReader>();
  auto* timer = new QTimer(socket);
  timer->setSingleShot(true);
  connect(socket, &QObject::destroyed, this, [this] {
    for (auto it = m_waiting.begin(); it != m_waiting.end();) it = *it ? it + 1 : m_waiting.erase(it);
  });
  connect(timer, &QTimer::timeout, socket, [this, socket, settled] {
    settled();
    ++m_refused;
    socket->abort();
  });
  auto readMore = [this, socket, reader, timer, settled] {
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
        settled();
        ++m_refused;
        Answer(socket, false);
        return;
      case InstanceFrameReader::State::Complete:
        timer->stop();
        settled();
        Answer(socket, true);
        // Handled once the answer is on its way, and never under a notice on screen: the
        // handler may raise notices of its own.
        QTimer::singleShot(0, this, [this, command = reader->command()] {
          if (m_handler) AfterNotices([handler = m_handler, command] { handler(command); });
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
