#include "tour/DemoTour.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <system_error>

#include "course/ActivityLocator.h"
#include "course/ContentsServices.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "exercises/QuizControls.h"
#include "exercises/QuizView.h"
#include "exercises/QuizWnd.h"
#include "hypertext/Picture.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/LessonBook.h"
#include "lessonbook/PageView.h"
#include "lessonbook/PageWnd.h"
#include "movies/MovieWnd.h"
#include "records/ProgressStore.h"
#include "records/StatsDoc.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentInfoDlg.h"
#include "records/StudentRecord.h"
#include "search/SearchDlg.h"
#include "glossary/GlossaryBar.h"
#include "glossary/IndexBar.h"
#include "course/CommandIds.h"
#include "shell/CourseProgram.h"
#include "shell/MainFrame.h"
#include "shell/StatsDockWnd.h"
#include "shell/WindowTools.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPollInterval = 100;  // ms
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 900;
constexpr int kTourFormat = 4;       // "Notebook": a page format unlike the course's own
constexpr int kLargerFontSize = 18;  // points: the equations' page seen larger
constexpr int kEquationPage = 2;     // "Centre and spread", in the first lesson
constexpr int kMovieActivity = 2;    // on the first page: "Where do the values pile up?"
constexpr int kMarkedActivity = 0;   // on the first page: "What is a distribution?"
constexpr const char* kSearchWord = "median";  // in pages, scripts and documents of three lessons
constexpr int kSearchHitsAtLeast = 5;
constexpr int kExerciseActivity = 1;  // on the first page: "Kinds of variables"
// The page the learner leaves the book at, and finds it at again.
constexpr struct {
  int lesson, page;
} kReopenedPage = {0, 1};

CStudentInfoDlg* StudentDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = dynamic_cast<CStudentInfoDlg*>(w); dialog && dialog->isVisible()) return dialog;
  return nullptr;
}

CMovieWnd* MovieWindow() {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame || !frame->mdiArea()) return nullptr;
  for (QMdiSubWindow* w : frame->mdiArea()->subWindowList())
    if (auto* movie = dynamic_cast<CMovieWnd*>(w); movie && movie->isVisible()) return movie;
  return nullptr;
}

CQuizWnd* QuizWindow() {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame || !frame->mdiArea()) return nullptr;
  for (QMdiSubWindow* w : frame->mdiArea()->subWindowList())
    if (auto* quiz = dynamic_cast<CQuizWnd*>(w); quiz && quiz->isVisible()) return quiz;
  return nullptr;
}

// The learner answers the question shown from the keyboard (a choice, Enter, its blank,
// Enter), or goes on to the next one once it is done.
void AnswerQuestion(CQuizWnd& quiz) {
  QuizSession& s = quiz.session();
  CQuizView& view = *quiz.quizView();
  const ExerciseQuestion* q = s.currentQuestion();
  if (!q || s.AllDone()) return;
  if (q->done) {
    view.OnCommand(cmd::kQuizNext);
    return;
  }
  for (int blank = 0; blank < static_cast<int>(s.fill().slotList().size()); ++blank) {
    const int choice = s.AnsweringChoice(blank);
    if (choice < 0) return;
    view.choicesBox()->SetFocusSlot(choice);
    view.ActivateSlot(*view.choicesBox());
    view.fillBox()->SetFocusSlot(blank);
    view.ActivateSlot(*view.fillBox());
  }
}

// The book is open, shows page (lesson, page) and has finished turning.
bool BookAt(int lesson, int page) {
  const CPageWnd* book = FindPageWnd();
  return book && book->current().lesson == lesson && book->current().page == page &&
         !book->pageView()->turning() && book->pageView()->pageLoaded();
}

// The paragraph of the page's activity entry, as the learner's right click finds it.
int EntryParagraph(const CPageView& view, int activity) {
  const auto& list = view.document().paragraphs();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].activity && !list[i].teacherExtension && list[i].activityIndex == activity) return static_cast<int>(i);
  return -1;
}

// The page shown draws the activity's entry as completed.
bool ShowsMark(int activity) {
  const CPageWnd* book = FindPageWnd();
  const int p = book ? EntryParagraph(*book->pageView(), activity) : -1;
  return p >= 0 && book->pageView()->document().paragraphs()[static_cast<std::size_t>(p)].completed;
}

