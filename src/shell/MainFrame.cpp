#include "shell/MainFrame.h"

#include <QtGui/QAction>
#include <QtCore/QMimeData>
#include <QtGui/QCloseEvent>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QWhatsThis>

#include "course/CoursePersonality.h"
#include "course/CourseWindows.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/CommandIds.h"
#include "shell/CoreStatusBar.h"
#include "shell/CoreToolBar.h"
#include "shell/CoreView.h"
#include "shell/CoreWnd.h"
#include "shell/ProgramArt.h"
#include "shell/StatsDockWnd.h"
#include "shell/WindowTools.h"

namespace {
CMainFrame* g_frame = nullptr;
constexpr int kRecentCount = 4;
}  // namespace

CMainFrame* CMainFrame::Instance() { return g_frame; }

CMainFrame::CMainFrame(const Options& options, QWidget* parent)
    : QMainWindow(parent), m_smallScreen(options.smallScreen), m_appName(options.appName) {
  g_frame = this;
  setObjectName(QStringLiteral("MainFrame"));
  setWindowTitle(m_appName);
  // The program's icon, which the course windows inside the frame show too.
  const QIcon icon(ProgramPixmap("icon", ico::kProgram, QSize(256, 256), 1.0));
  QApplication::setWindowIcon(icon);
  setWindowIcon(icon);
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
  m_mdi = new QMdiArea(this);
  m_mdi->setObjectName(QStringLiteral("WindowArea"));
  m_mdi->setBackground(QColor(0x5b, 0x6b, 0x7d));
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdi);
  BuildMenus();
  BuildBars();
  connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandUI(); });
  setAcceptDrops(true);
  resize(1024, 768);
}

CMainFrame::~CMainFrame() {
  if (g_frame == this) g_frame = nullptr;
  // The windows and bars go with the QWidget base, after the members: nothing may reach
  // back into the frame from there.
  disconnect(m_mdi, nullptr, this, nullptr);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) disconnect(menu, nullptr, this, nullptr);
  m_appTarget = nullptr;
  m_closeHandler = nullptr;
  m_dropHandler = nullptr;
}

CStatsDockWnd* CMainFrame::tearBar(int id) const {
  for (CStatsDockWnd* bar : m_tearBars)
    if (bar && bar->info().id == id) return bar;
  return nullptr;
}

// ---- menus ----

QAction* CMainFrame::MakeAction(int id, const QString& text, const QKeySequence& key) {
  auto* a = new QAction(text, this);
  a->setData(id);
  a->setObjectName(QStringLiteral("Command%1").arg(id));
  if (!key.isEmpty()) a->setShortcut(key);
  const QIcon icon = ProgramIcon(id);
  if (!icon.isNull()) a->setIcon(icon);
  connect(a, &QAction::triggered, this, [this, id] { RouteCommand(id); });
  m_actions[id] = a;
  return a;
}

QAction* CMainFrame::action(int id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

// One command of a menu; a zero id is a separator.
struct CMainFrame::MenuItem {
  int id;
  const char* text;
  QKeySequence key;
};

void CMainFrame::FillMenu(QMenu* menu, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item.id == 0)
      menu->addSeparator();
    else
      menu->addAction(MakeAction(item.id, QString::fromUtf8(item.text), item.key));
  }
}

