#include "app/CourseApp.h"

#include <QtCore/QDateTime>
#include <cstdio>
#include <QtCore/QDir>
#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtGui/QResizeEvent>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QPushButton>

#include "app/SplashDlg.h"
#include "app/WindowPartBridge.h"
#include "app/Wiring.h"
#include "audio/SoundService.h"
#include "course/AsciiCase.h"
#include "course/ContentsServices.h"
#include "course/StringIds.h"
#include "records/MarkerFile.h"
#include "records/StatsDoc.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentRecord.h"
#include "records/WindowPart.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "contentsbar/ContentsBar.h"
#include "course/CommandIds.h"
#include "records/MarkerFile.h"
#include "records/StatsDoc.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentRecord.h"
#include "records/WindowPart.h"
#include "shell/BookmarksBar.h"
#include "shell/CoreToolBar.h"
#include "shell/InstanceChannel.h"
#include "shell/InstanceMessage.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/ScreenSaverInhibitor.h"
#include "shell/ShellServices.h"
#include "shell/StartupDlg.h"
#include "shell/WindowTools.h"
#include "stats/Random.h"

namespace {

CCourseApp* g_app = nullptr;

std::function<void(const ActivityLocator&)>& ActivityLocate() {
  static std::function<void(const ActivityLocator&)> locate;
  return locate;
}

std::function<QWidget*(const ActivityLocator&)>& LessonBookOpener() {
  static std::function<QWidget*(const ActivityLocator&)> open;
  return open;
}

std::function<QWidget*(const ActivityLocator&)>& WindowLauncher() {
  static std::function<QWidget*(const ActivityLocator&)> launch;
  return launch;
}

bool IsSmallScreen(const QSize& desktop) { return desktop.width() <= 640 && desktop.height() <= 480; }

}  // namespace

CCourseApp* CCourseApp::Instance() { return g_app; }

CCourseApp::CCourseApp(CommandLine commandLine, Environment environment)
    : m_commandLine(std::move(commandLine)), m_env(std::move(environment)) {
  g_app = this;
  Register(this);
  if (!m_env.modifiers) m_env.modifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
  if (!m_env.welcomeMovie) m_env.welcomeMovie = [] {
    std::filesystem::path path;
    return CSplashDlg::FindWelcomeMovie(path);
  };
  if (!m_env.desktopSize) m_env.desktopSize = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
  };
}

CCourseApp::~CCourseApp() {
  qApp->removeEventFilter(this);
  DisconnectPreferencesFromWindows();
  m_welcome.clear();
  m_screenSaver.reset();
  m_server.reset();
  if (StudentRecord* record = Service<StudentRecord>()) DisconnectBookmarksFromWindows(*record);
  m_template.reset();
  m_windowPart.reset();
  m_windows.reset();
  m_frame.reset();
  m_services.DestroyAll();
  if (g_app == this) g_app = nullptr;
  Unregister(this);
}

void CCourseApp::SetActivityLocator(std::function<void(const ActivityLocator&)> locate) {
  ActivityLocate() = std::move(locate);
}

void CCourseApp::SetLessonBookOpener(std::function<QWidget*(const ActivityLocator&)> open) {
  LessonBookOpener() = std::move(open);
}

void CCourseApp::SetWindowLauncher(std::function<QWidget*(const ActivityLocator&)> launch) {
  WindowLauncher() = std::move(launch);
  if (g_app && g_app->m_windows) g_app->m_windows->launch = WindowLauncher();
}

