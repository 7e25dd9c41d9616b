#include "exercises/QuizWnd.h"

#include <QtCore/QMetaObject>

#include "course/AsciiCase.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseText.h"
#include "course/ResourceContainer.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "exercises/QuizControls.h"
#include "exercises/QuizView.h"
#include "launch/LaunchPlan.h"
#include "launch/Launcher.h"

CQuizWnd::CQuizWnd() : CStatWnd(kPlacementKey, 0, kHelpContext) {
  m_view = new CQuizView(m_session);
  setWidget(m_view);
  setWindowTitle(QStringLiteral("Exercise"));
  SetFrameIcon(ico::kExercise);
  m_view->SetCompletionHook([this] {
    if (m_loaded) MarkActivityCompleted(m_locator);
  });
}

CQuizWnd::~CQuizWnd() = default;

bool CQuizWnd::IsLoaded(const ActivityLocator& l) const {
  if (!m_loaded) return false;
  // Lesson-level exercises share the lesson's place: only their file tells them apart.
  const bool sameFile = m_locator.file.has_value() == l.file.has_value() &&
                        (!l.file || EqualNoCase(*m_locator.file, *l.file));
  return l.lesson == m_locator.lesson && l.page == m_locator.page && l.activity == m_locator.activity &&
         l.kind == m_locator.kind && sameFile;
}

bool CQuizWnd::OpenActivity(const ActivityLocator& locator, CourseFile file) {
  if (!IsLoaded(locator)) {
    m_locator = locator;
    m_loaded = true;
    ExerciseText text;
    try {
      ResourceContainer container(std::move(file));
      text = ReadExercise(container, kQuizBackground);
    } catch (const CourseFileError&) {
      text = {};  // an unreadable file shows no questions
    }
    const ContentsTable* contents = Service<ContentsTable>();
    std::string title = contents ? locator.Titles(*contents).activity : std::string();
    if (title.empty()) title = PlanLaunch(locator, contents).fileName;
    QString caption = QString::fromStdString(CourseToUtf8(title));
    if (text.title) caption = QString::fromStdString(ExerciseTextToUtf8(*text.title));
    setWindowTitle(caption);
    m_session.Load(std::move(text));
    m_view->ShowQuestion(0);
  }
  if (!mdiArea()) Open();
  FixSize();
  return true;
}

// The frame keeps the view's size: neither smaller nor larger.
void CQuizWnd::FixSize() {
  if (!isVisible()) return;
  const QSize frameExtra = size() - m_view->size();
  setFixedSize(CQuizView::kClientSize + frameExtra);
}

void CQuizWnd::showEvent(QShowEvent* event) {
  CStatWnd::showEvent(event);
  // The frame's decoration is laid out once shown.
  QMetaObject::invokeMethod(this, [this] { FixSize(); }, Qt::QueuedConnection);
}

void InstallExerciseWindows() {
  RegisterActivityWindowClass(CQuizWnd::kClassName, [] { return new CQuizWnd; });
}
