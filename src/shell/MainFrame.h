// The main frame: the program's outermost window, a QMainWindow whose central widget is
// the window area (QMdiArea) holding every course window. It owns the menus, the status
// bar, the three fixed toolbars and the four tear-off bars, runs commands through the
// command chain (shell/CommandTarget.h), and is the root of the course notification.
// There is one main frame; Instance() finds it.
#pragma once

#include <initializer_list>

#include <QtWidgets/QMainWindow>
#include <array>
#include <functional>
#include <map>

#include "shell/CommandTarget.h"
#include "shell/CourseNotify.h"

class CAccToolBar;
class CCoreStatusBar;
class CCoreToolBar;
class CMainToolBar;
class CNavToolBar;
class CStatsDockWnd;
class CTearToolBar;
class QAction;
class QMdiArea;
class QMenu;
class QSettings;

class CMainFrame : public QMainWindow, public CourseNotifyTarget, public CommandTarget {
 public:
  struct Options {
    bool smallScreen = false;  // the desktop is at most 640 by 480: bars stack on the left
    QString appName = QStringLiteral("Kestrelon");
  };
  explicit CMainFrame(const Options& options, QWidget* parent = nullptr);
  ~CMainFrame() override;

  static CMainFrame* Instance();

  QMdiArea* mdiArea() const { return m_mdi; }
  CCoreStatusBar* statusPane() const { return m_status; }
  CMainToolBar* mainToolBar() const { return m_mainBar; }
  CNavToolBar* navigationBar() const { return m_navBar; }
  CAccToolBar* accessoriesBar() const { return m_accBar; }
  bool smallScreen() const { return m_smallScreen; }
  const QString& appName() const { return m_appName; }

  // The tear-off bars in the order Table of Contents, Index, Glossary, Bookmarks.
  const std::array<CStatsDockWnd*, 4>& tearBars() const { return m_tearBars; }
  CStatsDockWnd* tearBar(int id) const;

  // ---- commands ----
  // The action of a command id (menus, bars and shortcuts share it); null for an id the
  // program does not know.
  QAction* action(int id) const;
  // Runs id through the command chain: the focused window's targets, the active course
  // window's view and window, the frame, the application. False when none handled it.
  bool RouteCommand(int id);
  CommandState QueryCommand(int id);
  // Brings every action's enabled state, check mark and text up to date.
  void UpdateCommandUI();
  // The last target of the chain (the application object).
  void SetApplicationTarget(CommandTarget* target) { m_appTarget = target; }
  // Sets the texts of the personality's seven menu items (see course/CourseWindows.h).
  void RewriteMenus();
  // The recent-file entries of the File menu (at most four, display paths).
  void SetRecentFiles(const QStringList& paths);

  // ---- bars ----
  bool barVisible(int id) const;
  // Shows or hides a fixed toolbar, the status bar (59393) or a tear-off bar.
  void SetBarVisible(int id, bool visible);
  // The frame's client area not covered by docked bars, in screen coordinates.
  QRect FreeClientArea() const;
  // Floats each tear-off bar where it was last (the window table under its placement
  // key) or at its default place below the toolbars; call once the frame is shown.
  void PlaceTearBars();
  // The saved dock layout, profile section "ToolBars".
  void RestoreBarLayout(QSettings& profile);
  void SaveBarLayout(QSettings& profile) const;

  // The content of a tear-off bar (id 9088, 9095, 9093 or 9087) is made by the subsystem
  // that owns it; register its maker before the frame is created. Without one the bar
  // is an empty CTearToolBar.
  static void SetTearBarFactory(int id, std::function<CTearToolBar*()> make);

  // Files dropped on the frame (local paths) go to handler.
  void SetFileDropHandler(std::function<void(const QStringList& paths)> handler) { m_dropHandler = std::move(handler); }

  // Called when the frame is asked to close, before it closes its windows; false keeps
  // the frame open (the application saves its state here).
  void SetCloseHandler(std::function<bool()> handler) { m_closeHandler = std::move(handler); }

  void OnCourseNotify(int code, void* data) override;
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  struct MenuItem;
  void FillMenu(QMenu* menu, std::initializer_list<MenuItem> items);
  void BuildFileMenu(QMenu* file);
  void BuildEditMenu(QMenu* edit);
  void BuildViewMenu(QMenu* view);
  void BuildGoMenu(QMenu* go);
  void BuildActivitiesMenu(QMenu* activities);
  void BuildWindowMenu(QMenu* window);
  void ListOpenWindows(QAction* separator);
  void BuildHelpMenu(QMenu* help);
  void BuildBars();
  QAction* MakeAction(int id, const QString& text, const QKeySequence& key = {});
  void ToggleTearBar(int id);

  QMdiArea* m_mdi = nullptr;
  CCoreStatusBar* m_status = nullptr;
  CMainToolBar* m_mainBar = nullptr;
  CNavToolBar* m_navBar = nullptr;
  CAccToolBar* m_accBar = nullptr;
  std::array<CStatsDockWnd*, 4> m_tearBars{};
  std::map<int, QAction*> m_actions;
  QMenu* m_fileMenu = nullptr;
  QMenu* m_windowMenu = nullptr;
  QAction* m_recentSeparator = nullptr;
  CommandTarget* m_appTarget = nullptr;
  std::function<bool()> m_closeHandler;
  std::function<void(const QStringList&)> m_dropHandler;
  bool m_smallScreen = false;
  QString m_appName;
};