bool CCourseApp::Startup() {
  ListenForLaterLaunches();
  const QString appName = NameTheApplication();
  ShowStartupSplash();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  SeedRandom(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
  m_smallScreen = IsSmallScreen(m_env.desktopSize());
  LoadPreferences();
  // The movie library is bound now only for a Welcome window that plays a movie.
  const auto movieStart = m_env.welcomeMovie() ? ProgramServices::MovieStart::WithServices
                                                : ProgramServices::MovieStart::AtFirstMovie;
  if (const int notice = m_services.CreateCourseServices(m_env.startMovies, m_env.soundOutput, movieStart)) {
    StopWaiting();
    ShowNotice(notice);
    m_exitCode = 0;
    return false;
  }
  MakeMainFrame(appName);
  ConnectPreferencesToWindows();
  MakeDocTemplate();
  TakeMarkerRequests(appName);
  if (!OpenFileOfCommandLine()) {
    StopWaiting();
    m_exitCode = 1;
    return false;
  }
  if (m_smallScreen && !FindLessonBook()) ShowNotice(str::kSmallScreen);
  ShowFrame();
  StopWaiting();
  StartRunning();
  return true;
}

// Later launches of the program hand their requests over a local socket.
void CCourseApp::ListenForLaterLaunches() {
  if (!m_env.singleInstance) return;
  m_server = std::make_unique<CInstanceServer>();
  const QString path = m_env.socketPath.isEmpty() ? InstanceSocketPath() : m_env.socketPath;
  switch (m_server->Listen(path)) {
    case CInstanceServer::ListenResult::Listening:
      m_server->SetHandler([this](const std::string& command) { HandleShellCommand(command); });
      break;
    case CInstanceServer::ListenResult::OtherInstance:
      m_server.reset();
      break;
    case CInstanceServer::ListenResult::Failed:
      m_server.reset();
      ShowNotice(str::kLinkingUnavailable);
      break;
  }
}

// The personality names the application.
QString CCourseApp::NameTheApplication() {
  m_services.CreatePersonality();
  const QString appName = ApplicationName();
  QGuiApplication::setApplicationDisplayName(appName);
  return appName;
}

// The start-up splash, unless the program starts hidden or minimised.
void CCourseApp::ShowStartupSplash() {
  if (!SplashWanted(m_commandLine)) return;
  m_splash = std::make_unique<CStartupDlg>();
  m_splash->ShowNow();
}

// Ctrl and Shift held together: start from the default preferences.
void CCourseApp::LoadPreferences() {
  const Qt::KeyboardModifiers held = m_env.modifiers();
  const bool skipSaved = (held & Qt::ControlModifier) && (held & Qt::ShiftModifier);
  m_services.CreatePreferences(!skipSaved);
}

// The main frame with its bars, laid out as the learner left them.
void CCourseApp::MakeMainFrame(const QString& appName) {
  CMainFrame::Options options;
  options.smallScreen = m_smallScreen;
  options.appName = appName;
  m_frame = std::make_unique<CMainFrame>(options);
  m_frame->SetApplicationTarget(this);
  m_frame->RewriteMenus();
  m_frame->SetCloseHandler([this] { return OnFrameClose(); });
  m_frame->SetFileDropHandler([this](const QStringList& paths) {
    for (const QString& p : paths) OpenFileFromShell(p.toStdString());
  });
  if (auto profile = Profile()) m_frame->RestoreBarLayout(*profile);
  m_frame->accessoriesBar()->SetExplorePicture(PersonalityPicture(kExploreIconPicture));
}

// The marker opener for the shell's open requests, the bookmark clipboard format, and
// the completed activities applied when the program is switched back to.
void CCourseApp::TakeMarkerRequests(const QString& appName) {
  m_markerHost = std::make_unique<ProgramMarkerHost>();
  m_markerHost->progressFileOpen = [] { return FindLessonBook() != nullptr; };
  m_markerHost->activateAndLocate = [this](const ActivityLocator& locator) {
    BringToFront(m_frame.get());
    if (ActivityLocate()) ActivityLocate()(locator);
  };
  m_bookmarkFormat = appName + QStringLiteral(" Bookmark");
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState s) { OnApplicationStateChanged(s); });
}

// The file of the command line. Its windows are placed inside the frame's window area,
// which has a size only once the frame is laid out: the hidden frame takes the size it
// is about to be shown at first.
bool CCourseApp::OpenFileOfCommandLine() {
  if (!m_commandLine.file.empty()) LayOutHiddenFrame();
  return ProcessShellCommandOfCommandLine();
}

void CCourseApp::StopWaiting() {
  m_splash.reset();
  QGuiApplication::restoreOverrideCursor();
}

// The frame is up: the tips if the learner wants them, no screen saver while the course
// runs, and idle processing from now on.
void CCourseApp::StartRunning() {
  if (const Preferences* prefs = Service<Preferences>(); prefs && prefs->showTips)
    QMetaObject::invokeMethod(m_frame.get(), [this] { m_frame->RouteCommand(cmd::kTips); }, Qt::QueuedConnection);
  m_screenSaver = std::make_unique<CScreenSaverInhibitor>("An interactive course is running");
  qApp->installEventFilter(this);
  ScheduleIdle();
}

