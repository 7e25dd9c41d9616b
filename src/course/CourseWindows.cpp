#include "course/CourseWindows.h"

#include <QtGui/QAction>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>

#include "course/CoursePersonality.h"
#include "course/Preferences.h"

namespace {

CourseRect ToCourseRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QRect OuterOnScreen(const QWidget* w) {
  if (w->isWindow()) return w->frameGeometry();
  return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

void Rewrite(QWidget* menu, const std::vector<MenuTextChange>& changes) {
  const auto actions = menu->actions();
  for (QAction* action : actions) {
    if (QMenu* sub = action->menu()) Rewrite(sub, changes);
    bool ok = false;
    const int id = action->data().toInt(&ok);
    if (!ok) continue;
    for (const MenuTextChange& c : changes) {
      if (c.commandId != id) continue;
      if (c.remove)
        menu->removeAction(action);
      else
        action->setText(QString::fromStdString(c.text));
    }
  }
}

}  // namespace

void RememberWindow(Preferences& prefs, int key, const QWidget* window) {
  if (key == 0 || !window) return;
  QRect rect;
  if (const auto* child = qobject_cast<const QMdiSubWindow*>(window)) {
    const QRect client = child->contentsRect();
    rect = QRect(child->mapToParent(client.topLeft()), client.size());
  } else {
    rect = OuterOnScreen(window);
    if (const QWidget* parent = window->parentWidget()) {
      const QWidget* owner = parent->window();
      rect.translate(-OuterOnScreen(owner).topLeft());
    }
  }
  prefs.RememberRect(key, ToCourseRect(rect));
}

void RewriteMenu(const CoursePersonality& personality, QWidget* menu) {
  if (menu) Rewrite(menu, personality.MenuRewrites());
}
