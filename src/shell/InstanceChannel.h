// Single-instance hand-off: the first program to start listens on a local socket in the
// user's runtime folder; a later launch forwards its request there (InstanceMessage.h)
// and exits. Only processes of the same user are served: the socket file is made for the
// user alone (mode 0600 in a folder that must be the user's and closed to others, 0700),
// and each side checks the other's user id on the connection. Requests are bounded in
// size and must arrive whole within kRequestTimeoutMs.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <functional>
#include <deque>
#include <memory>
#include <string>

class QLocalServer;
class QLocalSocket;

inline constexpr int kRequestTimeoutMs = 2000;
// Connections served at once. When all are taken, the oldest one still waiting for its
// request is dropped for the newcomer: connections that never send anything cannot keep
// a real request out.
inline constexpr int kMaxOpenConnections = 16;
// How long a later launch keeps trying a program that does not answer before it decides
// that program is gone.
inline constexpr int kHandOverPatienceMs = 5000;

// The socket's path: "kestrelon-instance" in $XDG_RUNTIME_DIR (Qt's runtime location,
// which falls back to a private folder under the temporary folder). Empty when there is
// no usable runtime folder.
QString InstanceSocketPath();

// Whether folder is owned by this user and closed to group and others.
bool IsPrivateFolder(const QString& folder);

// Whether the peer of a connected local socket runs as this user.
bool PeerIsSameUser(int socketDescriptor);

enum class ForwardResult {
  Delivered,   // the running program accepted the request
  NoInstance,  // nothing listens there: this launch is the first
  Refused,     // it answered 'R'
  Failed,      // it did not answer in time, or is not ours
};

// Connects to the socket at path and hands the command text over; waits at most
// timeoutMs for each step.
ForwardResult ForwardToRunningInstance(const QString& path, const std::string& command,
                                       int timeoutMs = kRequestTimeoutMs);

// ForwardToRunningInstance again and again while the result is Failed (a program that is
// busy or swamped), for at most patienceMs in all.
ForwardResult HandOverToRunningInstance(const QString& path, const std::string& command,
                                        int patienceMs = kHandOverPatienceMs);

class CInstanceServer : public QObject {
  Q_OBJECT
 public:
  explicit CInstanceServer(QObject* parent = nullptr);
  ~CInstanceServer() override;

  enum class ListenResult {
    Listening,
    OtherInstance,  // another program answers on that socket
    Failed,         // no private runtime folder, or the socket cannot be made
  };
  // Listens at path. A socket file left by a program that is gone is replaced.
  ListenResult Listen(const QString& path);
  QString errorString() const { return m_error; }
  QString path() const;

  // Receives every accepted command text on the user-interface thread, after the sender
  // has had its answer and after any notice on screen has been closed (AfterNotices).
  void SetHandler(std::function<void(const std::string& command)> handler) { m_handler = std::move(handler); }

  // Requests refused since start (tests and diagnostics).
  int refusedCount() const { return m_refused; }

 private:
  void OnNewConnection();
  void Serve(QLocalSocket* socket);
  void Answer(QLocalSocket* socket, bool accepted);

  std::unique_ptr<QLocalServer> m_server;
  std::function<void(const std::string&)> m_handler;
  QString m_error;
  std::deque<QPointer<QLocalSocket>> m_waiting;  // connections without their request yet, oldest first
  int m_refused = 0;
};
