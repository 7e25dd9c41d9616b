#include "shell/CoreView.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>

#include "course/CommandIds.h"
#include "course/ResourceIds.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"
#include "shell/ShellServices.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"
#include "shell/ViewRules.h"

CCoreView::CCoreView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(kWheelLinePixels);
  horizontalScrollBar()->setSingleStep(kWheelLinePixels);
}

CCoreView::~CCoreView() { StopAutoScroll(); }

void CCoreView::SetContentSize(const QSize& size) {
  m_contentSize = size;
  UpdateScrollBars();
  viewport()->update();
}

QPoint CCoreView::scrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CCoreView::ScrollTo(int y) { verticalScrollBar()->setValue(y); }
void CCoreView::ScrollBy(int dy) { verticalScrollBar()->setValue(verticalScrollBar()->value() + dy); }

void CCoreView::PaintContent(QPainter&, const QRect&, bool) {}

void CCoreView::UpdateScrollBars() {
  const QSize client = viewport()->size();
  verticalScrollBar()->setPageStep(std::max(1, client.height()));
  verticalScrollBar()->setRange(0, std::max(0, m_contentSize.height() - client.height()));
  horizontalScrollBar()->setPageStep(std::max(1, client.width()));
  horizontalScrollBar()->setRange(0, std::max(0, m_contentSize.width() - client.width()));
}

void CCoreView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void CCoreView::scrollContentsBy(int, int) { viewport()->update(); }

void CCoreView::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  const QPoint offset = scrollOffset();
  p.translate(-offset);
  PaintContent(p, event->rect().translated(offset), false);
}

// ---- undo ----

void CCoreView::RecordUndo(int commandId, const QString& commandText) {
  m_undoId = commandId;
  m_undoText = commandText;
  m_redo = false;
}

void CCoreView::ClearUndo() {
  m_undoId = 0;
  m_undoText.clear();
  m_redo = false;
}

// ---- commands ----

void CCoreView::OnCourseNotify(int code, void*) {
  if (code == kNotifyRepaint) viewport()->update();
}

bool CCoreView::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kUndo:
      state.enabled = m_undoId != 0;
      state.text = UndoMenuText(m_undoId ? m_undoText.toStdString() : std::string(), m_redo);
      return true;
    case cmd::kClose:
    case cmd::kPrint:
    case cmd::kPrintDirect:
    case cmd::kPrintPreview:
      state.enabled = true;
      return true;
    default:
      return false;
  }
}

bool CCoreView::OnCommand(int id) {
  switch (id) {
    case cmd::kUndo: {
      if (!m_undoId) return true;
      const int replay = m_undoId;
      // The command undoes itself when sent again; the menu then offers to redo it.
      if (!OnCommand(replay))
        if (CMainFrame* frame = CMainFrame::Instance()) frame->RouteCommand(replay);
      m_undoId = replay;
      m_redo = !m_redo;
      return true;
    }
    case cmd::kClose: {
      // The view's frame: its course window, or the window it stands in.
      QWidget* frame = window();
      for (QWidget* p = parentWidget(); p; p = p->parentWidget())
        if (p->inherits("QMdiSubWindow")) {
          frame = p;
          break;
        }
      frame->close();
      return true;
    }
    case cmd::kPrint:
      Print(true);
      return true;
    case cmd::kPrintDirect:
      Print(false);
      return true;
    case cmd::kPrintPreview:
      PrintPreview();
      return true;
    default:
      return false;
  }
}

// ---- wheel, mouse, keys ----

void CCoreView::wheelEvent(QWheelEvent* event) {
  m_wheelRemainder += event->angleDelta().y();
  const int notches = m_wheelRemainder / 120;
  m_wheelRemainder -= notches * 120;
  event->accept();
  if (notches == 0) return;
  if (event->modifiers() & Qt::ControlModifier) {
    ChangeFontSize(notches);
    return;
  }
  // Wheel up (positive) moves back towards the top.
  ScrollBy(-WheelScrollPixels(notches, QApplication::wheelScrollLines(), viewport()->height()));
}

void CCoreView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && verticalScrollBar()->maximum() > 0) {
    StartAutoScroll(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void CCoreView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && m_autoTimer) {
    StopAutoScroll();
    event->accept();
    return;
  }
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void CCoreView::StartAutoScroll(const QPoint& globalPos) {
  StopAutoScroll();
  m_autoOrigin = globalPos;
  // The marker: the still cursor's picture left at the press point while the view moves.
  auto* marker = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  marker->setAttribute(Qt::WA_TranslucentBackground);
  marker->setAttribute(Qt::WA_DeleteOnClose);
  marker->setAttribute(Qt::WA_ShowWithoutActivating);
  marker->setPixmap(ProgramPixmap("cursor", cur::kAutoScrollStill, QSize(32, 32)));
  marker->resize(32, 32);
  marker->move(globalPos - QPoint(16, 16));
  marker->show();
  m_autoMarker = marker;
  m_autoTimer = new QTimer(this);
  connect(m_autoTimer, &QTimer::timeout, this, &CCoreView::AutoScrollTick);
  m_autoTimer->start(kAutoScrollInterval);
  viewport()->setCursor(ProgramCursor(cur::kAutoScrollStill));
}

void CCoreView::AutoScrollTick() {
  const AutoScrollStep step = AutoScrollFor(QCursor::pos().y() - m_autoOrigin.y());
  viewport()->setCursor(ProgramCursor(step.cursor));
  if (step.pixels) ScrollBy(step.pixels);
}

void CCoreView::StopAutoScroll() {
  if (m_autoTimer) {
    m_autoTimer->stop();
    m_autoTimer->deleteLater();
    m_autoTimer = nullptr;
  }
  if (m_autoMarker) m_autoMarker->close();
  m_autoMarker = nullptr;
  viewport()->unsetCursor();
}

void CCoreView::keyPressEvent(QKeyEvent* event) {
  const bool scrolls = verticalScrollBar()->maximum() > 0 || horizontalScrollBar()->maximum() > 0;
  ScrollKey key = ScrollKey::None;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      key = ScrollKey::LineBack;
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      key = ScrollKey::LineForward;
      break;
    case Qt::Key_PageUp:
      key = ScrollKey::PageBack;
      break;
    case Qt::Key_PageDown:
      key = ScrollKey::PageForward;
      break;
    case Qt::Key_Home:
      key = ScrollKey::Home;
      break;
    case Qt::Key_End:
      key = ScrollKey::End;
      break;
    default:
      break;
  }
  if (key != ScrollKey::None && scrolls) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(KeyScrollPosition(key, bar->value(), bar->maximum(), viewport()->height()));
    event->accept();
    return;
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].isLetterOrNumber() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (CMainFrame* frame = CMainFrame::Instance()) {
      bool passed = false;
      for (int id : {cmd::kGlossaryBar, cmd::kIndexBar}) {
        CStatsDockWnd* bar = frame->tearBar(id);
        if (!bar || !bar->isVisible() || !bar->bar()) continue;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QApplication::sendEvent(bar->bar(), &copy);
        passed = true;
      }
      if (passed) {
        event->accept();
        return;
      }
    }
  }
  QAbstractScrollArea::keyPressEvent(event);
}
