#include "movies/MovieTextWnd.h"

#include <QtWidgets/QPlainTextEdit>

#include "course/CourseText.h"
#include "course/ResourceIds.h"
#include "shell/WindowTools.h"

namespace {
constexpr int kPlacementKey = 0;  // placed beside the movie by the window area's cascade
constexpr QSize kDefaultSize{420, 320};
}  // namespace

CMovieTextWnd::CMovieTextWnd() : CStatWnd(kPlacementKey, 0, 0) {
  m_text = new QPlainTextEdit;
  m_text->setReadOnly(true);
  setWidget(m_text);
  resize(kDefaultSize);
  SetFrameIcon(ico::kLessonGroup);  // the exposition text window's, which this one stands in for
}

CMovieTextWnd* CMovieTextWnd::Find() {
  return FindCourseWindow<CMovieTextWnd>();
}

CMovieTextWnd* CMovieTextWnd::Show(const QString& caption, const std::string& text, const ActivityLocator& locator) {
  CMovieTextWnd* w = Find();
  if (!w) w = new CMovieTextWnd;
  w->m_locator = locator;
  w->setWindowTitle(caption);
  // Transcripts are written with Windows line ends.
  QString body = QString::fromStdString(CourseToUtf8(text));
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  w->m_text->setPlainText(body);
  w->Open();
  return w;
}

void CMovieTextWnd::CloseFor(const ActivityLocator& locator) {
  CMovieTextWnd* w = Find();
  if (w && w->m_locator.lesson == locator.lesson && w->m_locator.page == locator.page &&
      w->m_locator.activity == locator.activity)
    w->close();
}

QString CMovieTextWnd::text() const { return m_text->toPlainText(); }
