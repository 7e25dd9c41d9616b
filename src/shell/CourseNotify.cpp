#include "shell/CourseNotify.h"

#include <QtCore/QObject>

namespace {

void Walk(QObject* node, const std::function<bool(const QObject*)>& isFloatingFrame,
          std::vector<QObject*>& floating, std::vector<QPointer<QObject>>& out) {
  for (QObject* child : node->children()) {
    if (isFloatingFrame && isFloatingFrame(child)) {
      floating.push_back(child);
      continue;
    }
    if (dynamic_cast<CourseNotifyTarget*>(child)) out.emplace_back(child);
    Walk(child, isFloatingFrame, floating, out);
  }
}

}  // namespace

std::vector<QPointer<QObject>> CollectNotifyTargets(QObject* root,
                                                    const std::function<bool(const QObject*)>& isFloatingFrame) {
  std::vector<QPointer<QObject>> out;
  if (!root) return out;
  if (dynamic_cast<CourseNotifyTarget*>(root)) out.emplace_back(root);
  std::vector<QObject*> floating;
  Walk(root, isFloatingFrame, floating, out);
  // A floating frame's own subtree is walked whole: a bar floating inside another
  // floating frame does not exist, so nothing is set aside twice.
  for (QObject* frame : floating) {
    if (dynamic_cast<CourseNotifyTarget*>(frame)) out.emplace_back(frame);
    std::vector<QObject*> nested;
    Walk(frame, nullptr, nested, out);
  }
  return out;
}

int DeliverCourseNotify(const std::vector<QPointer<QObject>>& targets, int code, void* data) {
  int reached = 0;
  for (const QPointer<QObject>& target : targets) {
    if (!target) continue;
    if (auto* receiver = dynamic_cast<CourseNotifyTarget*>(target.data())) {
      receiver->OnCourseNotify(code, data);
      ++reached;
    }
  }
  return reached;
}