// What the learner does from the context menu of an entry of the page shown.
bool EntryCommand(int activity, int command) {
  CPageWnd* book = FindPageWnd();
  if (!book) return false;
  CPageView* view = book->pageView();
  const int paragraph = EntryParagraph(*view, activity);
  if (paragraph < 0) return false;
  view->SetMenuParagraph(paragraph);
  CommandState state;
  view->UpdateCommand(command, state);
  return state.enabled && view->OnCommand(command);
}

// The question asked before unsaved work would be lost.
QMessageBox* SaveQuestion() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->button(QMessageBox::Yes)) return box;
  return nullptr;
}

// The progress file on disc holds exactly these completions of the first page.
bool FileHolds(const fs::path& file, std::initializer_list<int> activities) {
  ProgressReadOptions options;
  options.contents = &CurrentContents();
  const ProgressOpen open = ReadProgressPath(file, options);
  if (open.status != ProgressOpen::Status::Ok || open.data.learner.completions().size() != activities.size()) return false;
  for (int activity : activities)
    if (!open.data.learner.IsCompleted(ActivityLocator(0, 0, activity))) return false;
  return true;
}

// The size of the first equation picture on the page shown; empty when there is none.
QSize FirstEquationSize() {
  const CPageWnd* book = FindPageWnd();
  if (!book) return {};
  for (const PageParagraph& p : book->pageView()->document().paragraphs())
    if (p.picture && p.picture->kind() == Picture::kMetafile) return p.picture->Size();
  return {};
}

CStatsDockWnd* ContentsBar() {
  CMainFrame* frame = CMainFrame::Instance();
  return frame ? frame->tearBar(cmd::kContentsBar) : nullptr;
}

bool Route(int command) {
  CMainFrame* frame = CMainFrame::Instance();
  return frame && frame->RouteCommand(command);
}

QString Text(const fs::path& path) { return QString::fromStdString(path.string()); }

// The offscreen platform says of every raise and size hint that it cannot; the tour's
// output keeps to what it does.
void QuietPlatformMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (type == QtDebugMsg) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

bool PrepareTourEnvironment(const fs::path& dir, std::string& why) {
  // Every tour starts from the course's own settings, whatever an earlier one left.
  std::error_code ec;
  fs::remove_all(dir / "settings", ec);
  fs::create_directories(dir / "settings", ec);
  if (ec) {
    why = "cannot make " + (dir / "settings").string() + ": " + ec.message();
    return false;
  }
  // One screen the size of a laptop's, described to the offscreen platform in a file.
  const fs::path screen = dir / "settings" / "screen.json";
  std::ofstream out(screen, std::ios::trunc);
  out << R"({"screens":[{"name":"tour","x":0,"y":0,"width":)" << kScreenWidth << R"(,"height":)" << kScreenHeight
      << R"(,"logicalDpi":96}]})" << '\n';
  if (!out.flush()) {
    why = "cannot write " + screen.string();
    return false;
  }
  const std::string platform = "offscreen:configfile=" + screen.string();
  setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Text(dir / "settings"));
  qInstallMessageHandler(QuietPlatformMessages);
  return true;
}

CDemoTour::CDemoTour(CourseProgram& app, fs::path dir) : m_app(app), m_dir(std::move(dir)) { m_steps = MakeSteps(); }

CDemoTour::~CDemoTour() = default;

std::vector<CDemoTour::Step> CDemoTour::MakeSteps() {
  return {WelcomeStep(),    NewStudentStep(),   LessonBookStep(),   NextPageStep(),
          PageFormatStep(), EquationsStep(),    EquationsLargerStep(), ContentsStep(),
          MovieStep(),      CompletedStep(),    SavedStep(),        SaveQuestionStep(),
          ClosedStep(),     ReopenedStep(),     ExerciseStep(),     SearchStep(),
          GlossaryStep(),   IndexStep()};
}

fs::path CDemoTour::ProgressFile() const { return m_dir / kProgressFile; }

CDemoTour::Step CDemoTour::WelcomeStep() {
  return {"welcome", "The Welcome window of the course", {},
          [this] { return m_app.welcomeWindow() && m_app.welcomeWindow()->isVisible(); }, 1500, {}, {}};
}

