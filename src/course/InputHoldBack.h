// Holding back the learner's input while a busy loop lets the program's other events
// through: a progress dialog that redraws under a long search, an exposition that
// waits while its narration runs on. While ProcessEvents runs, key, mouse-button and
// wheel events are kept and posted again afterwards, in order, so that nothing the
// learner did is lost and nothing re-enters the busy loop's caller; mouse moves and
// shortcut overrides are dropped (they are stale afterwards); everything else passes.
// A judge may decide otherwise for some events (the dialog's own controls pass).
#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QEvent;

class InputHoldBack : public QObject {
 public:
  enum class Verdict { Default, Pass, Hold, Drop };
  using Judge = std::function<Verdict(QObject* watched, QEvent* event)>;

  explicit InputHoldBack(Judge judge = {}) : m_judge(std::move(judge)) {}
  ~InputHoldBack() override;

  // Lets pending events through for at most ms milliseconds with input held back,
  // then posts the held input again. Does nothing without an application object;
  // a nested call only processes events (the outer call posts what both held).
  void ProcessEvents(int ms);
  bool active() const { return m_active; }
  // What the default rule does with an event.
  static Verdict DefaultVerdict(const QEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Judge m_judge;
  bool m_active = false;
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};
