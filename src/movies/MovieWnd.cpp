#include "movies/MovieWnd.h"

#include <QtCore/QMetaObject>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMdiArea>

#include "audio/SoundService.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "launch/LaunchPlan.h"
#include "launch/Launcher.h"
#include "movies/BackgroundMovie.h"
#include "movies/Movie.h"
#include "movies/MovieController.h"
#include "movies/MovieLayout.h"
#include "movies/MovieSupport.h"
#include "movies/MovieTextWnd.h"
#include "movies/MovieView.h"
#include "course/CommandIds.h"
#include "shell/CourseNotify.h"

namespace {

CMovieWnd::TextViewer& Viewer() {
  static CMovieWnd::TextViewer viewer;
  return viewer;
}
CMovieWnd::TextCloser& Closer() {
  static CMovieWnd::TextCloser closer;
  return closer;
}

// Numerator and denominator of a resize command's scale.
std::pair<int, int> ScaleOf(int id) {
  switch (id) {
    case cmd::kHalfSize:
      return {1, 2};
    case cmd::kDoubleSize:
      return {2, 1};
    default:
      return {1, 1};
  }
}

}  // namespace

CMovieWnd::CMovieWnd() : CStatWnd(kPlacementKey, kTimerInterval, kHelpContext) {
  m_view = new CMovieView;
  setWidget(m_view);
  setWindowTitle(QStringLiteral("Movie"));
  SetFrameIcon(ico::kMovie);
  connect(this, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates o, Qt::WindowStates n) { OnActiveChanged(o, n); });
}

CMovieWnd::~CMovieWnd() = default;

void CMovieWnd::SetTextViewer(TextViewer viewer) { Viewer() = std::move(viewer); }
void CMovieWnd::SetTextCloser(TextCloser closer) { Closer() = std::move(closer); }

bool CMovieWnd::OpenActivity(const ActivityLocator& locator, CourseFile file) {
  if (m_loaded && locator.lesson == m_locator.lesson && locator.page == m_locator.page &&
      locator.activity == m_locator.activity)
    return true;
  m_locator = locator;
  m_loaded = false;
  m_view->Unload();

  MovieSupport* support = Service<MovieSupport>();
  if (!support || !support->EnsureStarted()) {
    Fail("movies cannot be played on this computer");
    return false;
  }
  try {
    m_view->Load(std::move(file));
  } catch (const CourseFileError& e) {
    Fail(e.reason());
    return false;
  }
  m_loaded = true;
  if (!mdiArea()) Open();
  SetClientSize(movie_layout::ClientSize(m_view->naturalSize(), 1, 1));

  const ContentsTable* contents = Service<ContentsTable>();
  std::string title = contents ? locator.Titles(*contents).activity : std::string();
  if (title.empty()) title = PlanLaunch(locator, contents).fileName;
  setWindowTitle(QString::fromStdString(CourseToUtf8(title)));

  FindTranscript();
  // The window repaints itself once it is placed.
  QMetaObject::invokeMethod(this, [this] { OnCourseNotify(kNotifyRepaint, nullptr); }, Qt::QueuedConnection);
  return true;
}

void CMovieWnd::FindTranscript() {
  const LaunchPlan plan = PlanLaunch(m_locator, Service<ContentsTable>());
  const std::string transcript = movie_layout::TranscriptPath(plan.relativePath);
  if (transcript.empty()) return;
  CourseFile file;
  if (OpenCourseFile(file, transcript, kSearchCourse)) m_view->SetTranscriptPath(file.path());
}

void CMovieWnd::Fail(const std::string& reason) {
  ShowNotice(str::kCannotPlayMovie, movie_layout::FailureDescription(reason));
  m_loaded = false;
  // Nothing of the failed movie stays on screen.
  hide();
  close();
}

QSize CMovieWnd::clientSize() const { return m_view->viewport()->size(); }

void CMovieWnd::SetClientSize(QSize size) {
  if (!size.isValid()) return;
  // Until the frame is shown the view is not laid out, and its size says nothing of the
  // frame's decoration around it.
  if (!isVisible()) {
    m_pendingClient = size;
    return;
  }
  m_pendingClient = QSize();
  const QPoint topLeft = pos();
  const QSize frameExtra = this->size() - m_view->viewport()->size();
  resize(size + frameExtra);
  move(topLeft);
  // The frame's decoration may be laid out anew once shown: measure again.
  const QSize off = m_view->viewport()->size() - size;
  if (!off.isNull()) resize(this->size() - off);
}