void CCourseApp::LayOutHiddenFrame() {
  const CommandLine::ShowState state = FrameShowState(m_commandLine);
  if (state == CommandLine::ShowState::Maximized) m_frame->resize(m_env.desktopSize());
  m_frame->ensurePolished();
  if (QLayout* layout = m_frame->layout()) layout->activate();
  // A hidden widget hears of its new size only when shown; the window area lays out its
  // viewport now.
  if (QMdiArea* area = m_frame->mdiArea()) {
    QResizeEvent resized(area->size(), QSize());
    QCoreApplication::sendEvent(area, &resized);
  }
}

void CCourseApp::ShowFrame() {
  switch (FrameShowState(m_commandLine)) {
    case CommandLine::ShowState::Hidden:
      break;
    case CommandLine::ShowState::Minimized:
      m_frame->showMinimized();
      break;
    case CommandLine::ShowState::Normal:
      m_frame->showNormal();
      break;
    default:
      m_frame->showMaximized();
      break;
  }
  m_frame->PlaceTearBars();
  m_frame->UpdateCommandUI();
}

bool CCourseApp::ProcessShellCommandOfCommandLine() {
  if (m_commandLine.file.empty()) return true;
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::absolute(m_commandLine.file, ec);
  return OpenFileFromShell(ec ? std::filesystem::path(m_commandLine.file) : path.lexically_normal());
}

bool CCourseApp::OpenFileFromShell(const std::filesystem::path& path) {
  const std::string ext = path.extension().string();
  // Marker and bookmark files go to the marker opener, as when the shell sends them.
  if (EqualNoCase(ext, ".kna") || EqualNoCase(ext, ".mrk")) {
    HandleShellCommand(OpenCommandText(path.string()));
    return true;
  }
  return OpenStudentFile(path);
}

void CCourseApp::Exit() {
  if (m_exited) return;
  m_exited = true;
  m_services.ShutdownMovieSupport();
}

CSplashDlg* CCourseApp::welcome() const { return m_welcome.data(); }

QWidget* CCourseApp::welcomeWindow() const { return welcome(); }

CStatsDoc* CCourseApp::document() const { return m_template ? m_template->document() : nullptr; }

bool CCourseApp::StudentFileOpen() const { return document() != nullptr || FindLessonBook() != nullptr; }

bool CCourseApp::SaveModified() {
  const bool mayClose = !m_template || m_template->SaveModified();
  UpdateTitleAndRecentFiles();
  return mayClose;
}

void CCourseApp::CloseDocument() {
  if (m_template) m_template->CloseDocument();
  UpdateTitleAndRecentFiles();
  ScheduleIdle();
}

void CCourseApp::MakeDocTemplate() {
  m_template = std::make_unique<CStatsDocTemplate>();
  // A change of the preferences that carries the previous record has already been
  // broadcast by the preferences-changed hook; it goes to the windows once.
  m_template->notify = [](int code, void* data) {
    if (code == kNotifyPreferences && data) return;
    NotifyAll(code, data);
  };
  m_template->skipSettingsHeld = [this] {
    const Qt::KeyboardModifiers held = m_env.modifiers();
    return (held & Qt::ControlModifier) && (held & Qt::ShiftModifier);
  };
  m_windows = std::make_unique<CWindowPartBridge>(*m_frame);
  if (WindowLauncher()) m_windows->launch = WindowLauncher();
  if (LessonBookOpener()) {
    // The book a file's window records opened stays at their page and in their order; only
    // a file without one gets the book, at the first page.
    m_template->createLessonBook = [] {
      return FindLessonBook() != nullptr || LessonBookOpener()(ActivityLocator(0, 0, -1)) != nullptr;
    };
    m_windows->openLessonBook = [](const ActivityLocator& locator) { return LessonBookOpener()(locator); };
  }
  if (Preferences* prefs = Service<Preferences>()) {
    m_windowPart = std::make_unique<ActionWindowPart>(
        *prefs,
        [this, prefs] { return CollectWindowPart(m_windows->OpenCourseWindows(), m_windows->OpenBars(), *prefs); },
        m_windows->RestoreActions());
    m_template->windows = m_windowPart.get();
  }
  if (StudentRecord* record = Service<StudentRecord>()) ConnectBookmarksToWindows(*record);
  UpdateTitleAndRecentFiles();
}

