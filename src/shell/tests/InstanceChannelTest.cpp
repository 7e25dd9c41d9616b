#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtNetwork/QLocalSocket>
#include <sys/stat.h>

#include <chrono>
#include <future>
#include <thread>

#include "ShellUiTestSupport.h"
#include "TestSupport.h"
#include "course/StringIds.h"
#include "shell/InstanceChannel.h"
#include "shell/InstanceMessage.h"
#include "shell/NoticeDlg.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"

using namespace shelltest;

namespace {

// A private runtime folder of its own for each test.
QString PrivateFolder(const char* hint) {
  const auto dir = kntest::MakeTempDir(hint);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  return QString::fromStdString(dir.string());
}

std::string RawExchange(const QString& path, const std::string& bytes, int waitMs = 3000) {
  QLocalSocket s;
  s.connectToServer(path);
  if (!s.waitForConnected(1000)) return "no connection";
  s.write(bytes.data(), static_cast<qint64>(bytes.size()));
  s.flush();
  std::string answer;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < waitMs && s.state() == QLocalSocket::ConnectedState) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    s.waitForReadyRead(20);
    answer += s.readAll().toStdString();
    if (!answer.empty()) break;
  }
  return answer;
}

// The client side runs on a thread of its own so that this thread can serve.
ForwardResult Forward(const QString& path, const std::string& command) {
  auto result = std::async(std::launch::async, [path, command] { return ForwardToRunningInstance(path, command); });
  while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return result.get();
}

// Serves in this process while a second one (or a raw socket) talks to it.
struct Server {
  explicit Server(const QString& folder) : path(folder + "/kestrelon-instance") {
    EXPECT_EQ(server.Listen(path), CInstanceServer::ListenResult::Listening) << server.errorString().toStdString();
    server.SetHandler([this](const std::string& c) { received.push_back(c); });
  }
  QString path;
  CInstanceServer server;
  std::vector<std::string> received;
};