void CMainFrame::BuildMenus() {
  QMenuBar* bar = menuBar();
  BuildFileMenu(bar->addMenu(tr("&File")));
  BuildEditMenu(bar->addMenu(tr("&Edit")));
  BuildViewMenu(bar->addMenu(tr("&View")));
  BuildGoMenu(bar->addMenu(tr("&Go")));
  BuildActivitiesMenu(bar->addMenu(tr("&Activities")));
  BuildWindowMenu(bar->addMenu(tr("&Window")));
  BuildHelpMenu(bar->addMenu(tr("&Help")));
  for (QMenu* menu : bar->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
}

void CMainFrame::BuildFileMenu(QMenu* file) {
  using namespace cmd;
  m_fileMenu = file;
  FillMenu(file, {{kNew, "&New Student", QKeySequence(Qt::CTRL | Qt::Key_N)},
                  {kOpen, "&Open Student File...", QKeySequence(Qt::CTRL | Qt::Key_O)},
                  {kClose, "&Close", {}},
                  {kSave, "&Save Student File", QKeySequence(Qt::CTRL | Qt::Key_S)},
                  {kSaveAs, "Save Student File &As...", {}},
                  {0, nullptr, {}},
                  {kPrint, "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P)},
                  {kPrintPreview, "Print Pre&view", {}},
                  {kPrintSetup, "P&rint Setup...", {}}});
  // The recent files, hidden until there are some.
  m_recentSeparator = file->addSeparator();
  for (int i = 0; i < kRecentCount; ++i) {
    QAction* a = MakeAction(kRecentFirst + i, QString());
    a->setIcon(QIcon());
    a->setVisible(false);
    file->addAction(a);
  }
  m_recentSeparator->setVisible(false);
  file->addSeparator();
  FillMenu(file, {{kExit, "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q)}});
}

void CMainFrame::BuildEditMenu(QMenu* edit) {
  using namespace cmd;
  FillMenu(edit, {{kUndo, "Can't Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
                  {0, nullptr, {}},
                  {kCut, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X)},
                  {kCopy, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
                  {kPaste, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V)},
                  {0, nullptr, {}},
                  {kFind, "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
                  {kFindNext, "Find &Next", QKeySequence(Qt::Key_F3)},
                  {0, nullptr, {}},
                  {kPreferences, "P&references...", {}}});
}

void CMainFrame::BuildViewMenu(QMenu* view) {
  using namespace cmd;
  FillMenu(view, {{kMainToolBar, "&Main Toolbar", {}},
                  {kNavigationBar, "&Navigation Bar", {}},
                  {kAccessoriesBar, "&Accessories Bar", {}},
                  {kStatusBar, "&Status Bar", {}},
                  {0, nullptr, {}},
                  {kContentsBar, "Table of &Contents", QKeySequence(Qt::CTRL | Qt::Key_T)},
                  {kIndexBar, "&Index", QKeySequence(Qt::CTRL | Qt::Key_I)},
                  {kGlossaryBar, "&Glossary", QKeySequence(Qt::CTRL | Qt::Key_G)},
                  {kBookmarksBar, "&Bookmarks", QKeySequence(Qt::CTRL | Qt::Key_B)}});
  for (int id : {kMainToolBar, kNavigationBar, kAccessoriesBar, kStatusBar, kContentsBar, kIndexBar, kGlossaryBar,
                 kBookmarksBar})
    action(id)->setCheckable(true);
}

void CMainFrame::BuildGoMenu(QMenu* go) {
  using namespace cmd;
  FillMenu(go, {{kFirstPage, "&First Page", QKeySequence(Qt::CTRL | Qt::Key_0)},
                {kPreviousLesson, "Previous &Lesson", QKeySequence(Qt::CTRL | Qt::Key_1)},
                {kPreviousPage, "&Previous Page", QKeySequence(Qt::CTRL | Qt::Key_2)},
                {kGoTo, "&Go To Page...", QKeySequence(Qt::CTRL | Qt::Key_5)},
                {kNextPage, "&Next Page", QKeySequence(Qt::CTRL | Qt::Key_3)},
                {kNextLesson, "Next L&esson", QKeySequence(Qt::CTRL | Qt::Key_4)}});
  // The same digits on the numeric keypad.
  for (auto [id, key] : {std::pair{kFirstPage, Qt::Key_0}, {kPreviousLesson, Qt::Key_1}, {kPreviousPage, Qt::Key_2},
                         {kGoTo, Qt::Key_5}, {kNextPage, Qt::Key_3}, {kNextLesson, Qt::Key_4}}) {
    QAction* a = action(id);
    a->setShortcuts({a->shortcut(), QKeySequence(Qt::CTRL | Qt::KeypadModifier | key)});
  }
}

void CMainFrame::BuildActivitiesMenu(QMenu* activities) {
  using namespace cmd;
  FillMenu(activities, {{kLaunchExplore, "&Launch Explore", {}},
                        {kHomework, "&Homework", {}},
                        {kProjects, "&Projects", {}},
                        {kWeb, "&Web", {}},
                        {0, nullptr, {}},
                        {kTool1, "Tool &1", {}},
                        {kTool2, "Tool &2", {}},
                        {0, nullptr, {}},
                        {kListDatasets, "List Datasets", {}}});
}

void CMainFrame::BuildWindowMenu(QMenu* window) {
  using namespace cmd;
  m_windowMenu = window;
  FillMenu(window, {{kCascade, "&Cascade", {}},
                    {kTile, "&Tile", {}},
                    {kArrangeIcons, "&Arrange Icons", {}},
                    {kCreateNewView, "&Create New View", {}}});
  QAction* windowsSeparator = window->addSeparator();
  connect(window, &QMenu::aboutToShow, this, [this, windowsSeparator] { ListOpenWindows(windowsSeparator); });
}

// The open course windows below the separator, numbered, the active one checked.
void CMainFrame::ListOpenWindows(QAction* separator) {
  const QList<QAction*> all = m_windowMenu->actions();
  for (int i = static_cast<int>(all.indexOf(separator)) + 1; i < all.size(); ++i) {
    m_windowMenu->removeAction(all[i]);
    all[i]->deleteLater();
  }
  int n = 0;
  for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
    if (!sub->isVisible()) continue;
    ++n;
    QAction* a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(n).arg(sub->windowTitle()));
    a->setCheckable(true);
    a->setChecked(sub == m_mdi->activeSubWindow());
    connect(a, &QAction::triggered, sub, [sub] { BringToFront(sub); });
  }
  separator->setVisible(n > 0);
}

void CMainFrame::BuildHelpMenu(QMenu* help) {
  using namespace cmd;
  FillMenu(help, {{kHelpContents, "Help Topics", {}},
                  {kHelpGuide, "Help &Guide", QKeySequence(Qt::CTRL | Qt::Key_H)},
                  {kAssistant, "&Assistant", {}},
                  {kTips, "Hints && &Tips", {}},
                  {0, nullptr, {}},
                  {kExploreDocs, "Explore Documentation", {}},
                  {kExploreTutorial, "Explore &Tutorial", {}},
                  {kExploreHelp, "Explore Help", {}},
                  {0, nullptr, {}},
                  {kAbout, "About...", {}}});
  // Help and context help work from the keyboard everywhere.
  addAction(MakeAction(kHelp, tr("Help"), QKeySequence(Qt::Key_F1)));
  addAction(MakeAction(kContextHelp, tr("What's This?"), QKeySequence(Qt::SHIFT | Qt::Key_F1)));
}

void CMainFrame::RewriteMenus() {
  if (const CoursePersonality* personality = Service<CoursePersonality>()) RewriteMenu(*personality, menuBar());
}

void CMainFrame::SetRecentFiles(const QStringList& paths) {
  int shown = 0;
  for (int i = 0; i < kRecentCount; ++i) {
    QAction* a = action(cmd::kRecentFirst + i);
    const bool used = i < paths.size();
    a->setVisible(used);
    if (!used) continue;
    ++shown;
    QString name = paths[i];
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    a->setData(cmd::kRecentFirst + i);
  }
  m_recentSeparator->setVisible(shown > 0);
}

// ---- command routing ----

namespace {

// The targets of the chain in order, without repeats.
std::vector<CommandTarget*> CommandChain(CMainFrame* frame, CommandTarget* app) {
  std::vector<CommandTarget*> chain;
  auto add = [&chain](QObject* o) {
    if (auto* t = dynamic_cast<CommandTarget*>(o); t && std::find(chain.begin(), chain.end(), t) == chain.end())
      chain.push_back(t);
  };
  for (QWidget* w = QApplication::focusWidget(); w && w != frame; w = w->parentWidget()) add(w);
  if (QMdiSubWindow* sub = frame->mdiArea()->activeSubWindow()) {
    add(sub->widget());
    add(sub);
  }
  add(frame);
  if (app && std::find(chain.begin(), chain.end(), app) == chain.end()) chain.push_back(app);
  return chain;
}

}  // namespace

bool CMainFrame::RouteCommand(int id) {
  for (CommandTarget* t : CommandChain(this, m_appTarget)) {
    CommandState state;
    // A target that handles the command but has it disabled stops the chain.
    if (t->UpdateCommand(id, state) && !state.enabled) return false;
    if (t->OnCommand(id)) {
      UpdateCommandUI();
      return true;
    }
  }
  return false;
}

CommandState CMainFrame::QueryCommand(int id) {
  for (CommandTarget* t : CommandChain(this, m_appTarget)) {
    CommandState state;
    if (t->UpdateCommand(id, state)) return state;
  }
  CommandState none;
  none.enabled = false;
  return none;
}

void CMainFrame::UpdateCommandUI() {
  const std::vector<CommandTarget*> chain = CommandChain(this, m_appTarget);
  for (auto& [id, a] : m_actions) {
    CommandState state;
    bool handled = false;
    for (CommandTarget* t : chain)
      if ((handled = t->UpdateCommand(id, state))) break;
    if (!handled) state.enabled = false;
    a->setEnabled(state.enabled);
    if (state.checked) a->setChecked(*state.checked);
    if (state.text) a->setText(QString::fromStdString(*state.text));
  }
}

// ---- the frame's own commands ----

bool CMainFrame::UpdateCommand(int id, CommandState& state) {
  using namespace cmd;
  switch (id) {
    case kMainToolBar:
    case kNavigationBar:
    case kAccessoriesBar:
    case kStatusBar:
    case kContentsBar:
    case kIndexBar:
    case kGlossaryBar:
    case kBookmarksBar:
      state.enabled = true;
      state.checked = barVisible(id);
      return true;
    case kCascade:
    case kTile:
    case kArrangeIcons:
      state.enabled = !m_mdi->subWindowList().isEmpty();
      return true;
    case kCreateNewView:
      state.enabled = false;
      return true;
    case kContextHelp:
      state.enabled = true;
      return true;
    default:
      // Undo reads "Can't Undo" until a view says otherwise.
      if (id == kUndo) {
        state.enabled = false;
        state.text = "Can't Undo\tCtrl+Z";
        return true;
      }
      return false;
  }
}

bool CMainFrame::OnCommand(int id) {
  using namespace cmd;
  switch (id) {
    case kMainToolBar:
    case kNavigationBar:
    case kAccessoriesBar:
    case kStatusBar:
      SetBarVisible(id, !barVisible(id));
      return true;
    case kContentsBar:
    case kIndexBar:
    case kGlossaryBar:
    case kBookmarksBar:
      ToggleTearBar(id);
      return true;
    case kCascade:
      m_mdi->cascadeSubWindows();
      return true;
    case kTile:
      m_mdi->tileSubWindows();
      return true;
    case kArrangeIcons:
      for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (sub->isMinimized()) sub->showMinimized();
      return true;
    case kContextHelp:
      QWhatsThis::enterWhatsThisMode();
      return true;
    default:
      return false;
  }
}

void CMainFrame::OnCourseNotify(int code, void*) {
  if (code == kNotifyRepaint) update();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_closeHandler && !m_closeHandler()) {
    event->ignore();
    return;
  }
  m_mdi->closeAllSubWindows();
  if (!m_mdi->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Views that draw in the system's colours redraw with the new ones.
  if (event->type() == QEvent::ApplicationPaletteChange) NotifyAll(kNotifyPalette);
}

void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  NotifyAll(kNotifyMoved);
}

namespace {
QStringList LocalFiles(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}
}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (m_dropHandler && !LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList paths = LocalFiles(event->mimeData());
  if (paths.isEmpty() || !m_dropHandler) return;
  event->acceptProposedAction();
  // After the drop has finished: opening may show dialogs.
  QMetaObject::invokeMethod(this, [this, paths] {
    if (m_dropHandler) m_dropHandler(paths);
  }, Qt::QueuedConnection);
}
