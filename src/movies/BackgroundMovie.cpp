#include "movies/BackgroundMovie.h"

#include <QtCore/QTimerEvent>
#include <QtGui/QPainter>

#include "course/CourseFileError.h"
#include "movies/Movie.h"

CBackgroundMovie* CBackgroundMovie::Make(const std::filesystem::path& path, QWidget* parent) {
  try {
    return new CBackgroundMovie(CMovie::Open(path), parent);
  } catch (const CourseFileError&) {
    return nullptr;
  }
}

CBackgroundMovie::CBackgroundMovie(std::unique_ptr<CMovie> movie, QWidget* parent)
    : QWidget(parent), m_movie(std::move(movie)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

CBackgroundMovie::~CBackgroundMovie() = default;

void CBackgroundMovie::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!m_timerId) {
    m_movie->Start();
    m_timerId = startTimer(kServiceInterval);
  }
}

bool CBackgroundMovie::Service() {
  if (!m_movie->Task()) return false;
  update();
  return true;
}

void CBackgroundMovie::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_timerId) return QWidget::timerEvent(event);
  // Only the active window's movie moves on; another window's waits where it is.
  if (!window()->isActiveWindow()) {
    if (m_movie->IsPlaying()) m_movie->Stop();
    return;
  }
  if (!m_movie->IsPlaying() && !m_movie->IsDone()) m_movie->Start();
  Service();
}

void CBackgroundMovie::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  m_movie->Draw(painter, rect());
}