TEST(InstanceChannel, TheSocketIsTheUsersAlone) {
  Server s(PrivateFolder("mode"));
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(s.path).constData(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  struct stat folder {};
  ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(s.path).absolutePath()).constData(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
}

TEST(InstanceChannel, ForwardedRequestsReachTheHandler) {
  Server s(PrivateFolder("forward"));
  const std::string open = OpenCommandText("/home/ana/lesson 3.kna");
  EXPECT_EQ(Forward(s.path, open), ForwardResult::Delivered);
  EXPECT_EQ(Forward(s.path, std::string(kActivateCommand)), ForwardResult::Delivered);
  Settle(50);
  EXPECT_EQ(s.received, (std::vector<std::string>{open, std::string(kActivateCommand)}));
}

TEST(InstanceChannel, MalformedAndOversizedRequestsAreRefusedWithoutHarm) {
  Server s(PrivateFolder("refuse"));
  std::string oversized = "KNI1";
  oversized += std::string("\x00\x01\x00\x00", 4);  // 65536 bytes announced
  oversized += std::string(70000, 'a');
  EXPECT_EQ(RawExchange(s.path, "hello, is this the program?\n"), "R");
  EXPECT_EQ(RawExchange(s.path, oversized), "R");
  std::string bad = EncodeInstanceFrame(OpenCommandText("/a.kna"));
  bad[10] = '\x01';  // not the open command any more
  EXPECT_EQ(RawExchange(s.path, bad), "R");
  Settle(50);
  EXPECT_TRUE(s.received.empty());
  EXPECT_EQ(s.server.refusedCount(), 3);
  // Still serving.
  EXPECT_EQ(Forward(s.path, OpenCommandText("/b.kna")), ForwardResult::Delivered);
}

// Connections that never send anything cannot keep a real request out, however many.
TEST(InstanceChannel, IdleConnectionsDoNotBlockARealRequest) {
  for (int idle : {8, 40}) {
    SCOPED_TRACE(idle);
    Server s(PrivateFolder("idle"));
    std::vector<std::unique_ptr<QLocalSocket>> sockets;
    for (int i = 0; i < idle; ++i) {
      sockets.push_back(std::make_unique<QLocalSocket>());
      sockets.back()->connectToServer(s.path);
      ASSERT_TRUE(sockets.back()->waitForConnected(1000));
    }
    Settle(50);
    QElapsedTimer t;
    t.start();
    const std::string open = OpenCommandText("/home/ana/lesson 3.kna");
    EXPECT_EQ(Forward(s.path, open), ForwardResult::Delivered);
    EXPECT_LT(t.elapsed(), kRequestTimeoutMs) << "the request waited for idle connections to time out";
    Settle(50);
    EXPECT_EQ(s.received, std::vector<std::string>{open});
  }
}

// A program that does not answer at once is given a few seconds before a later launch
// decides it is gone.
TEST(InstanceChannel, ALaterLaunchWaitsForABusyProgram) {
  const QString folder = PrivateFolder("busy");
  const QString path = folder + "/kestrelon-instance";
  CInstanceServer server;
  ASSERT_EQ(server.Listen(path), CInstanceServer::ListenResult::Listening);
  std::vector<std::string> received;
  server.SetHandler([&](const std::string& c) { received.push_back(c); });
  // The program is busy (its event loop does not run) for the first second.
  auto result = std::async(std::launch::async, [path] {
    return HandOverToRunningInstance(path, std::string(kActivateCommand), kHandOverPatienceMs);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(kRequestTimeoutMs + 500));
  while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_EQ(result.get(), ForwardResult::Delivered);
  Settle(50);
  EXPECT_EQ(received, std::vector<std::string>{std::string(kActivateCommand)});
}

// Thousands of requests that each raise a notice: one notice dialog at a time, never one
// inside another, the same notice shown once with its count, the excess dropped.
TEST(InstanceChannel, AFloodOfRequestsRaisingNoticesShowsOneNoticeAtATime) {
  constexpr int kRequests = 5000;
  const NoticeHandler previousHandler = SetNoticeHandler({});
  InstallNoticeDialogs();
  Server s(PrivateFolder("flood"));
  int handled = 0;
  s.server.SetHandler([&](const std::string&) {
    ++handled;
    ShowNotice(str::kNoProgressFile);
  });
  std::future<int> flood;
  int depth = 0, deepest = 0;
  std::vector<QString> shown;
  const NoticePresenter previousPresenter = SetNoticePresenter([&](const NoticeShown& n) {
    deepest = std::max(deepest, ++depth);
    shown.push_back(n.text);
    // The learner leaves the first notice on screen while the flood comes in.
    if (shown.size() == 1)
      while (flood.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    --depth;
  });
  flood = std::async(std::launch::async, [path = s.path] {
    int delivered = 0;
    for (int i = 0; i < kRequests; ++i)
      if (ForwardToRunningInstance(path, OpenCommandText("/m/" + std::to_string(i) + ".kna")) ==
          ForwardResult::Delivered)
        ++delivered;
    return delivered;
  });
  QElapsedTimer t;
  t.start();
  while (flood.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready && t.elapsed() < 300000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  ASSERT_EQ(flood.wait_for(std::chrono::seconds(0)), std::future_status::ready);
  EXPECT_EQ(flood.get(), kRequests);
  Settle(100);
  EXPECT_EQ(deepest, 1);
  // The first request, then the waiting ones up to the limit; the rest were dropped.
  EXPECT_EQ(handled, 1 + kMaxWaitingTasks);
  ASSERT_EQ(shown.size(), 3u);
  const QString notice = QString::fromStdString(ProgramString(str::kNoProgressFile));
  EXPECT_EQ(shown[0], notice);
  EXPECT_EQ(shown[1], QString::fromStdString(ProgramString(str::kNoticesDropped)));
  EXPECT_EQ(shown[2], notice + "\n\nThis notice came " + QString::number(kMaxWaitingTasks) + " times.");
  SetNoticePresenter(previousPresenter);
  SetNoticeHandler(previousHandler);
}

TEST(InstanceChannel, AHalfSentRequestTimesOut) {
  Server s(PrivateFolder("slow"));
  const std::string frame = EncodeInstanceFrame(OpenCommandText("/a.kna"));
  QLocalSocket sock;
  sock.connectToServer(s.path);
  ASSERT_TRUE(sock.waitForConnected(1000));
  sock.write(frame.data(), 6);
  sock.flush();
  QElapsedTimer t;
  t.start();
  while (sock.state() == QLocalSocket::ConnectedState && t.elapsed() < kRequestTimeoutMs + 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sock.waitForDisconnected(20);
  }
  EXPECT_NE(sock.state(), QLocalSocket::ConnectedState);
  EXPECT_GE(t.elapsed(), kRequestTimeoutMs - 100);
  EXPECT_TRUE(s.received.empty());
}

TEST(InstanceChannel, StaleSocketFilesAreReplacedAndLiveOnesRespected) {
  const QString folder = PrivateFolder("stale");
  const QString path = folder + "/kestrelon-instance";
  {
    CInstanceServer first;
    ASSERT_EQ(first.Listen(path), CInstanceServer::ListenResult::Listening);
    CInstanceServer second;
    EXPECT_EQ(second.Listen(path), CInstanceServer::ListenResult::OtherInstance);
  }
  // A file left where nobody listens.
  kntest::WriteFileText(path.toStdString(), "left over");
  EXPECT_EQ(Forward(path, std::string(kActivateCommand)), ForwardResult::NoInstance);
  CInstanceServer again;
  EXPECT_EQ(again.Listen(path), CInstanceServer::ListenResult::Listening);
  EXPECT_EQ(Forward(folder + "/nobody-here", std::string(kActivateCommand)),
            ForwardResult::NoInstance);
}

TEST(InstanceChannel, AFolderOpenToOthersIsRefused) {
  const QString folder = PrivateFolder("open");
  std::filesystem::permissions(folder.toStdString(), std::filesystem::perms::owner_all |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::group_exec);
  CInstanceServer server;
  EXPECT_EQ(server.Listen(folder + "/kestrelon-instance"), CInstanceServer::ListenResult::Failed);
  EXPECT_FALSE(IsPrivateFolder(folder));
}

TEST(InstanceChannel, ASecondLaunchOfTheProgramHandsItsFileOverAndEnds) {
  const QString runtime = PrivateFolder("runtime");
  Server s(runtime);
  const char* binary = std::getenv("KN_BINARY_DIR");
  const QString program = binary ? QString::fromLocal8Bit(binary) + "/bin/kestrelon"
                                 : QCoreApplication::applicationDirPath() + "/../bin/kestrelon";
  ASSERT_TRUE(QFileInfo::exists(program)) << program.toStdString();
  const auto work = kntest::MakeTempDir("cwd");
  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", runtime);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  second.setWorkingDirectory(QString::fromStdString(work.string()));
  second.start(program, {"marks/lesson 3\nwith a newline \x01.kna"});
  // The first program answers while the second waits for it.
  QElapsedTimer t;
  t.start();
  while (second.state() != QProcess::NotRunning && t.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    second.waitForFinished(20);
  }
  ASSERT_EQ(second.state(), QProcess::NotRunning) << second.readAllStandardError().toStdString();
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
  Settle(50);
  const std::string expected = OpenCommandText((work / "marks" / "lesson 3\nwith a newline \x01.kna").string());
  EXPECT_EQ(s.received, std::vector<std::string>{expected});
}

}  // namespace
