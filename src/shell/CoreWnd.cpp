#include "shell/CoreWnd.h"

#include <QtCore/QTimerEvent>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QMdiArea>
#include <map>

#include "course/CommandIds.h"
#include "shell/CoreView.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"
#include "shell/WindowTools.h"

CCoreWnd::CCoreWnd(int placementKey, int timerInterval, int helpContext, QWidget* parent)
    : QMdiSubWindow(parent),
      m_placementKey(placementKey),
      m_timerInterval(timerInterval),
      m_helpContext(helpContext) {
  setAttribute(Qt::WA_DeleteOnClose);
  connect(this, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates o, Qt::WindowStates n) { OnStateChanged(o, n); });
}

CCoreWnd::~CCoreWnd() { StopTimer(); }

CCoreView* CCoreWnd::view() const { return dynamic_cast<CCoreView*>(widget()); }

void CCoreWnd::setTimerInterval(int ms) {
  m_timerInterval = ms;
  if (!m_timerId) return;
  StopTimer();
  StartTimer();
}

void CCoreWnd::Open() {
  CMainFrame* frame = CMainFrame::Instance();
  if (frame && !mdiArea()) frame->mdiArea()->addSubWindow(this);
  if (m_placementKey != 0) PlaceChildWindow(this, m_placementKey);
  show();
  BringToFront(this);
}

void CCoreWnd::SetFrameIcon(int iconId) {
  QIcon icon;
  for (const int side : {16, 32}) {
    const QPixmap pixmap = ProgramPixmap("icon", iconId, QSize(side, side), 1.0);
    if (!pixmap.isNull()) icon.addPixmap(pixmap);
  }
  if (!icon.isNull()) setWindowIcon(icon);
}

void CCoreWnd::OnCourseNotify(int code, void* data) {
  switch (code) {
    case kNotifyClose:
      // Posted: the broadcast that asked for it may still be walking this window.
      QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
      break;
    case kNotifyRepaint:
      update();
      if (QWidget* w = widget()) w->update();
      break;
    case kNotifyToFront:
      BringToFront(this);
      break;
    case kNotifyPalette:
      if (usesSharedPalette()) {
        update();
        if (QWidget* w = widget()) w->update();
      }
      break;
    default:
      break;
  }
}

void CCoreWnd::closeEvent(QCloseEvent* event) {
  QMdiSubWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  StopTimer();
  if (m_placementKey != 0) RememberChildWindow(this, m_placementKey);
}

void CCoreWnd::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_timerId) {
    OnTimer();
    return;
  }
  QMdiSubWindow::timerEvent(event);
}

void CCoreWnd::OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
  const bool was = oldState.testFlag(Qt::WindowActive);
  const bool is = newState.testFlag(Qt::WindowActive);
  if (is == was) return;
  if (is) {
    StartTimer();
    NotifyAll(kNotifyActivated, this);
  } else {
    StopTimer();
  }
}

void CCoreWnd::StartTimer() {
  if (m_timerId == 0 && m_timerInterval > 0) m_timerId = startTimer(m_timerInterval, Qt::PreciseTimer);
}

void CCoreWnd::StopTimer() {
  if (m_timerId == 0) return;
  killTimer(m_timerId);
  m_timerId = 0;
}

// ---- CStatWnd ----

namespace {
std::map<int, CStatWnd::CommandHandler>& Handlers() {
  static std::map<int, CStatWnd::CommandHandler> handlers;
  return handlers;
}
}  // namespace

bool CStatWnd::IsStatCommand(int id) {
  return id == cmd::kAssistant || id == cmd::kExploreDocs || id == cmd::kHelpGuide || id == cmd::kExploreTutorial ||
         id == cmd::kListDatasets;
}

void CStatWnd::SetCommandHandler(int id, CommandHandler handler) {
  if (IsStatCommand(id)) Handlers()[id] = std::move(handler);
}

bool CStatWnd::UpdateCommand(int id, CommandState& state) {
  if (!IsStatCommand(id)) return CCoreWnd::UpdateCommand(id, state);
  const auto it = Handlers().find(id);
  state.enabled = it != Handlers().end() && it->second.run && (!it->second.enabled || it->second.enabled());
  return true;
}

bool CStatWnd::OnCommand(int id) {
  if (!IsStatCommand(id)) return CCoreWnd::OnCommand(id);
  const auto it = Handlers().find(id);
  if (it == Handlers().end() || !it->second.run) return false;
  it->second.run(*this);
  return true;
}
