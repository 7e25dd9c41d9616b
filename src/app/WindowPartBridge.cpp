#include "app/WindowPartBridge.h"

#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

#include "course/Preferences.h"
#include "course/Services.h"
#include "shell/CoreWnd.h"
#include "shell/CourseNotify.h"
#include "shell/MainFrame.h"
#include "shell/StatsDockWnd.h"
#include "shell/WindowTools.h"

namespace {

CourseRect ToCourseRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

CourseRect PlacementRectOf(const QWidget* window) {
  if (const auto* sub = qobject_cast<const QMdiSubWindow*>(window)) {
    const QRect client = sub->contentsRect();
    return ToCourseRect(QRect(sub->mapToParent(client.topLeft()), client.size()));
  }
  QRect outer = window->frameGeometry();
  if (const QWidget* parent = window->parentWidget()) outer.translate(-parent->window()->frameGeometry().topLeft());
  return ToCourseRect(outer);
}

CWindowPartBridge::CWindowPartBridge(CMainFrame& frame) : m_frame(frame) {}

int CWindowPartBridge::HandleOf(QWidget* window) {
  if (!window) return 0;
  for (const auto& [handle, w] : m_handles)
    if (w == window) return handle;
  const int handle = m_nextHandle++;
  m_handles[handle] = window;
  return handle;
}

QWidget* CWindowPartBridge::WindowOf(int handle) const {
  const auto it = m_handles.find(handle);
  return it == m_handles.end() ? nullptr : it->second.data();
}

std::vector<OpenWindow> CWindowPartBridge::OpenCourseWindows() const {
  std::vector<OpenWindow> out;
  const QList<QMdiSubWindow*> stack = m_frame.mdiArea()->subWindowList(QMdiArea::StackingOrder);
  // Stacking order runs bottom to top; the file lists the top window first.
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    const auto* window = dynamic_cast<const CCoreWnd*>(*it);
    if (!window || window->placementKey() == 0 || !window->isVisible()) continue;
    OpenWindow w;
    w.kind = window->placementKey();
    w.rect = PlacementRectOf(window);
    if (auto locator = window->activityLocator()) w.locator = *locator;
    out.push_back(w);
  }
  return out;
}

std::vector<OpenWindow> CWindowPartBridge::OpenBars() const {
  std::vector<OpenWindow> out;
  for (CStatsDockWnd* bar : m_frame.tearBars()) {
    OpenWindow w;
    w.kind = bar->info().placementKey;
    w.rect = PlacementRectOf(bar);
    w.visible = bar->isVisibleTo(&m_frame);
    w.floating = bar->isFloating();
    out.push_back(w);
  }
  return out;
}

WindowRestoreActions CWindowPartBridge::RestoreActions() {
  WindowRestoreActions a;
  a.hideFloatingBars = [this] {
    for (CStatsDockWnd* bar : m_frame.tearBars())
      if (bar->isFloating() && bar->isVisibleTo(&m_frame)) bar->ShowBar(false);
  };
  a.openLessonBook = [this](const ActivityLocator& locator) {
    return openLessonBook ? HandleOf(openLessonBook(locator)) : 0;
  };
  a.floatBar = [this](int kind, int x, int y) {
    for (CStatsDockWnd* bar : m_frame.tearBars()) {
      if (bar->info().placementKey != kind) continue;
      QSize size = bar->frameGeometry().size();
      if (const Preferences* prefs = Service<Preferences>())
        if (auto kept = prefs->LookupSize(kind); kept && kept->width > 0 && kept->height > 0)
          size = QSize(kept->width, kept->height);
      bar->FloatAt(QRect(m_frame.frameGeometry().topLeft() + QPoint(x, y), size));
      bar->ShowBar(true);
      return HandleOf(bar);
    }
    return 0;
  };
  a.sendCommand = [this](int command) {
    QWidget* target = FindCourseWindow<CStatWnd>();
    if (!target) return 0;
    QMdiSubWindow* before = m_frame.mdiArea()->activeSubWindow();
    BringToFront(target);
    m_frame.RouteCommand(command);
    QMdiSubWindow* after = m_frame.mdiArea()->activeSubWindow();
    return after && after != before && after != target ? HandleOf(after) : 0;
  };
  a.launch = [this](const ActivityLocator& locator) { return launch ? HandleOf(launch(locator)) : 0; };
  a.activate = [this](int handle) { BringToFront(WindowOf(handle)); };
  a.toFront = [this](int handle) {
    if (auto* target = dynamic_cast<CourseNotifyTarget*>(WindowOf(handle))) target->OnCourseNotify(kNotifyToFront, nullptr);
  };
  return a;
}
