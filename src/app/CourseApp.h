// The application object: runs the start-up sequence, owns the program-wide services,
// the main frame, the Welcome window and the student progress document, handles the
// commands that belong to no window (New, Open, recent files, Print Setup, Exit, About,
// Preferences, help), takes requests from later launches of the program, and shuts down
// in order.
//
// It lives beside the QApplication, which main() (or a test) creates first.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/ProgramServices.h"
#include "course/ActivityLocator.h"
#include "shell/CommandLine.h"
#include "shell/CommandTarget.h"
#include "shell/CourseProgram.h"

class ActionWindowPart;
class QWidget;
class CInstanceServer;
class CMainFrame;
class CScreenSaverInhibitor;
class CSplashDlg;
class CStartupDlg;
class CStatsDoc;
class CStatsDocTemplate;
class CWindowPartBridge;
class ProgramMarkerHost;
class QSettings;

class CCourseApp : public QObject, public CommandTarget, public CourseProgram {
 public:
  // What start-up takes from its surroundings; tests replace parts of it.
  struct Environment {
    std::function<Qt::KeyboardModifiers()> modifiers;  // keys held at start-up (default: the keyboard's)
    std::function<QSize()> desktopSize;                // the desktop's client area (default: the primary screen's)
    ProgramServices::MovieStarter startMovies;         // default: MovieSupport::Start
    std::function<bool()> welcomeMovie;                // whether the Welcome window plays a movie
                                                       // (default: its movie is found)
    ProgramServices::SoundOutputMaker soundOutput;     // default: the system's sound device
    bool singleInstance = true;                        // listen for later launches
    QString socketPath;                                // default: InstanceSocketPath()
    QString version;                                   // "major.minor.patch"
  };

  CCourseApp(CommandLine commandLine, Environment environment);
  ~CCourseApp() override;

  static CCourseApp* Instance();

  // Runs start-up. False when the program must end at once with exitCode().
  bool Startup();
  int exitCode() const { return m_exitCode; }
  // The exit sequence after the main frame has closed: movie support is shut down; the
  // services are deleted with the application object.
  void Exit();

  CMainFrame* frame() const override { return m_frame.get(); }
  CSplashDlg* welcome() const;
  QWidget* welcomeWindow() const override;
  ProgramServices& services() { return m_services; }
  CInstanceServer* instanceServer() const { return m_server.get(); }
  bool smallScreen() const { return m_smallScreen; }
  // The clipboard format of bookmarks: the application name and " Bookmark".
  const QString& bookmarkClipboardFormat() const { return m_bookmarkFormat; }
  // Activities that finished while the Lesson Book was not active; the Lesson Book
  // applies and empties it when it is activated.
  std::vector<ActivityLocator>& completedQueue() override { return m_completedQueue; }

  // ---- the student progress document ----
  // The template of student progress files (made at start-up); null before.
  CStatsDocTemplate* docTemplate() const override { return m_template.get(); }
  CStatsDoc* document() const override;
  // A progress file is open: a document exists or the Lesson Book window does.
  bool StudentFileOpen() const;
  // Closes the document (the Lesson Book closed): the record is reset.
  void CloseDocument() override;
  // Asked before the Lesson Book closes: offers to save work that is not on disc. False
  // when the learner chose to keep the book open (or the save failed).
  bool SaveModified() override;
  CWindowPartBridge* windowPart() const { return m_windows.get(); }

  // ---- requests from the shell and later launches ----
  // A file given to the program (command line, dropped on the frame): marker (.kna) and
  // bookmark (.mrk) files go to the marker opener, anything else opens as a student
  // progress file. False when that failed.
  bool OpenFileFromShell(const std::filesystem::path& path);
  // A command text "[open("PATH")]" or "[activate]": the main frame comes forward and an
  // open request goes to the marker opener of the learner records.
  void HandleShellCommand(const std::string& command);
  // How the activity a marker names is shown (the launcher's locate mode): set by the
  // activity launcher.
  static void SetActivityLocator(std::function<void(const ActivityLocator&)> locate);
  // Opens the Lesson Book at a locator (or brings it forward) and returns it, null when it
  // cannot: set by the Lesson Book. Opening or creating a progress file and restoring its
  // windows go through it.
  static void SetLessonBookOpener(std::function<QWidget*(const ActivityLocator&)> open);
  // Starts the activity of a window record of a progress file (the launcher, without
  // turning the Lesson Book) and returns its window, null when it cannot: set by the
  // launcher before start-up, so that a file named on the command line gets its windows.
  static void SetWindowLauncher(std::function<QWidget*(const ActivityLocator&)> launch);

  // Commands of the application that other subsystems carry out (9040, the tips dialog):
  // a command without a handler is disabled.
  struct CommandHandler {
    std::function<void()> run;
    std::function<bool()> enabled;  // empty: always enabled
  };
  static void SetCommandHandler(int id, CommandHandler handler);

  // ---- idle ----
  // One idle pass: commands brought up to date; from the second pass on, the Welcome
  // window comes while no progress file is open and goes when one is.
  void IdlePass();
  int idlePasses() const { return m_idlePasses; }

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  // The commands, for the menus and tests.
  void NewStudentFile();
  bool OpenStudentFile(const std::filesystem::path& path);
  // Save (57603) writes the open progress file to its path, asking for one when it has
  // none; Save As (57604) always asks. False when nothing was written.
  bool SaveStudentFile(bool askName);
  void ShowAbout();
  void ShowHelp();
  void ShowExploreHelp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The steps of Startup, in their order.
  void ListenForLaterLaunches();
  QString NameTheApplication();
  void ShowStartupSplash();
  void LoadPreferences();
  void MakeMainFrame(const QString& appName);
  void TakeMarkerRequests(const QString& appName);
  bool OpenFileOfCommandLine();
  void StopWaiting();
  void StartRunning();

  void ScheduleIdle();
  bool ProcessShellCommandOfCommandLine();
  void ShowFrame();
  void LayOutHiddenFrame();
  bool OnFrameClose();
  void OnApplicationStateChanged(Qt::ApplicationState state);
  std::unique_ptr<QSettings> Profile() const;
  void MakeDocTemplate();
  void UpdateTitleAndRecentFiles();

  CommandLine m_commandLine;
  Environment m_env;
  ProgramServices m_services;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<CStartupDlg> m_splash;
  QPointer<CSplashDlg> m_welcome;
  std::unique_ptr<CInstanceServer> m_server;
  std::unique_ptr<CScreenSaverInhibitor> m_screenSaver;
  std::unique_ptr<CStatsDocTemplate> m_template;
  std::unique_ptr<CWindowPartBridge> m_windows;
  std::unique_ptr<ActionWindowPart> m_windowPart;
  std::unique_ptr<ProgramMarkerHost> m_markerHost;
  std::vector<ActivityLocator> m_completedQueue;
  QString m_bookmarkFormat;
  bool m_smallScreen = false;
  bool m_idleScheduled = false;
  bool m_exited = false;
  int m_idlePasses = 0;
  int m_exitCode = 0;
};
