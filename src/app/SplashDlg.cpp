#include "app/SplashDlg.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtWidgets/QPushButton>

#include "course/CourseLocations.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "movies/MovieSupport.h"
#include "shell/BarImages.h"
#include "course/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ShellServices.h"

namespace {

CSplashDlg::MovieMaker& Maker() {
  static CSplashDlg::MovieMaker maker;
  return maker;
}

bool g_movieNoticeShown = false;

}  // namespace

void CSplashDlg::SetMovieMaker(MovieMaker maker) { Maker() = std::move(maker); }
void CSplashDlg::ResetMovieNotice() { g_movieNoticeShown = false; }

CSplashDlg::CSplashDlg(QWidget* frame) : QDialog(frame) {
  setObjectName(QStringLiteral("Welcome"));
  setWindowTitle(tr("Welcome to %1!").arg(ApplicationName()));
  setFixedSize(kClientSize);
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  struct WelcomeButton {
    int id;
    QString text;
    int y;
  } buttons[3] = {{cmd::kOpen, tr("&Open student file"), 206},
                {cmd::kNew, tr("&New student file"), 236},
                {cmd::kExit, tr("E&xit %1").arg(ApplicationName()), 266}};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(buttons[i].text, this);
    b->setObjectName(QStringLiteral("Command%1").arg(buttons[i].id));
    b->setGeometry(10, buttons[i].y, 140, 22);
    // A long application name still fits the button: its font shrinks (down to 8 pixels).
    QFont font = b->font();
    if (font.pixelSize() <= 0) font.setPixelSize(QFontMetrics(font).height() - 2);
    const QString shown = QString(buttons[i].text).remove(QLatin1Char('&'));
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(shown) > 140 - 12)
      font.setPixelSize(font.pixelSize() - 1);
    b->setFont(font);
    b->setAutoDefault(false);
    const int id = buttons[i].id;
    connect(b, &QPushButton::clicked, this, [id] {
      // Posted: the command may destroy this window.
      if (CMainFrame* main = CMainFrame::Instance())
        QMetaObject::invokeMethod(main, [main, id] { main->RouteCommand(id); }, Qt::QueuedConnection);
    });
    m_buttons[i] = b;
  }
  m_buttons[0]->setDefault(true);
  m_buttons[0]->setFocus();

  m_picture = PersonalityPicture(kSplashScreenPicture);
  if (m_picture.isNull()) m_picture = RenderProgramImage("picture", pic::kWelcome, kClientSize);
}

QPushButton* CSplashDlg::button(int commandId) const {
  for (QPushButton* b : m_buttons)
    if (b && b->objectName() == QStringLiteral("Command%1").arg(commandId)) return b;
  return nullptr;
}

void CSplashDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_buttons[0]->setFocus();
  if (!m_movieTried) StartMovie();
}

bool CSplashDlg::FindWelcomeMovie(std::filesystem::path& path) {
  const std::string name = PersonalityString(kKeySplashMovie);
  return !name.empty() && FindCourseFile(name, kSearchCourse, path);
}

void CSplashDlg::StartMovie() {
  m_movieTried = true;
  MovieSupport* movies = Service<MovieSupport>();
  if (!movies || !Maker()) return;
  std::filesystem::path path;
  if (!FindWelcomeMovie(path)) {
    if (!g_movieNoticeShown) {
      g_movieNoticeShown = true;
      ShowNotice(str::kNoVolume);
    }
    return;
  }
  if (!movies->EnsureStarted()) return;
  m_movie = Maker()(path, this);
  if (!m_movie) return;
  m_movie->setGeometry(rect());
  m_movie->lower();
  m_movie->show();
}

void CSplashDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (m_picture.isNull()) {
    p.fillRect(rect(), palette().window());
    return;
  }
  // Stretched to the window, unless it has exactly the window's size.
  if (m_picture.size() == size())
    p.drawImage(0, 0, m_picture);
  else
    p.drawImage(rect(), m_picture);
}
