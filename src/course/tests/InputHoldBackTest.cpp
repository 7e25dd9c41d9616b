#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <vector>

#include "course/InputHoldBack.h"

namespace {

constexpr auto kTick = static_cast<QEvent::Type>(QEvent::User + 1);

// Records the types of the events it receives.
class Recorder : public QObject {
 public:
  std::vector<QEvent::Type> seen;
  bool event(QEvent* e) override {
    seen.push_back(e->type());
    return true;
  }
};

void PostInput(QObject* to) {
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
  QCoreApplication::postEvent(to, new QEvent(kTick));
  QCoreApplication::postEvent(to, new QMouseEvent(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton,
                                                  Qt::NoButton, Qt::NoModifier));
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier));
}

TEST(InputHoldBack, HoldsKeysDropsMovesAndPostsTheKeysAgainInOrder) {
  Recorder r;
  InputHoldBack gate;
  PostInput(&r);
  gate.ProcessEvents(50);
  EXPECT_EQ(r.seen, (std::vector<QEvent::Type>{kTick}));  // the other events went on
  EXPECT_FALSE(gate.active());
  QCoreApplication::processEvents();
  EXPECT_EQ(r.seen, (std::vector<QEvent::Type>{kTick, QEvent::KeyPress, QEvent::KeyRelease}));
}

TEST(InputHoldBack, AJudgeLetsSomeInputThrough) {
  Recorder mine, other;
  InputHoldBack gate([&](QObject* watched, QEvent*) {
    return watched == &mine ? InputHoldBack::Verdict::Pass : InputHoldBack::Verdict::Default;
  });
  PostInput(&mine);
  PostInput(&other);
  gate.ProcessEvents(50);
  EXPECT_EQ(mine.seen.size(), 4u);
  EXPECT_EQ(other.seen, (std::vector<QEvent::Type>{kTick}));
  QCoreApplication::processEvents();
  EXPECT_EQ(other.seen.size(), 3u);
  // Held input whose receiver is gone by then is not posted.
  {
    Recorder gone;
    PostInput(&gone);
    gate.ProcessEvents(50);
  }
  QCoreApplication::processEvents();
}

}  // namespace
