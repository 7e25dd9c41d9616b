#include "shell/TearToolBar.h"

#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>

#include "course/CommandIds.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearBarView.h"

CTearToolBar::CTearToolBar(int id, QWidget* parent) : QWidget(parent), m_id(id) {
  setObjectName(QStringLiteral("TearBar%1").arg(id));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  m_bar = new QScrollBar(Qt::Vertical, this);
  m_bar->hide();
  connect(m_bar, &QScrollBar::valueChanged, this, [this](int v) {
    if (v != m_scroll.position()) ScrollTo(v);
  });
}

CTearToolBar::~CTearToolBar() = default;

CStatsDockWnd* CTearToolBar::dockFrame() const {
  for (QWidget* p = parentWidget(); p; p = p->parentWidget())
    if (auto* dock = qobject_cast<CStatsDockWnd*>(p)) return dock;
  return nullptr;
}

void CTearToolBar::OnCourseNotify(int code, void*) {
  if (code == kNotifyRepaint) update();
}

int CTearToolBar::ScrollBarWidth() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }

int CTearToolBar::RowHeight() const { return TearRowHeight(logicalDpiY()); }

int CTearToolBar::ContentHeight(bool) const { return RowCount() * RowHeight(); }

QRect CTearToolBar::RowRect(int row) const {
  const int w = width() - (m_scroll.barShown() ? ScrollBarWidth() : 0);
  return TearRowRect(row, RowHeight(), std::max(0, w), m_scroll.position());
}

void CTearToolBar::PrepareDrawing(QPainter& painter) const {
  if (m_scroll.barShown()) painter.setClipRect(QRect(0, 0, width() - ScrollBarWidth(), height()));
}

void CTearToolBar::PaintRows(QPainter&, const QRect&, int, bool) {}

void CTearToolBar::PaintCorner(QPainter& painter, const QRect& square) {
  if (m_scroll.barShown()) painter.fillRect(square, palette().window());
}

QRect CTearToolBar::CornerSquare() const {
  const int w = ScrollBarWidth();
  return QRect(width() - w, height() - w, w, w);
}

void CTearToolBar::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  p.save();
  PrepareDrawing(p);
  const int position = m_scroll.position();
  const int rowWidth = width() - (m_scroll.barShown() ? ScrollBarWidth() : 0);
  p.translate(0, -position);
  PaintRows(p, event->rect().translated(0, position), std::max(0, rowWidth), false);
  p.restore();
  PaintCorner(p, CornerSquare());
}

void CTearToolBar::Layout() {
  m_scroll.SetContent(ContentHeight(false), height());
  const bool shown = m_scroll.barShown();
  const int w = ScrollBarWidth();
  m_bar->setGeometry(width() - w, 0, w, std::max(0, height() - w));
  m_bar->setRange(0, m_scroll.maxPosition());
  m_bar->setPageStep(std::max(1, height()));
  m_bar->setSingleStep(RowHeight());
  m_bar->setValue(m_scroll.position());
  m_bar->setVisible(shown);
  m_bar->setEnabled(shown);
}

void CTearToolBar::RowsChanged() {
  Layout();
  update();
}

void CTearToolBar::resizeEvent(QResizeEvent*) { Layout(); }

int CTearToolBar::ScrollTo(int position) {
  const int before = m_scroll.position();
  const int now = m_scroll.SetPosition(position);
  if (now != before) {
    scroll(0, before - now, QRect(0, 0, width() - (m_scroll.barShown() ? ScrollBarWidth() : 0), height()));
    m_bar->setValue(now);
  }
  return now;
}

int CTearToolBar::RowAt(const QPoint& clientPos) const {
  return TearRowAt(clientPos.y(), m_scroll.position(), RowHeight());
}

void CTearToolBar::ScrollRowIntoView(int row) {
  const int h = RowHeight();
  TearScroll probe = m_scroll;
  ScrollTo(probe.ScrollIntoView(row * h, (row + 1) * h));
}

void CTearToolBar::mousePressEvent(QMouseEvent* event) {
  // A click in a floating bar first brings its frame to the front.
  if (CStatsDockWnd* dock = dockFrame(); dock && dock->isFloating()) {
    dock->raise();
    dock->activateWindow();
  }
  QWidget::mousePressEvent(event);
}

void CTearToolBar::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches) ScrollTo(m_scroll.position() - notches * QApplication::wheelScrollLines() * RowHeight());
  event->accept();
}

QSize CTearToolBar::sizeHint() const { return kTearDefaultSize; }
QSize CTearToolBar::minimumSizeHint() const { return kTearMinTrack; }

int CTearToolBar::Print(QPrinter* printer) {
  CTearBarView view(this);
  if (printer) return view.PrintTo(*printer);
  view.OnCommand(cmd::kPrint);
  return view.pagesPrinted();
}

bool CTearToolBar::UpdateCommand(int id, CommandState& state) {
  if (id != cmd::kPrint) return false;
  state.enabled = RowCount() > 0;
  return true;
}

bool CTearToolBar::OnCommand(int id) {
  if (id != cmd::kPrint) return false;
  Print();
  return true;
}