// New: the learner enters a name and a textbook; the file is named at once.
CDemoTour::Step CDemoTour::NewStudentStep() {
  return {"new-student", "A new learner in \"Enter Student Information\"",
          [this, file = ProgressFile()] {
            if (CStatsDocTemplate* docs = m_app.docTemplate()) docs->chooseFile = [file](bool) { return Text(file); };
            Route(cmd::kNew);
          },
          [] {
            CStudentInfoDlg* dialog = StudentDialog();
            if (!dialog) return false;
            dialog->nameEdit()->setText(QString::fromUtf8(kLearner));
            if (dialog->bundleList()->count() > 1) dialog->bundleList()->setCurrentIndex(1);
            return true;
          },
          300,
          [] { return StudentDialog() ? QString() : QStringLiteral("the student dialog went away"); },
          [] {
            if (CStudentInfoDlg* dialog = StudentDialog()) dialog->accept();
          }};
}

CDemoTour::Step CDemoTour::LessonBookStep() {
  const fs::path file = ProgressFile();
  return {"lesson-book", "The Lesson Book opens at the first page", {},
          [this, file] {
            const CStatsDoc* doc = m_app.document();
            return doc && doc->path() == file && BookAt(0, 0);
          },
          800,
          [file] {
            const StudentRecord* record = Service<StudentRecord>();
            if (!record || record->name() != kLearner) return QStringLiteral("the learner's name was not taken");
            if (!fs::exists(file)) return QStringLiteral("the new progress file was not written");
            return QString();
          },
          {}};
}

CDemoTour::Step CDemoTour::NextPageStep() {
  return {"next-page", "The next page, turned from the toolbar", [] { Route(cmd::kNextPage); },
          [] { return BookAt(0, 1); }, 300, {}, {}};
}

CDemoTour::Step CDemoTour::PageFormatStep() {
  return {"page-format", "The same page in another format, chosen in the preferences",
          [] {
            Preferences* prefs = Service<Preferences>();
            if (!prefs) return;
            const Preferences previous = *prefs;
            prefs->pageFormat = prefs->pageFormat == kTourFormat ? 0 : kTourFormat;
            prefs->SetChanged();
            NotifyPreferencesChanged(previous);
          },
          [] { return BookAt(0, 1); }, 300,
          [] {
            const Preferences* prefs = Service<Preferences>();
            return prefs && prefs->changed() ? QString() : QStringLiteral("the page format did not change");
          },
          {}};
}

// A page with equations, then the same page at a larger text size: the equations are
// laid out again at the new size, not stretched.
CDemoTour::Step CDemoTour::EquationsStep() {
  return {"equations", "Equations on the page \"Centre and spread\"", [] { Route(cmd::kNextPage); },
          [] { return BookAt(0, kEquationPage); }, 300,
          [this] {
            m_equationSize = FirstEquationSize();
            return m_equationSize.isEmpty() ? QStringLiteral("the page shows no equation") : QString();
          },
          {}};
}

CDemoTour::Step CDemoTour::EquationsLargerStep() {
  return {"equations-larger", "The same page with a larger text size chosen in the preferences",
          [] {
            Preferences* prefs = Service<Preferences>();
            if (!prefs) return;
            const Preferences previous = *prefs;
            prefs->fontSize = kLargerFontSize;
            NotifyPreferencesChanged(previous);
          },
          [this] { return BookAt(0, kEquationPage) && FirstEquationSize() != m_equationSize; }, 300,
          [this] {
            const QSize larger = FirstEquationSize();
            if (larger.width() <= m_equationSize.width() || larger.height() <= m_equationSize.height())
              return QStringLiteral("the equations did not grow with the text");
            return QString();
          },
          [] {
            Preferences* prefs = Service<Preferences>();
            if (!prefs) return;
            const Preferences previous = *prefs;
            prefs->fontSize = Preferences::kDefaultFontSize;
            NotifyPreferencesChanged(previous);
          }};
}

// The learner opens the Table of Contents and moves it out of the book's way.
CDemoTour::Step CDemoTour::ContentsStep() {
  return {"contents", "The Table of Contents, moved beside the book",
          [] {
            Route(cmd::kContentsBar);
            CStatsDockWnd* bar = ContentsBar();
            const CPageWnd* book = FindPageWnd();
            if (!bar || !book || !bar->isFloating()) return;
            const QPoint corner = book->mapToGlobal(QPoint(book->width() + 16, 0));
            bar->FloatAt(QRect(corner, QSize(280, 420)));
          },
          [] { return CMainFrame::Instance() && CMainFrame::Instance()->barVisible(cmd::kContentsBar); }, 500, {}, {}};
}

