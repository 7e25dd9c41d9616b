#include <gtest/gtest.h>

#include <QtCore/QObject>
#include <functional>
#include <string>

#include "shell/CourseNotify.h"

namespace {

struct Log {
  std::vector<std::string> entries;
};

// A receiver named for the log; an optional action runs inside its handler.
class Node : public QObject, public CourseNotifyTarget {
 public:
  Node(const char* name, QObject* parent, Log& log) : QObject(parent), m_log(log) { setObjectName(name); }
  void OnCourseNotify(int code, void*) override {
    m_log.entries.push_back(objectName().toStdString() + ":" + std::to_string(code));
    if (onNotify) onNotify(code);
  }
  bool floating = false;
  std::function<void(int)> onNotify;

 private:
  Log& m_log;
};

bool IsFloating(const QObject* o) {
  auto* n = dynamic_cast<const Node*>(o);
  return n && n->floating;
}

void Broadcast(QObject* root, int code) { DeliverCourseNotify(CollectNotifyTargets(root, IsFloating), code, nullptr); }

// frame
// ├─ barA (floating)  └─ listA
// ├─ area (plain QObject, not a receiver)
// │   ├─ wnd1 └─ view1
// │   └─ wnd2 └─ view2
// └─ barB (docked)
struct Tree {
  Log log;
  Node frame{"frame", nullptr, log};
  Node* barA = new Node("barA", &frame, log);
  Node* listA = new Node("listA", barA, log);
  QObject* area = new QObject(&frame);
  Node* wnd1 = new Node("wnd1", area, log);
  Node* view1 = new Node("view1", wnd1, log);
  Node* wnd2 = new Node("wnd2", area, log);
  Node* view2 = new Node("view2", wnd2, log);
  Node* barB = new Node("barB", &frame, log);
  Tree() { barA->floating = true; }
};

TEST(CourseNotify, FrameFirstThenDescendantsDepthFirstThenFloatingBars) {
  Tree t;
  Broadcast(&t.frame, kNotifyRepaint);
  const std::vector<std::string> expected = {"frame:9", "wnd1:9",  "view1:9", "wnd2:9",
                                             "view2:9", "barB:9", "barA:9",  "listA:9"};
  EXPECT_EQ(t.log.entries, expected);
}

TEST(CourseNotify, AHandlerThatBroadcastsRunsTheInnerBroadcastToItsEndFirst) {
  Tree t;
  t.view1->onNotify = [&t](int code) {
    if (code == kNotifyActivated) Broadcast(&t.frame, kNotifyPageTurned);
  };
  Broadcast(&t.frame, kNotifyActivated);
  const std::vector<std::string> expected = {
      "frame:5", "wnd1:5", "view1:5",
      // the inner broadcast, whole
      "frame:4", "wnd1:4", "view1:4", "wnd2:4", "view2:4", "barB:4", "barA:4", "listA:4",
      // the outer one goes on where it was
      "wnd2:5", "view2:5", "barB:5", "barA:5", "listA:5"};
  EXPECT_EQ(t.log.entries, expected);
  for (const char* name : {"frame", "wnd1", "view1", "wnd2", "view2", "barB", "barA", "listA"})
    for (int code : {4, 5})
      EXPECT_EQ(std::count(t.log.entries.begin(), t.log.entries.end(), std::string(name) + ":" + std::to_string(code)),
                1);
}

TEST(CourseNotify, ReceiversDestroyedOrAddedDuringABroadcast) {
  Tree t;
  Node* late = nullptr;
  t.wnd1->onNotify = [&t, &late](int code) {
    if (code != kNotifyClose) return;
    delete t.wnd2;  // takes view2 with it
    late = new Node("late", t.area, t.log);
  };
  Broadcast(&t.frame, kNotifyClose);
  // Nobody reaches the deleted windows; a window made meanwhile waits for the next one.
  const std::vector<std::string> expected = {"frame:8", "wnd1:8", "view1:8", "barB:8", "barA:8", "listA:8"};
  EXPECT_EQ(t.log.entries, expected);
  t.log.entries.clear();
  Broadcast(&t.frame, kNotifyMoved);
  EXPECT_NE(std::find(t.log.entries.begin(), t.log.entries.end(), "late:13"), t.log.entries.end());
}

TEST(CourseNotify, DataReachesEveryReceiver) {
  Log log;
  struct Catch : QObject, CourseNotifyTarget {
    void* seen = nullptr;
    void OnCourseNotify(int, void* data) override { seen = data; }
  } root;
  auto* child = new Catch;
  child->setParent(&root);
  int payload = 7;
  EXPECT_EQ(DeliverCourseNotify(CollectNotifyTargets(&root, nullptr), kNotifyCompletion, &payload), 2);
  EXPECT_EQ(root.seen, &payload);
  EXPECT_EQ(child->seen, &payload);
}

}  // namespace