void CCourseApp::UpdateTitleAndRecentFiles() {
  if (!m_frame) return;
  QString title = ApplicationName();
  if (const CStatsDoc* doc = document()) {
    const QString name = doc->path().empty() ? m_template->strings().newFileName
                                             : QString::fromStdString(doc->path().filename().string());
    title += QStringLiteral(" - ") + name;
  }
  if (m_frame->windowTitle() != title) m_frame->setWindowTitle(title);
  m_frame->SetRecentFiles(m_template ? m_template->RecentFiles() : QStringList());
}

// ---- recent files ----

std::unique_ptr<QSettings> CCourseApp::Profile() const {
  Preferences::RestrictProfile(Preferences::ProfilePath());
  return std::make_unique<QSettings>(QString::fromStdString(Preferences::ProfilePath().string()),
                                     QSettings::IniFormat);
}

// ---- requests from the shell ----

void CCourseApp::HandleShellCommand(const std::string& command) {
  if (m_frame) BringToFront(m_frame.get());
  if (command == kActivateCommand) return;
  if (m_markerHost) OpenMarker(command, *m_markerHost);
}

// ---- idle ----

void CCourseApp::ScheduleIdle() {
  if (m_idleScheduled) return;
  m_idleScheduled = true;
  QTimer::singleShot(0, this, [this] {
    m_idleScheduled = false;
    IdlePass();
  });
}

bool CCourseApp::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Close:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowActivate:
      ScheduleIdle();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void CCourseApp::IdlePass() {
  if (!m_frame) return;
  ++m_idlePasses;
  UpdateTitleAndRecentFiles();
  m_frame->UpdateCommandUI();
  if (m_idlePasses < 2) {
    ScheduleIdle();
    return;
  }
  const bool open = StudentFileOpen();
  if (!open && !m_welcome) {
    auto* welcome = new CSplashDlg(m_frame.get());
    QRect r(QPoint(0, 0), welcome->size());
    r.moveCenter(m_frame->geometry().center());
    welcome->move(r.topLeft());
    welcome->show();
    m_welcome = welcome;
  } else if (open && m_welcome) {
    m_welcome->close();
    m_welcome.clear();
  }
  if (m_welcome) {
    // The Welcome window's buttons follow their commands' state.
    for (int id : {cmd::kOpen, cmd::kNew, cmd::kExit})
      if (QWidget* b = m_welcome->button(id)) b->setEnabled(m_frame->QueryCommand(id).enabled);
  }
  if (m_commandLine.exitWhenIdle && m_welcome) QCoreApplication::exit(0);
  // A screenshot shows the Welcome window, or the Lesson Book of a student file opened
  // from the command line.
  if (!m_commandLine.screenshot.empty() && (m_welcome || open)) {
    const QString file = QString::fromStdString(m_commandLine.screenshot);
    m_commandLine.screenshot.clear();
    QTimer::singleShot(1000, this, [this, file] {
      const bool ok = SaveFrameScreenshot(*m_frame, file);
      if (!ok) std::fprintf(stderr, "kestrelon: cannot write %s\n", qPrintable(file));
      QCoreApplication::exit(ok ? 0 : 1);
    });
  }
}

void CCourseApp::OnApplicationStateChanged(Qt::ApplicationState state) {
  if (state != Qt::ApplicationActive) {
    // Leave the sound device to the program switched to.
    ReleaseSoundDevice();
    return;
  }
  if (m_completedQueue.empty()) return;
  if (auto* book = dynamic_cast<LessonBookLink*>(FindLessonBook())) book->OnChildActivate();
}

bool CCourseApp::OnFrameClose() {
  // Unsaved work is settled before any window closes, so that Cancel leaves them all open.
  if (!SaveModified()) return false;
  if (auto profile = Profile()) {
    m_frame->SaveBarLayout(*profile);
    profile->sync();
  }
  if (Preferences* prefs = Service<Preferences>(); prefs && prefs->changed()) prefs->SaveProfile();
  if (m_welcome) {
    m_welcome->close();
    m_welcome.clear();
  }
  return true;
}