// Back to the first page, where the learner starts the movie from its icon.
CDemoTour::Step CDemoTour::MovieStep() {
  return {"movie", "A movie started from its icon on the first page",
          [this] {
            m_movieStarted = false;
            if (CPageWnd* book = FindPageWnd()) book->GoTo(ActivityLocator(0, 0, -1), false, false);
          },
          [this] {
            if (!m_movieStarted && BookAt(0, 0)) m_movieStarted = EntryCommand(kMovieActivity, cmd::kStartActivity);
            return MovieWindow() != nullptr;
          },
          2500, {}, {}};
}

CDemoTour::Step CDemoTour::CompletedStep() {
  return {"completed", "An activity marked completed from its menu",
          [] {
            if (CMovieWnd* movie = MovieWindow()) movie->close();
          },
          [] {
            if (MovieWindow() || !BookAt(0, 0)) return false;
            const ActivityLocator marked(0, 0, kMarkedActivity);
            if (!IsActivityCompleted(marked)) EntryCommand(kMarkedActivity, cmd::kToggleCompleted);
            return IsActivityCompleted(marked);
          },
          500,
          [] {
            const CPageWnd* book = FindPageWnd();
            const int p = book ? EntryParagraph(*book->pageView(), kMarkedActivity) : -1;
            if (p < 0 || !book->pageView()->document().paragraphs()[static_cast<std::size_t>(p)].completed)
              return QStringLiteral("the page does not show the mark");
            return QString();
          },
          {}};
}

// Saved from the File menu; the file on disc must hold the mark.
CDemoTour::Step CDemoTour::SavedStep() {
  return {"saved", "The progress file saved from the File menu",
          [this] {
            if (const CStatsDockWnd* bar = ContentsBar()) m_barPlace = bar->frameGeometry();
            Route(cmd::kSave);
          },
          [file = ProgressFile()] { return FileHolds(file, {kMarkedActivity}); },
          200, {}, {}, true};
}

// The movie was watched too: the learner marks it, goes on to the next page and closes
// the book without saving. The program asks before the work is lost; the learner
// answers Yes.
CDemoTour::Step CDemoTour::SaveQuestionStep() {
  return {"save-question", "Closing the book with unsaved work: the program asks to save it",
          [] {
            EntryCommand(kMovieActivity, cmd::kToggleCompleted);
            if (CPageWnd* book = FindPageWnd()) {
              book->GoTo(ActivityLocator(kReopenedPage.lesson, kReopenedPage.page, -1), false, false);
              book->close();
            }
          },
          [] { return SaveQuestion() != nullptr; }, 300, {},
          [] {
            if (QMessageBox* box = SaveQuestion()) box->button(QMessageBox::Yes)->click();
          }};
}

CDemoTour::Step CDemoTour::ClosedStep() {
  return {"closed", "The Lesson Book closed: the Welcome window is back",
          {},
          [this] {
            return !FindPageWnd() && !m_app.document() && m_app.welcomeWindow() && m_app.welcomeWindow()->isVisible();
          },
          1000,
          [file = ProgressFile()] {
            const StudentRecord* record = Service<StudentRecord>();
            if (!record || !record->name().empty()) return QStringLiteral("the learner record was kept");
            if (!FileHolds(file, {kMarkedActivity, kMovieActivity}))
              return QStringLiteral("the file does not hold the work saved on closing");
            return QString();
          },
          {}};
}

