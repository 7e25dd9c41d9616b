#include "ShellUiTestSupport.h"

#include <QtCore/QElapsedTimer>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <algorithm>

namespace shelltest {

std::vector<std::string> NotifyLog::Of(std::initializer_list<const char*> names) const {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    const std::string name = line.substr(0, line.find(':'));
    for (const char* n : names)
      if (name == n) out.push_back(line);
  }
  return out;
}

int NotifyLog::Count(const std::string& line) const {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

Probe::Probe(const char* name, QWidget* parent, NotifyLog& log) : QWidget(parent), m_log(log) {
  setObjectName(name);
}

void Probe::OnCourseNotify(int code, void* data) {
  m_log.lines.push_back(objectName().toStdString() + ":" + std::to_string(code));
  m_log.data.push_back(data);
  if (onNotify) onNotify(code);
}

LineView::LineView(const char* name, NotifyLog* log, int lines) : m_log(log) {
  setObjectName(name);
  SetContentSize(QSize(300, lines * 20));
}

void LineView::OnCourseNotify(int code, void* data) {
  if (m_log) {
    m_log->lines.push_back(objectName().toStdString() + ":" + std::to_string(code));
    m_log->data.push_back(data);
  }
  if (onNotify) onNotify(code);
  CCoreView::OnCourseNotify(code, data);
}

void LineView::PaintContent(QPainter& painter, const QRect& rect, bool) {
  ++painted;
  for (int y = rect.top() / 20 * 20; y < rect.bottom() && y < contentSize().height(); y += 20)
    painter.drawText(QRect(4, y, 280, 20), Qt::AlignVCenter, QStringLiteral("Line %1").arg(y / 20 + 1));
}

TestWnd::TestWnd(const char* name, int key, NotifyLog* log, int timerMs)
    : CStatWnd(key, timerMs, 0), m_log(log) {
  setObjectName(name);
  setWindowTitle(name);
  m_view = new LineView((std::string(name) + "-view").c_str(), log, 40);
  setWidget(m_view);
  resize(300, 200);
}

void TestWnd::OnCourseNotify(int code, void* data) {
  if (m_log) {
    m_log->lines.push_back(objectName().toStdString() + ":" + std::to_string(code));
    m_log->data.push_back(data);
  }
  CStatWnd::OnCourseNotify(code, data);
}

FrameFixture::FrameFixture(bool smallScreen) {
  CMainFrame::Options options;
  options.smallScreen = smallScreen;
  frame = std::make_unique<CMainFrame>(options);
  frame->setGeometry(40, 40, 1000, 700);
  frame->show();
  Settle();
  frame->PlaceTearBars();
}

FrameFixture::~FrameFixture() {
  frame.reset();
  Settle();
}

void Settle(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

}  // namespace shelltest
