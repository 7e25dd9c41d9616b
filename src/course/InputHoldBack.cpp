#include "course/InputHoldBack.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>

InputHoldBack::~InputHoldBack() {
  if (m_active && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

InputHoldBack::Verdict InputHoldBack::DefaultVerdict(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
      return Verdict::Hold;
    case QEvent::MouseMove:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      return Verdict::Drop;
    default:
      return Verdict::Pass;
  }
}

void InputHoldBack::ProcessEvents(int ms) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  if (m_active) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    return;
  }
  m_active = true;
  app->installEventFilter(this);
  QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
  app->removeEventFilter(this);
  m_active = false;
  auto held = std::move(m_held);
  m_held.clear();
  for (auto& [target, event] : held)
    if (target) QCoreApplication::postEvent(target, event.release());
}

bool InputHoldBack::eventFilter(QObject* watched, QEvent* event) {
  if (!m_active) return false;
  Verdict v = m_judge ? m_judge(watched, event) : Verdict::Default;
  if (v == Verdict::Default) v = DefaultVerdict(event);
  switch (v) {
    case Verdict::Hold:
      m_held.emplace_back(watched, event->clone());
      return true;
    case Verdict::Drop:
      return true;
    default:
      return false;
  }
}