// Opened again from the recent-file list: the marks, the page left, the active book and
// the bar come back.
CDemoTour::Step CDemoTour::ReopenedStep() {
  return {"reopened", "The progress file opened again from the recent files",
          [] { Route(cmd::kRecentFirst); },
          [this, file = ProgressFile()] {
            const CStatsDoc* doc = m_app.document();
            const CPageWnd* book = FindPageWnd();
            return doc && doc->path() == file && book && book->pageView()->pageLoaded() && !book->pageView()->turning();
          },
          800,
          [this] {
            const StudentRecord* record = Service<StudentRecord>();
            if (!record || record->name() != kLearner) return QStringLiteral("the learner's name did not come back");
            for (int activity : {kMarkedActivity, kMovieActivity})
              if (!IsActivityCompleted(ActivityLocator(0, 0, activity)))
                return QStringLiteral("the completions did not come back");
            const CStatsDockWnd* bar = ContentsBar();
            if (!bar || !bar->isVisible() || bar->frameGeometry() != m_barPlace)
              return QStringLiteral("the Table of Contents did not come back where it was");
            if (!BookAt(kReopenedPage.lesson, kReopenedPage.page))
              return QStringLiteral("the Lesson Book did not come back at the page left");
            if (!m_app.frame() || m_app.frame()->mdiArea()->activeSubWindow() != FindPageWnd())
              return QStringLiteral("the Lesson Book is not the active window");
            return QString();
          },
          {}};
}

// Back on the first page the learner opens the exercise from its icon, moves it beside
// the book under the Table of Contents, and answers each question from the keyboard, one
// a moment; the last answer of each is checked at once. When all are done Next reads
// Close, and the book, active again, shows the exercise marked completed.
CDemoTour::Step CDemoTour::ExerciseStep() {
  return {"exercise", "An exercise answered from the keyboard, checked and marked completed",
          [this] {
            m_exerciseStarted = false;
            Route(cmd::kPreviousPage);
          },
          [this] {
            if (!m_exerciseStarted && BookAt(0, 0)) {
              m_exerciseStarted = EntryCommand(kExerciseActivity, cmd::kStartActivity);
              CQuizWnd* quiz = QuizWindow();
              const CStatsDockWnd* bar = ContentsBar();
              if (quiz && bar && quiz->parentWidget()) {
                const QPoint under(bar->frameGeometry().left(), bar->frameGeometry().bottom() + 12);
                quiz->move(quiz->parentWidget()->mapFromGlobal(under));
              }
            }
            CQuizWnd* quiz = QuizWindow();
            if (!quiz) return false;
            if (!quiz->session().AllDone()) {
              AnswerQuestion(*quiz);
              return false;
            }
            CPageWnd* book = FindPageWnd();
            if (book && m_app.frame()) m_app.frame()->mdiArea()->setActiveSubWindow(book);
            return ShowsMark(kExerciseActivity);
          },
          800,
          [] {
            const CQuizWnd* quiz = QuizWindow();
            if (!quiz) return QStringLiteral("the exercise window went away");
            if (quiz->quizView()->button(cmd::kQuizNext)->text() != QStringLiteral("Close"))
              return QStringLiteral("Next does not read Close");
            if (!IsActivityCompleted(ActivityLocator(0, 0, kExerciseActivity)))
              return QStringLiteral("the exercise is not marked completed");
            return QString();
          },
          {}};
}

// Find from the Edit menu: the learner looks for a word across the course and has every
// place it occurs added to the bookmarks; the Bookmarks bar comes up with them.
CDemoTour::Step CDemoTour::SearchStep() {
  return {"search", "A search across the course, its hits added to the Bookmarks bar",
          [] {
            Route(cmd::kFind);
            CSearchDlg* dialog = CSearchDlg::Instance();
            if (!dialog) return;
            dialog->textEdit()->setText(QString::fromUtf8(kSearchWord));
            dialog->control(CSearchDlg::kAddRadio)->click();
            // Beside the bar, over the book's lower part, where both stay in view.
            if (const CPageWnd* book = FindPageWnd())
              dialog->move(book->mapToGlobal(QPoint(40, book->height() / 3)));
            dialog->searchButton()->click();
          },
          [placed = std::make_shared<bool>(false)] {
            const StudentRecord* record = Service<StudentRecord>();
            CMainFrame* frame = CMainFrame::Instance();
            if (!record || record->bookmarkCount() == 0 || !frame || !frame->barVisible(cmd::kBookmarksBar)) return false;
            // The learner moves the bar to the free side of the screen, under the Table of
            // Contents' right edge, to read it.
            CStatsDockWnd* bar = frame->tearBar(cmd::kBookmarksBar);
            const CStatsDockWnd* contents = ContentsBar();
            if (!*placed && bar && bar->isFloating() && contents) {
              const QRect beside = contents->frameGeometry();
              bar->FloatAt(QRect(QPoint(beside.right() + 8, beside.top()), QSize(270, 560)));
              *placed = true;
              return false;
            }
            return *placed;
          },
          800,
          [] {
            const StudentRecord* record = Service<StudentRecord>();
            if (!CSearchDlg::Instance() || !CSearchDlg::Instance()->isVisible())
              return QStringLiteral("the Search dialog is not open");
            if (record->bookmarkCount() < kSearchHitsAtLeast)
              return QStringLiteral("the search found %1 places, fewer than expected").arg(record->bookmarkCount());
            return QString();
          },
          {}};
}

