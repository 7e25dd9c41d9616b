#include "shell/WindowTools.h"

#include <QtCore/QMimeData>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QStatusBar>
#include <vector>

#include "course/CourseWindows.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "shell/ChildPlacement.h"
#include "course/CommandIds.h"
#include "shell/CourseNotify.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"

void NotifyAll(int code, void* data) {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame) return;
  const auto isFloatingFrame = [](const QObject* o) {
    const auto* dock = qobject_cast<const QDockWidget*>(o);
    return dock && dock->isFloating();
  };
  DeliverCourseNotify(CollectNotifyTargets(frame, isFloatingFrame), code, data);
}

QWidget* FindCourseWindowIf(const std::function<bool(QWidget*)>& match) {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame) return nullptr;
  auto search = [&match](QWidget* w) -> QWidget* {
    if (match(w)) return w;
    for (QObject* c : w->children())
      if (auto* cw = qobject_cast<QWidget*>(c); cw && match(cw)) return cw;
    return nullptr;
  };
  for (QObject* c : frame->children()) {
    auto* w = qobject_cast<QWidget*>(c);
    if (!w) continue;
    if (QWidget* found = search(w)) return found;
  }
  // The window area's children are the course windows.
  for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList(QMdiArea::CreationOrder))
    if (QWidget* found = search(sub)) return found;
  return nullptr;
}

QWidget* FindLessonBook() {
  return FindCourseWindowIf([](QWidget* w) { return dynamic_cast<LessonBookLink*>(w) != nullptr; });
}

void BringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    if (QWidget* view = sub->widget()) view->setFocus(Qt::OtherFocusReason);
    return;
  }
  window->activateWindow();
  window->setFocus(Qt::OtherFocusReason);
}

namespace {

QRect ToQRect(const CourseRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

QSize Track(const QSize& s) {
  // Qt's "no limit" is the largest widget size; the placement rule counts that as none.
  return QSize(s.width() >= QWIDGETSIZE_MAX ? 0 : s.width(), s.height() >= QWIDGETSIZE_MAX ? 0 : s.height());
}

}  // namespace

void PlaceChildWindow(QMdiSubWindow* window, int key) {
  QMdiArea* area = window ? window->mdiArea() : nullptr;
  if (!area) return;
  CMainFrame* frame = CMainFrame::Instance();
  ChildPlacementInput in;
  in.outer = window->geometry();
  const QRect client = window->contentsRect();
  in.border = QMargins(client.left(), client.top(), window->width() - client.right() - 1,
                       window->height() - client.bottom() - 1);
  in.minTrack = window->minimumSize().isNull() ? window->minimumSizeHint() : window->minimumSize();
  in.maxTrack = Track(window->maximumSize());
  if (Preferences* prefs = Service<Preferences>(); prefs && key != 0)
    if (auto rect = prefs->LookupRect(key)) in.remembered = ToQRect(*rect);
  for (QMdiSubWindow* other : area->subWindowList())
    if (other != window && other->isVisible()) in.siblingCorners.push_back(other->geometry().topLeft());
  in.area = area->viewport()->size();
  in.statusBarVisible = frame && frame->barVisible(cmd::kStatusBar);
  in.hideStatusBar = [frame, area] {
    frame->SetBarVisible(cmd::kStatusBar, false);
    if (QLayout* layout = frame->layout()) layout->activate();
    return area->viewport()->size();
  };
  window->setGeometry(PlaceChildRect(in).outer);
}

void RememberChildWindow(QWidget* window, int key) {
  Preferences* prefs = Service<Preferences>();
  if (!window || !prefs || key == 0) return;
  RememberWindow(*prefs, key, window);
}

bool SaveFrameScreenshot(QMainWindow& frame, const QString& file) {
  // The frame and the windows over it (the Welcome window, floating bars, dialogs) are
  // drawn where they stand, each under a plain caption where the desktop would put its own.
  QFont captionFont = frame.font();
  captionFont.setBold(true);
  const int caption = QFontMetrics(captionFont).height() + 8;
  QPixmap picture(frame.width(), frame.height() + caption);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setFont(captionFont);
  const auto drawWindow = [&painter, caption](QWidget& w, QPoint at) {
    const QRect bar(at.x() - 1, at.y() - caption, w.width() + 2, caption);
    painter.fillRect(bar.adjusted(0, 0, 0, w.height() + 1), QColor(0x3b, 0x4a, 0x5c));
    painter.setPen(Qt::white);
    painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
    painter.drawPixmap(at, w.grab());
  };
  drawWindow(frame, QPoint(0, caption));
  const QPoint origin = frame.geometry().topLeft() - QPoint(0, caption);
  // Bars first, then dialogs over them (those without an owner, such as a question
  // asked while no window is active, included), the modal one on top.
  std::vector<QWidget*> bars, dialogs;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == &frame || !w->isVisible()) continue;
    if (qobject_cast<QDialog*>(w))
      dialogs.insert(w->isModal() ? dialogs.end() : dialogs.begin(), w);
    else if (w->parentWidget() == &frame)
      bars.push_back(w);
  }
  for (QWidget* w : bars) drawWindow(*w, w->geometry().topLeft() - origin);
  for (QWidget* w : dialogs)
    if (w->parentWidget() == &frame || !w->parentWidget()) drawWindow(*w, w->geometry().topLeft() - origin);
  painter.end();
  return picture.save(file, "PNG");
}

bool DropDataAt(const QMimeData& data, QPoint globalPos) {
  for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget()) {
    if (!w->acceptDrops()) continue;
    const QPoint local = w->mapFromGlobal(globalPos);
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    if (!enter.isAccepted()) continue;
    QDropEvent drop(QPointF(local), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &drop);
    return drop.isAccepted();
  }
  return false;
}
