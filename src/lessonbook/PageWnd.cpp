#include "lessonbook/PageWnd.h"

#include <QtGui/QClipboard>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QMdiArea>

#include "audio/SoundService.h"
#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "hypertext/MarkupText.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/GoToDlg.h"
#include "lessonbook/LessonBook.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageView.h"
#include "shell/CourseProgram.h"
#include "shell/WindowTools.h"

namespace {

constexpr QSize kDefaultSize(720, 640);
constexpr QSize kMinimumSize(360, 280);

bool IsPageCommand(int id) {
  return id == cmd::kFirstPage || id == cmd::kGoTo || id == cmd::kNextPage || id == cmd::kNextLesson ||
         id == cmd::kPreviousLesson || id == cmd::kPreviousPage;
}

}  // namespace

CPageWnd::CPageWnd(QWidget* parent) : CStatWnd(kPlacementKey, kTimerInterval, kHelpContext, parent) {
  m_view = new CPageView;
  setWidget(m_view);
  setMinimumSize(kMinimumSize);
  resize(kDefaultSize);
  setWindowTitle(QStringLiteral("Lesson Book"));
}

CPageWnd::~CPageWnd() = default;

// ---- turning pages ----

bool CPageWnd::GoTo(const ActivityLocator& requested, bool animate, bool force) {
  const ContentsTable& contents = CurrentContents();
  ActivityLocator locator = requested;
  if (locator.page < 0) locator.page = 0;  // a lesson opens at its first page
  const ContentsLesson* lesson = contents.Lesson(locator.lesson);
  // Only a page of the course can be shown, forced or not.
  if (!lesson || locator.page >= lesson->pageCount) return false;
  if (!force && !contents.IsValid(locator)) return false;

  const bool changes = m_current.lesson != locator.lesson || m_current.page != locator.page;
  if (changes) {
    const bool animated = animate && isVisible() && m_current.lesson >= 0;
    PlayProgramSound(animated ? snd::kPageTurn : snd::kQuietPageTurn);
    const bool forward = m_current.lesson < locator.lesson ||
                         (m_current.lesson == locator.lesson && m_current.page < locator.page);
    const QImage before = animated ? m_view->Snapshot() : QImage();
    if (m_current.lesson >= 0) m_previous = m_current.lesson * 256 + m_current.page;
    m_current = ActivityLocator(locator.lesson, locator.page, -1);
    m_lessonCode = m_current.LessonCodeOf(contents);
    m_view->FinishTurn();
    m_view->LoadPage(m_current);
    UpdateTitle();
    if (locator.activity >= 0 || force) m_view->SelectActivity(locator.activity, force);
    if (animated) m_view->StartTurn(before, forward);
    NotifyAll(kNotifyPageTurned, this);
    return true;
  }
  if (locator.activity >= 0 || force) m_view->SelectActivity(locator.activity, force);
  return true;
}

void CPageWnd::ShowLocator(const ActivityLocator& locator) {
  if (locator.IsLessonLevel()) {
    LaunchFromLessonBook(locator, CourseToUtf8(locator.Describe(CurrentContents())));
    return;
  }
  if (locator.mark == 255)
    GoTo(locator, false, true);
  else
    GoTo(locator, true, false);
}

bool CPageWnd::GoToText(const std::string& text) {
  const std::optional<ActivityLocator> page = ParseGoToText(text, CurrentContents());
  if (!page) {
    ShowNotice(str::kInvalidPageNumber);
    return false;
  }
  return GoTo(*page, false, false);
}

void CPageWnd::UpdateTitle() {
  std::string title = m_view->titleLine();
  StripMarkupInPlace(title);
  setWindowTitle(QString::fromStdString(CourseToUtf8(title)));
}

ActivityLocator CPageWnd::LessonLocator() const { return ActivityLocator(m_current.lesson, -1, -1); }

void CPageWnd::Navigate(int command) {
  if (const auto target = NavigationTarget(command, m_current, CurrentContents())) GoTo(*target, true, false);
}

void CPageWnd::ShowGoToDialog() {
  CGoToDlg dialog(*this, this);
  dialog.exec();
}

// ---- what the shell asks ----

LessonBookPlace CPageWnd::CurrentPlace() const {
  LessonBookPlace place;
  place.lessonNumber = CurrentContents().LessonBase() + std::max<int>(0, m_current.lesson);
  place.pageNumber = m_current.page + 1;
  place.tool1 = m_view->document().content().tool1;
  place.tool2 = m_view->document().content().tool2;
  return place;
}