void CMovieWnd::showEvent(QShowEvent* event) {
  CStatWnd::showEvent(event);
  if (!m_pendingClient.isValid()) return;
  // The view is laid out after this window's own show: sized once the event loop has done it.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (m_pendingClient.isValid()) SetClientSize(m_pendingClient);
      },
      Qt::QueuedConnection);
}

void CMovieWnd::OnTimer() { Tick(); }

CMoviePlayState::Tick CMovieWnd::Tick() {
  const Preferences* prefs = Service<Preferences>();
  const CMoviePlayState::Tick t = m_view->Tick(prefs && prefs->expoSource);
  if (t.openTranscript && !m_view->transcriptPath().empty())
    QMetaObject::invokeMethod(this, [this] { OnCommand(cmd::kViewMovieText); }, Qt::QueuedConnection);
  if (t.ended) MarkActivityCompleted(m_locator);
  return t;
}

void CMovieWnd::OnActiveChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
  const bool was = oldState.testFlag(Qt::WindowActive) && !oldState.testFlag(Qt::WindowMinimized);
  const bool is = newState.testFlag(Qt::WindowActive) && !newState.testFlag(Qt::WindowMinimized);
  if (was == is) return;
  if (is) {
    // Any sound still playing stops: the movie's own sound comes next.
    ReleaseSoundDevice();
  }
  m_view->SetActive(is);
}

bool CMovieWnd::UpdateCommand(int id, CommandState& state) {
  const bool loaded = m_view->movie() != nullptr;
  switch (id) {
    case cmd::kViewMovieText:
      state.enabled = !m_view->transcriptPath().empty();
      return true;
    case cmd::kHalfSize:
    case cmd::kDoubleSize:
    case cmd::kNormalSize: {
      state.enabled = loaded;
      const auto [num, den] = ScaleOf(id);
      state.checked = loaded && clientSize() == movie_layout::ClientSize(m_view->naturalSize(), num, den);
      return true;
    }
    case cmd::kCopy:
      state.enabled = loaded && !isMinimized();
      return true;
    case cmd::kPrintPreview:
      state.enabled = true;
      return true;
    default:
      return CStatWnd::UpdateCommand(id, state);
  }
}

bool CMovieWnd::OnCommand(int id) {
  switch (id) {
    case cmd::kViewMovieText:
      ShowTranscript();
      return true;
    case cmd::kHalfSize:
    case cmd::kDoubleSize:
    case cmd::kNormalSize: {
      if (!m_view->movie()) return true;
      const auto [num, den] = ScaleOf(id);
      SetClientSize(movie_layout::ClientSize(m_view->naturalSize(), num, den));
      return true;
    }
    case cmd::kCopy: {
      const QImage frame = m_view->CurrentFrame();
      if (!frame.isNull()) QGuiApplication::clipboard()->setImage(frame);
      return true;
    }
    case cmd::kPrintPreview:
      if (m_view->controller()) m_view->controller()->Play(0);
      m_view->PrintPreview();
      return true;
    case cmd::kClose:
      close();
      return true;
    default:
      return CStatWnd::OnCommand(id);
  }
}

void CMovieWnd::ShowTranscript() {
  const std::string& path = m_view->transcriptPath();
  if (path.empty()) return;
  std::string text;
  try {
    CourseFile file = CourseFile::Open(path);
    const auto bytes = file.readAll();
    text.assign(bytes.begin(), bytes.end());
  } catch (const CourseFileError&) {
    return;  // the transcript went away: nothing to show
  }
  if (Viewer())
    Viewer()(windowTitle(), text, m_locator);
  else
    CMovieTextWnd::Show(windowTitle(), text, m_locator);
}

void CMovieWnd::closeEvent(QCloseEvent* event) {
  if (m_loaded) {
    if (Closer())
      Closer()(m_locator);
    else
      CMovieTextWnd::CloseFor(m_locator);
  }
  m_view->Unload();
  m_loaded = false;
  CStatWnd::closeEvent(event);
}

void InstallMovieWindows() {
  RegisterActivityWindowClass(CMovieWnd::kClassName, [] { return new CMovieWnd; });
}
