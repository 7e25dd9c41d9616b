// The main frame's bars: creation and docking of the status bar, the fixed toolbars and
// the tear-off bars, showing and hiding them, their saved layout and the tear-off bars'
// start-up places.
#include <QtCore/QElapsedTimer>
#include <QtCore/QSettings>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QRubberBand>

#include "course/CourseRect.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "shell/ChildPlacement.h"
#include "course/CommandIds.h"
#include "shell/CoreStatusBar.h"
#include "shell/CoreToolBar.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"
#include "shell/WindowTools.h"

namespace {

std::map<int, std::function<CTearToolBar*()>>& Factories() {
  static std::map<int, std::function<CTearToolBar*()>> factories;
  return factories;
}

constexpr const char* kLayoutSection = "ToolBars";
constexpr const char* kLayoutKey = "State";
// Bumped when the bars change so that an old saved layout is not applied to new bars.
constexpr int kLayoutVersion = 1;

// Shows the outline steps between two screen rectangles, 20 ms each.
void AnimateOutline(const QRect& from, const QRect& to) {
  if (from.isEmpty() || to.isEmpty()) return;
  QRubberBand band(QRubberBand::Rectangle);
  for (const QRect& r : OutlineAnimationSteps(from, to)) {
    band.setGeometry(r);
    band.show();
    band.repaint();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
  }
  band.hide();
}

}  // namespace

void CMainFrame::SetTearBarFactory(int id, std::function<CTearToolBar*()> make) {
  if (FindTearBarInfo(id)) Factories()[id] = std::move(make);
}

void CMainFrame::BuildBars() {
  m_status = new CCoreStatusBar(this);
  setStatusBar(m_status);

  m_mainBar = new CMainToolBar(*this);
  m_navBar = new CNavToolBar(*this);
  m_accBar = new CAccToolBar(*this);
  // Left to right along the top; on a small screen stacked down the left side, without
  // the main toolbar.
  const Qt::ToolBarArea area = m_smallScreen ? Qt::LeftToolBarArea : Qt::TopToolBarArea;
  for (CCoreToolBar* bar : {static_cast<CCoreToolBar*>(m_mainBar), static_cast<CCoreToolBar*>(m_navBar),
                            static_cast<CCoreToolBar*>(m_accBar)})
    addToolBar(area, bar);
  if (m_smallScreen) m_mainBar->hide();

  for (std::size_t i = 0; i < std::size(kTearBars); ++i) {
    const TearBarInfo& info = kTearBars[i];
    const auto made = Factories().find(info.id);
    CTearToolBar* content = made != Factories().end() && made->second ? made->second() : nullptr;
    if (!content) content = new CTearToolBar(info.id);
    auto* dock = new CStatsDockWnd(info, content, this);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->hide();
    m_tearBars[i] = dock;
  }
}

bool CMainFrame::barVisible(int id) const {
  switch (id) {
    case cmd::kStatusBar:
      return m_status->isVisibleTo(this);
    case cmd::kMainToolBar:
      return m_mainBar->isVisibleTo(this);
    case cmd::kNavigationBar:
      return m_navBar->isVisibleTo(this);
    case cmd::kAccessoriesBar:
      return m_accBar->isVisibleTo(this);
    default:
      if (CStatsDockWnd* bar = tearBar(id)) return bar->isVisibleTo(this);
      return false;
  }
}

void CMainFrame::SetBarVisible(int id, bool visible) {
  QWidget* bar = nullptr;
  switch (id) {
    case cmd::kStatusBar:
      bar = m_status;
      break;
    case cmd::kMainToolBar:
      bar = m_mainBar;
      break;
    case cmd::kNavigationBar:
      bar = m_navBar;
      break;
    case cmd::kAccessoriesBar:
      bar = m_accBar;
      break;
    default:
      if (CStatsDockWnd* dock = tearBar(id)) dock->ShowBar(visible);
      return;
  }
  if (bar->isVisibleTo(this) == visible) return;
  bar->setVisible(visible);
  NotifyAll(kNotifyBarShown, bar);
}

void CMainFrame::ToggleTearBar(int id) {
  CStatsDockWnd* dock = tearBar(id);
  if (!dock) return;
  const bool show = !dock->isVisibleTo(this);
  // With the Lesson Book open, an outline travels between its tab for the bar and the bar.
  QRect tab;
  if (QWidget* book = FindLessonBook()) tab = dynamic_cast<LessonBookLink*>(book)->BarTabRect(id);
  if (show) {
    AnimateOutline(tab, dock->frameGeometry());
    dock->ShowBar(true);
  } else {
    const QRect from = dock->frameGeometry();
    dock->ShowBar(false);
    AnimateOutline(from, tab);
  }
}

QRect CMainFrame::FreeClientArea() const {
  const QRect local = centralWidget() ? centralWidget()->geometry() : rect();
  return QRect(mapToGlobal(local.topLeft()), local.size());
}

void CMainFrame::PlaceTearBars() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect screenArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const auto defaults =
      TearBarDefaultPositions(FreeClientArea(), screenArea, kTearDefaultSize, static_cast<int>(m_tearBars.size()));
  const Preferences* prefs = Service<Preferences>();
  const QPoint frameOrigin = frameGeometry().topLeft();
  for (std::size_t i = 0; i < m_tearBars.size(); ++i) {
    CStatsDockWnd* dock = m_tearBars[i];
    // Where the bar floated last: its rectangle under its placement key, relative to the frame.
    QRect rect(defaults[i], kTearDefaultSize);
    if (prefs)
      if (auto remembered = prefs->LookupRect(dock->info().placementKey); remembered && remembered->width() > 0 &&
                                                                          remembered->height() > 0)
        rect = QRect(frameOrigin + QPoint(remembered->left, remembered->top),
                     QSize(remembered->width(), remembered->height()));
    dock->FloatAt(MoveOntoScreen(rect, screenArea));
  }
}

void CMainFrame::RestoreBarLayout(QSettings& profile) {
  profile.beginGroup(kLayoutSection);
  const QByteArray state = profile.value(kLayoutKey).toByteArray();
  profile.endGroup();
  // Qt skips the entries of bars that do not exist.
  if (!state.isEmpty()) restoreState(QByteArray::fromBase64(state), kLayoutVersion);
  if (m_smallScreen) m_mainBar->hide();
  // The tear-off bars are floated afresh at start-up, hidden until asked for.
  for (CStatsDockWnd* dock : m_tearBars) dock->hide();
}

void CMainFrame::SaveBarLayout(QSettings& profile) const {
  profile.beginGroup(kLayoutSection);
  profile.setValue(kLayoutKey, QString::fromLatin1(saveState(kLayoutVersion).toBase64()));
  profile.endGroup();
}