// The learner clicks a defined term on the page: the Glossary bar shows its definition,
// with the page's phrase before the general one.
CDemoTour::Step CDemoTour::GlossaryStep() {
  auto term = std::make_shared<std::string>();
  return {"glossary", "A defined term clicked on the page: its definition in the Glossary",
          [term] {
            if (CSearchDlg* dialog = CSearchDlg::Instance()) dialog->close();
            CPageWnd* book = FindPageWnd();
            if (!book) return;
            CPageView* view = book->pageView();
            for (const PageParagraph& p : view->document().paragraphs()) {
              if (p.shownBody().terms.empty()) continue;
              const HyperTerm& first = p.shownBody().terms.front();
              *term = first.text;
              view->ScrollTo(std::max(0, first.rect.top() - 40));
              const QPoint at = first.rect.center() - view->scrollOffset();
              const QPoint global = view->viewport()->mapToGlobal(at);
              QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(global), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
              QCoreApplication::sendEvent(view->viewport(), &press);
              QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(global), Qt::LeftButton,
                                  Qt::NoButton, Qt::NoModifier);
              QCoreApplication::sendEvent(view->viewport(), &release);
              return;
            }
          },
          [placed = std::make_shared<bool>(false)] {
            CMainFrame* frame = CMainFrame::Instance();
            CStatsDockWnd* dock = frame ? frame->tearBar(cmd::kGlossaryBar) : nullptr;
            auto* bar = dock ? dynamic_cast<CGlossaryBar*>(dock->bar()) : nullptr;
            if (!frame || !frame->barVisible(cmd::kGlossaryBar) || !bar || bar->currentTerm() < 0) return false;
            // The learner moves the bar off the page, under the Table of Contents.
            if (!*placed) {
              *placed = true;
              if (const CStatsDockWnd* contents = ContentsBar(); contents && dock->isFloating())
                dock->FloatAt(QRect(contents->frameGeometry().bottomLeft() + QPoint(0, 24), QSize(250, 200)));
              return false;
            }
            return true;
          },
          500,
          [term] {
            CMainFrame* frame = CMainFrame::Instance();
            auto* bar = dynamic_cast<CGlossaryBar*>(frame->tearBar(cmd::kGlossaryBar)->bar());
            if (term->empty()) return QStringLiteral("the page has no defined term");
            if (bar->CopyText().find("In general, ") == std::string::npos)
              return QStringLiteral("the definition does not show the page's phrase");
            return QString();
          },
          {}};
}

// From the Glossary, the Index button: the Index bar lists where the course treats the term.
CDemoTour::Step CDemoTour::IndexStep() {
  return {"index", "The term's places in the course, from the Glossary's Index button",
          [] {
            CMainFrame* frame = CMainFrame::Instance();
            CStatsDockWnd* dock = frame ? frame->tearBar(cmd::kGlossaryBar) : nullptr;
            if (auto* bar = dock ? dynamic_cast<CGlossaryBar*>(dock->bar()) : nullptr) bar->OnCommand(cmd::kGlossaryIndex);
          },
          [placed = std::make_shared<bool>(false)] {
            CMainFrame* frame = CMainFrame::Instance();
            CStatsDockWnd* dock = frame ? frame->tearBar(cmd::kIndexBar) : nullptr;
            auto* bar = dock ? dynamic_cast<CIndexBar*>(dock->bar()) : nullptr;
            if (!bar || !frame->barVisible(cmd::kIndexBar) || bar->currentTerm() < 0) return false;
            if (!*placed) {
              *placed = true;
              const CStatsDockWnd* glossary = frame->tearBar(cmd::kGlossaryBar);
              if (glossary && dock->isFloating())
                dock->FloatAt(QRect(glossary->frameGeometry().bottomLeft() + QPoint(0, 16), QSize(250, 200)));
              return false;
            }
            return true;
          },
          500,
          [] {
            auto* bar = dynamic_cast<CIndexBar*>(CMainFrame::Instance()->tearBar(cmd::kIndexBar)->bar());
            if (bar->ReferenceRows() < 2) return QStringLiteral("the index shows no place for the term");
            return QString();
          },
          {}};
}

