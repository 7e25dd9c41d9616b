#include "shell/StatsDockWnd.h"

#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QMainWindow>

#include "course/ProgramResources.h"
#include "shell/ChildPlacement.h"
#include "shell/CourseNotify.h"
#include "shell/TearBarGeometry.h"
#include "shell/TearToolBar.h"
#include "shell/WindowTools.h"

namespace {
// A floating bar's layout counts as committed once it has rested this long (ms).
constexpr int kCommitDelay = 400;
}  // namespace

const TearBarInfo* FindTearBarInfo(int id) {
  for (const TearBarInfo& s : kTearBars)
    if (s.id == id) return &s;
  return nullptr;
}

CStatsDockWnd::CStatsDockWnd(const TearBarInfo& info, CTearToolBar* bar, QWidget* parent)
    : QDockWidget(QString::fromStdString(ProgramString(info.titleId)), parent), m_info(info), m_bar(bar) {
  setObjectName(QStringLiteral("Bar%1").arg(info.id));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  setAllowedAreas(Qt::AllDockWidgetAreas);
  setWhatsThis(QString::fromStdString(ProgramString(info.titleId)));
  setWidget(bar);
  m_commit = new QTimer(this);
  m_commit->setSingleShot(true);
  m_commit->setInterval(kCommitDelay);
  connect(m_commit, &QTimer::timeout, this, &CStatsDockWnd::RememberPlacement);
  connect(this, &QDockWidget::topLevelChanged, this, [this] { ApplyLimits(); });
  connect(this, &QDockWidget::dockLocationChanged, this, [this] { ApplyLimits(); });
  ApplyLimits();
}

void CStatsDockWnd::ApplyLimits() {
  // Floating, a bar is at most 250 by 200 (never less than its own minimum); docked along
  // the top or bottom it is at most 200 high, along the sides at most 250 wide.
  const QSize minimum = m_bar->minimumSizeHint();  // each bar's own minimum tracking size
  m_bar->setMinimumSize(minimum);
  if (isFloating()) {
    m_bar->setMaximumSize(kTearMaxTrack.expandedTo(minimum));
    return;
  }
  m_bar->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  auto* main = qobject_cast<QMainWindow*>(parentWidget());
  const Qt::DockWidgetArea area = main ? main->dockWidgetArea(this) : Qt::NoDockWidgetArea;
  if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
    m_bar->setMaximumHeight(kTearMaxTrack.height());
  else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
    m_bar->setMaximumWidth(kTearMaxTrack.width());
}

void CStatsDockWnd::ShowBar(bool show) {
  if (show == isVisible()) return;
  setVisible(show);
  if (show && isFloating()) {
    if (QScreen* screen = this->screen()) {
      // The outer rectangle goes onto the screen; the window is placed by its inside.
      NoteFrameMargins();
      const QRect outer = MoveOntoScreen(frameGeometry(), screen->availableGeometry());
      if (outer != frameGeometry()) setGeometry(outer.marginsRemoved(m_frameMargins));
    }
    raise();
  }
  NotifyAll(kNotifyBarShown, m_bar);
}

void CStatsDockWnd::FloatAt(const QRect& rect) {
  setFloating(true);
  // rect is the outer rectangle; Qt places a window by its inside, so the frame's
  // margins come off: as measured now, or as last seen while the bar was on screen.
  NoteFrameMargins();
  setGeometry(rect.marginsRemoved(m_frameMargins));
}

void CStatsDockWnd::NoteFrameMargins() {
  const QRect outer = frameGeometry(), inner = geometry();
  const QMargins measured(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                          outer.bottom() - inner.bottom());
  if (!measured.isNull()) m_frameMargins = measured;
}

void CStatsDockWnd::RememberPlacement() {
  if (isFloating()) RememberChildWindow(this, m_info.placementKey);
}

void CStatsDockWnd::LayoutChanged() {
  if (!isFloating() || !isVisible()) return;
  NoteFrameMargins();
  m_commit->start();
}

void CStatsDockWnd::moveEvent(QMoveEvent* event) {
  QDockWidget::moveEvent(event);
  LayoutChanged();
}

void CStatsDockWnd::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  LayoutChanged();
}

void CStatsDockWnd::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  if (m_commit->isActive()) {
    m_commit->stop();
    RememberPlacement();
  }
  // The frame closes by hiding; the bar and its state stay.
  NotifyAll(kNotifyBarShown, m_bar);
}