QRect CPageWnd::BarTabRect(int barId) const { return m_view->BarTabRect(barId); }

void CPageWnd::OnChildActivate() {
  CourseProgram* app = CourseProgram::Instance();
  if (!app) return;
  std::vector<ActivityLocator> queue = std::move(app->completedQueue());
  app->completedQueue().clear();
  CompletionRecord* record = CurrentCompletionRecord();
  // Every queued activity is marked, not only those of the page shown: marking an
  // activity completed again changes nothing, and none of the learner's work is lost.
  for (ActivityLocator& locator : queue) {
    if (record) record->SetCompleted(locator, true);
    NotifyAll(kNotifyCompletion, &locator);
  }
  if (!queue.empty()) m_view->RefreshCompletion();
}

void CPageWnd::OnTimer() { m_view->Tick(); }

void CPageWnd::OnCourseNotify(int code, void* data) {
  CStatWnd::OnCourseNotify(code, data);
  if (code == kNotifyPreferences && m_current.lesson >= 0 && !m_lessonCode.empty()) {
    // A new supplementary text reorders the lessons: the book keeps its page, which now
    // stands at another position and carries another number.
    const ContentsTable& contents = CurrentContents();
    if (m_current.LessonCodeOf(contents) != m_lessonCode) {
      if (const auto lesson = contents.ResolveLessonCode(m_lessonCode)) {
        m_current.lesson = lesson->lesson;
        m_view->LoadPage(m_current);
        UpdateTitle();
        NotifyAll(kNotifyPageTurned, this);
      }
    }
  }
  if (code == kNotifyActivated && data == this) {
    CourseProgram* app = CourseProgram::Instance();
    if (app && !app->completedQueue().empty()) OnChildActivate();
  }
}

// ---- commands ----

bool CPageWnd::UpdateCommand(int id, CommandState& state) {
  using namespace cmd;
  const ContentsTable& contents = CurrentContents();
  if (IsPageCommand(id)) {
    state.enabled = id == kGoTo ? contents.LessonCount() > 0 : NavigationEnabled(id, m_current, contents);
    return true;
  }
  switch (id) {
    case kLaunchExplore:
    case kWeb:
    case kCopy: state.enabled = m_current.lesson >= 0; return true;
    case kHomework: state.enabled = m_current.lesson >= 0 && PersonalityBool(kKeyHomework, true); return true;
    case kProjects: state.enabled = m_current.lesson >= 0 && PersonalityBool(kKeyProjects, true); return true;
    case kTool1: state.enabled = m_view->document().content().tool1 != 0; return true;
    case kTool2: state.enabled = m_view->document().content().tool2 != 0; return true;
    default: return CStatWnd::UpdateCommand(id, state);
  }
}

bool CPageWnd::OnCommand(int id) {
  using namespace cmd;
  CommandState state;
  if (UpdateCommand(id, state) && !state.enabled) return true;
  switch (id) {
    case kGoTo: ShowGoToDialog(); return true;
    case kFirstPage:
    case kNextPage:
    case kNextLesson:
    case kPreviousLesson:
    case kPreviousPage: Navigate(id); return true;
    case kLaunchExplore: LaunchExplore(); return true;
    case kHomework:
    case kProjects: OpenLessonWindow(id); return true;
    case kTool1: OpenTool(1); return true;
    case kTool2: OpenTool(2); return true;
    case kWeb: OpenWeb(); return true;
    case kCopy: Copy(); return true;
    default: return CStatWnd::OnCommand(id);
  }
}

void CPageWnd::Copy() {
  const std::string text = m_view->document().CopyText();
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(QString::fromStdString(text));
}

// ---- closing ----

std::optional<ActivityLocator> CPageWnd::activityLocator() const {
  if (m_current.lesson < 0) return std::nullopt;
  return ActivityLocator(m_current.lesson, m_current.page, -1);
}

void CPageWnd::closeEvent(QCloseEvent* event) {
  // The learner's work goes with the book: unsaved, it is offered to be saved first.
  if (CourseProgram* app = CourseProgram::Instance(); app && !app->SaveModified()) {
    event->ignore();
    return;
  }
  CStatWnd::closeEvent(event);
  if (!event->isAccepted()) return;
  m_view->FinishTurn();
  // The activity windows belong to the learner's session: they close with the book.
  if (QMdiArea* area = mdiArea()) {
    for (QMdiSubWindow* window : area->subWindowList())
      if (window != this) window->close();
  }
  LessonBookClosed();
}