void CDemoTour::Start() {
  // A tour that cannot come to an end is a failure too.
  QTimer::singleShot(kStepTimeout * static_cast<int>(m_steps.size() + 1), this,
                     [this] { Fail(QStringLiteral("the tour took too long")); });
  RunStep(0);
}

void CDemoTour::RunStep(std::size_t index) {
  if (m_done) return;
  if (index == m_steps.size()) {
    Finish();
    return;
  }
  // The learner's action runs from the event loop: it may open a modal dialog, which the
  // polling answers from inside that dialog's loop.
  if (const auto& act = m_steps[index].act) QTimer::singleShot(0, this, act);
  QTimer::singleShot(kPollInterval, this, [this, index] { Poll(index, kPollInterval); });
}

void CDemoTour::Poll(std::size_t index, int waited) {
  if (m_done) return;
  const Step& step = m_steps[index];
  if (!step.ready()) {
    if (waited >= kStepTimeout) {
      Fail(QStringLiteral("step %1 (%2) did not come about").arg(index + 1).arg(QString::fromUtf8(step.name)));
      return;
    }
    QTimer::singleShot(kPollInterval, this, [this, index, waited] { Poll(index, waited + kPollInterval); });
    return;
  }
  QTimer::singleShot(step.settle, this, [this, index] { TakePicture(index); });
}

void CDemoTour::TakePicture(std::size_t index) {
  if (m_done) return;
  const Step& step = m_steps[index];
  const QString name = QString::fromUtf8(step.name);
  if (step.check) {
    if (const QString why = step.check(); !why.isEmpty()) {
      Fail(QStringLiteral("step %1 (%2): %3").arg(index + 1).arg(name, why));
      return;
    }
  }
  const QString file = QStringLiteral("%1-%2.png").arg(index + 1, 2, 10, QLatin1Char('0')).arg(name);
  const QString path = Text(m_dir / file.toStdString());
  if (!m_app.frame() || !SaveFrameScreenshot(*m_app.frame(), path)) {
    Fail(QStringLiteral("cannot write %1").arg(path));
    return;
  }
  const QImage picture(path);
  if (!step.samePictureAllowed && picture == m_lastPicture) {
    Fail(QStringLiteral("step %1 (%2) changed nothing on the screen").arg(index + 1).arg(name));
    return;
  }
  m_lastPicture = picture;
  m_listing.push_back(file.toStdString() + "  " + step.caption);
  std::printf("%s  %s\n", qPrintable(file), step.caption);
  std::fflush(stdout);
  if (step.after) step.after();
  QTimer::singleShot(200, this, [this, index] { RunStep(index + 1); });
}

void CDemoTour::Fail(const QString& why) {
  if (m_done) return;
  m_done = true;
  std::fprintf(stderr, "kestrelon: the tour stopped: %s\n", qPrintable(why));
  // A dialog left open would keep its own loop running.
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  if (CStudentInfoDlg* dialog = StudentDialog()) dialog->reject();
  QCoreApplication::exit(1);
}

void CDemoTour::Finish() {
  std::ofstream out(m_dir / "tour.txt", std::ios::trunc);
  out << "The demonstration tour: a picture of each step.\n\n";
  for (const std::string& line : m_listing) out << line << '\n';
  out << '\n' << kProgressFile << "  the learner's progress file\n";
  if (!m_notices.empty()) {
    out << "\nNotices the program showed:\n";
    for (const std::string& notice : m_notices) out << "  " << notice << '\n';
  }
  out.flush();
  if (!out) {
    Fail(QStringLiteral("cannot write %1").arg(Text(m_dir / "tour.txt")));
    return;
  }
  m_done = true;
  std::printf("The tour's pictures and the progress file are in %s\n", m_dir.string().c_str());
  QCoreApplication::exit(0);
}
