#include "search/SearchDlg.h"

#include <QtCore/QPointer>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <map>

#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CourseLocations.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "launch/Launcher.h"
#include "records/StudentRecord.h"
#include "shell/CourseProgram.h"
#include "shell/MainFrame.h"
#include "shell/ProgressDlg.h"
#include "shell/StatsDockWnd.h"
#include "shell/WindowTools.h"

namespace {

QPointer<CSearchDlg> g_dialog;

SearchLinks& StoredLinks() {
  static SearchLinks links;
  return links;
}

SearchLinks DefaultLinks() {
  SearchLinks links;
  links.contents = []() -> const ContentsTable& { return CurrentContents(); };
  links.findFolder = [](std::string_view code) -> std::optional<std::filesystem::path> {
    std::filesystem::path folder;
    if (code.empty() || !FindCourseFile(code, kSearchCourse, folder)) return std::nullopt;
    return folder;
  };
  links.launch = [](const ActivityLocator& locator) { Launch(locator, kLaunchOpen); };
  links.record = [] { return Service<StudentRecord>(); };
  links.showBookmarks = [] {
    CMainFrame* frame = CMainFrame::Instance();
    if (!frame) return;
    frame->SetBarVisible(cmd::kBookmarksBar, true);
    if (CStatsDockWnd* bar = frame->tearBar(cmd::kBookmarksBar)) bar->raise();
  };
  links.progressFileOpen = [] {
    const CourseProgram* program = CourseProgram::Instance();
    return !program || program->document() != nullptr;
  };
  return links;
}

QString Utf8(std::string_view courseBytes) { return QString::fromStdString(CourseToUtf8(courseBytes)); }

bool AnySelected(const QListWidget* list) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) return true;
  return false;
}

// The settings a change of which sends the next search back to the start.
bool WalkChanged(const SearchSettings& a, const SearchSettings& b) {
  return a.text != b.text || a.method != b.method || a.caseSensitive != b.caseSensitive || a.results != b.results ||
         a.types != b.types || a.lessons != b.lessons;
}

}  // namespace

SearchSession& CSearchDlg::Session() {
  static SearchSession session;
  return session;
}

void CSearchDlg::SetLinks(SearchLinks links) { StoredLinks() = std::move(links); }

// A copy each time: a link may run while another caller asks for the links again (a
// launch broadcasts, and the dialog's handler asks whether a file is open).
SearchLinks CSearchDlg::Links() {
  SearchLinks links = StoredLinks();
  const SearchLinks defaults = DefaultLinks();
  if (!links.contents) links.contents = defaults.contents;
  if (!links.findFolder) links.findFolder = defaults.findFolder;
  if (!links.launch) links.launch = defaults.launch;
  if (!links.record) links.record = defaults.record;
  if (!links.showBookmarks) links.showBookmarks = defaults.showBookmarks;
  if (!links.progressFileOpen) links.progressFileOpen = defaults.progressFileOpen;
  return links;
}

CSearchDlg* CSearchDlg::Instance() { return g_dialog.data(); }

CSearchDlg* CSearchDlg::Open(QWidget* parent) {
  if (!g_dialog) g_dialog = new CSearchDlg(parent);
  g_dialog->show();
  g_dialog->raise();
  g_dialog->activateWindow();
  g_dialog->m_text->setFocus();
  return g_dialog;
}

void CSearchDlg::RunSearch(QWidget* parent) {
  SearchSession& session = Session();
  const SearchLinks links = Links();
  const SearchSettings settings = session.settings;
  const TextMatcher probe(settings.text, settings.method, settings.caseSensitive, settings.regex);
  if (probe.tooManyTerms()) ShowNotice(str::kSearchTooManyTerms);
  if (!probe.searchesSomething()) {
    session.continuation.reset();
    return;
  }
  const ContentsTable& contents = links.contents();
  const bool display = settings.results == kResultsDisplay;

  // One stretch of the bar per lesson, advanced file by file within it, so that the
  // dialog looks at its Cancel button often enough inside a large lesson.
  constexpr std::int64_t kPerLesson = 1000;
  CProgressDlg progress(parent);
  const QString title = QString::fromStdString(ProgramString(str::kSearchTitle));
  progress.setWindowTitle(title);
  progress.Start(std::max(1, contents.LessonCount()) * kPerLesson, title, true);
  const SearchOutcome outcome = CourseSearch(contents, links.findFolder)
                                    .Run(settings, session.continuation, display ? 1 : kMaxSearchResults,
                                         [&](const SearchProgress& p) {
                                           std::int64_t at = p.lessonsDone * kPerLesson;
                                           if (p.fileCount > 0) at += kPerLesson * p.fileIndex / p.fileCount;
                                           return !progress.Step(at, true);
                                         });
  progress.hide();

  if (display) {
    if (outcome.hits.empty()) {
      session.continuation.reset();
      return;
    }
    session.continuation = outcome.continuation;
    links.launch(outcome.hits.front().locator);
    return;
  }
  if (outcome.tooMany) ShowNotice(str::kSearchTooManyHits);
  const std::vector<ActivityLocator> found = UniqueLocators(outcome.hits);
  if (found.empty()) {
    ShowNotice(str::kSearchNotFound, settings.text);
    return;
  }
  StudentRecord* record = links.record();
  if (!record) return;
  if (settings.results == kResultsReplaceBookmarks) record->ClearBookmarks();
  int last = 0;
  for (const ActivityLocator& locator : found) last = record->AddBookmark(locator);
  if (last < 0) ShowNotice(str::kBookmarkListFull);
  NotifyAll(kNotifyBookmarks, nullptr);
  links.showBookmarks();
}

CSearchDlg::CSearchDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Search"));
  setObjectName(QStringLiteral("Dialog3021"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls();
  ShowSettings();
  SetZoomed(Session().zoomed);
}

CSearchDlg::~CSearchDlg() {
  if (g_dialog == this) g_dialog = nullptr;
}

void CSearchDlg::BuildControls() {
  QPushButton* close = nullptr;
  QLayout* top = BuildTextRow(close);
  m_lower = new QWidget(this);
  auto* lower = new QVBoxLayout(m_lower);
  lower->setContentsMargins(0, 0, 0, 0);
  lower->addLayout(BuildOptions());
  lower->addLayout(BuildLists());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_lower);
  ConnectControls(close);
}

// The search text, and Search, Close and Zoom beside it.
QLayout* CSearchDlg::BuildTextRow(QPushButton*& close) {
  auto* top = new QHBoxLayout;
  auto* textColumn = new QVBoxLayout;
  textColumn->addWidget(new QLabel(QStringLiteral("Text"), this));
  m_text = new QLineEdit(this);
  m_text->setObjectName(QStringLiteral("Control%1").arg(kTextEdit));
  textColumn->addWidget(m_text);
  textColumn->addStretch();
  top->addLayout(textColumn, 1);

  auto* buttons = new QVBoxLayout;
  m_searchButton = new QPushButton(QStringLiteral("Search"), this);
  m_searchButton->setObjectName(QStringLiteral("Control%1").arg(kSearchButton));
  m_searchButton->setDefault(true);
  close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("Control%1").arg(kCloseButton));
  m_zoomButton = new QPushButton(QStringLiteral("Zoom"), this);
  m_zoomButton->setObjectName(QStringLiteral("Control%1").arg(kZoomButton));
  buttons->addWidget(m_searchButton);
  buttons->addWidget(close);
  buttons->addWidget(m_zoomButton);
  buttons->addStretch();
  top->addLayout(buttons);
  return top;
}

// Method, case, regular expression and where the results go.
QLayout* CSearchDlg::BuildOptions() {
  const auto radio = [this](QButtonGroup* group, QLayout* layout, int id, const char* text) {
    auto* b = new QRadioButton(QString::fromUtf8(text), m_lower);
    b->setObjectName(QStringLiteral("Control%1").arg(id));
    group->addButton(b, id);
    layout->addWidget(b);
  };
  auto* options = new QHBoxLayout;
  auto* methodBox = new QGroupBox(QStringLiteral("Method"), m_lower);
  auto* methodLayout = new QVBoxLayout(methodBox);
  m_method = new QButtonGroup(this);
  radio(m_method, methodLayout, kAsIsRadio, "as &is");
  radio(m_method, methodLayout, kAndRadio, "&and");
  radio(m_method, methodLayout, kOrRadio, "&or");
  options->addWidget(methodBox);
  auto* checks = new QVBoxLayout;
  m_case = new QCheckBox(QStringLiteral("&case sensitive"), m_lower);
  m_case->setObjectName(QStringLiteral("Control%1").arg(kCaseCheck));
  m_regex = new QCheckBox(QStringLiteral("regular e&xpression"), m_lower);
  m_regex->setObjectName(QStringLiteral("Control%1").arg(kRegexCheck));
  checks->addWidget(m_case);
  checks->addWidget(m_regex);
  checks->addStretch();
  options->addLayout(checks);
  auto* resultsBox = new QGroupBox(QStringLiteral("Results"), m_lower);
  auto* resultsLayout = new QVBoxLayout(resultsBox);
  m_results = new QButtonGroup(this);
  radio(m_results, resultsLayout, kDisplayRadio, "&display");
  radio(m_results, resultsLayout, kAddRadio, "add to &bookmarks");
  radio(m_results, resultsLayout, kReplaceRadio, "&replace bookmarks");
  options->addWidget(resultsBox);
  return options;
}

// The activity types and lessons to search, each with None and All.
QLayout* CSearchDlg::BuildLists() {
  auto* lists = new QHBoxLayout;
  const auto listColumn = [this, lists](const char* caption, int listId, int noneId, int allId) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(QString::fromUtf8(caption), m_lower));
    auto* list = new QListWidget(m_lower);
    list->setObjectName(QStringLiteral("Control%1").arg(listId));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    column->addWidget(list);
    auto* row = new QHBoxLayout;
    auto* none = new QPushButton(QStringLiteral("None"), m_lower);
    none->setObjectName(QStringLiteral("Control%1").arg(noneId));
    auto* all = new QPushButton(QStringLiteral("All"), m_lower);
    all->setObjectName(QStringLiteral("Control%1").arg(allId));
    connect(none, &QPushButton::clicked, list, &QListWidget::clearSelection);
    connect(all, &QPushButton::clicked, list, &QListWidget::selectAll);
    row->addWidget(none);
    row->addWidget(all);
    column->addLayout(row);
    lists->addLayout(column);
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { TakeSettings(); });
    return list;
  };
  m_types = listColumn("Activity types", kTypeList, kTypesNone, kTypesAll);
  m_lessons = listColumn("Lessons", kLessonList, kLessonsNone, kLessonsAll);
  return lists;
}

void CSearchDlg::ConnectControls(QPushButton* close) {
  connect(m_text, &QLineEdit::textChanged, this, [this] { TakeSettings(); });
  connect(m_method, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) TakeSettings();
  });
  connect(m_results, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) TakeSettings();
  });
  connect(m_case, &QCheckBox::toggled, this, [this] { TakeSettings(); });
  connect(m_regex, &QCheckBox::toggled, this, [this] { TakeSettings(); });
  connect(m_searchButton, &QPushButton::clicked, this, [this] { Search(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(m_zoomButton, &QPushButton::clicked, this, [this] { SetZoomed(!Session().zoomed); });
}

QAbstractButton* CSearchDlg::control(int id) const {
  if (QAbstractButton* b = m_method->button(id)) return b;
  if (QAbstractButton* b = m_results->button(id)) return b;
  return findChild<QAbstractButton*>(QStringLiteral("Control%1").arg(id));
}

void CSearchDlg::ShowSettings() {
  m_showing = true;
  SearchSession& session = Session();
  SearchSettings& s = session.settings;
  const ContentsTable& contents = Links().contents();
  // A lesson the list has not held before is included, as every lesson is at first.
  if (s.lessons.size() < static_cast<std::size_t>(contents.LessonCount()))
    s.lessons.resize(static_cast<std::size_t>(contents.LessonCount()), true);
  m_text->setText(Utf8(s.text));
  const int methods[] = {kAsIsRadio, kAndRadio, kOrRadio};
  m_method->button(methods[std::clamp(s.method, 0, 2)])->setChecked(true);
  const int results[] = {kDisplayRadio, kAddRadio, kReplaceRadio};
  m_results->button(results[std::clamp(s.results, 0, 2)])->setChecked(true);
  m_case->setChecked(s.caseSensitive);
  m_regex->setChecked(s.regex);
  m_types->clear();
  for (int t = 0; t < kSearchTypeCount; ++t) {
    m_types->addItem(QString::fromUtf8(SearchTypeOf(t).name));
    m_types->item(t)->setSelected(s.types[static_cast<std::size_t>(t)]);
  }
  m_lessons->clear();
  for (int l = 0; l < contents.LessonCount(); ++l) {
    m_lessons->addItem(Utf8(contents.String(contents.Lesson(l)->title)));
    m_lessons->item(l)->setSelected(s.LessonIncluded(l));
  }
  m_showing = false;
  UpdateButtons();
}

void CSearchDlg::TakeSettings() {
  if (m_showing) return;
  SearchSession& session = Session();
  SearchSettings next = session.settings;
  next.text = Utf8ToCourse(m_text->text().toStdString());
  switch (m_method->checkedId()) {
    case kAndRadio: next.method = kMethodAnd; break;
    case kOrRadio: next.method = kMethodOr; break;
    default: next.method = kMethodAsIs; break;
  }
  switch (m_results->checkedId()) {
    case kAddRadio: next.results = kResultsAddBookmarks; break;
    case kReplaceRadio: next.results = kResultsReplaceBookmarks; break;
    default: next.results = kResultsDisplay; break;
  }
  next.caseSensitive = m_case->isChecked();
  next.regex = m_regex->isChecked();
  for (int t = 0; t < kSearchTypeCount && t < m_types->count(); ++t)
    next.types[static_cast<std::size_t>(t)] = m_types->item(t)->isSelected();
  next.lessons.assign(static_cast<std::size_t>(m_lessons->count()), false);
  for (int l = 0; l < m_lessons->count(); ++l) next.lessons[static_cast<std::size_t>(l)] = m_lessons->item(l)->isSelected();
  if (WalkChanged(next, session.settings)) session.continuation.reset();
  session.settings = std::move(next);
  UpdateButtons();
}

void CSearchDlg::UpdateButtons() {
  const SearchSession& session = Session();
  const SearchSettings& s = session.settings;
  m_searchButton->setText(session.continuation ? QStringLiteral("Next") : QStringLiteral("Search"));
  // An empty search text would look for nothing: the button waits for one.
  const bool something = TextMatcher(s.text, s.method, s.caseSensitive, s.regex).searchesSomething();
  m_searchButton->setEnabled(something && AnySelected(m_types) && AnySelected(m_lessons));
}

void CSearchDlg::Search() {
  TakeSettings();
  if (!m_searchButton->isEnabled()) return;
  RunSearch(this);
  if (g_dialog == this) UpdateButtons();
}

void CSearchDlg::SetZoomed(bool zoomed) {
  Session().zoomed = zoomed;
  m_lower->setVisible(!zoomed);
  adjustSize();
}

void CSearchDlg::OnCourseNotify(int code, void* data) {
  // A null completion change with no progress file open is the file being closed.
  if (code == kNotifyCompletion && data == nullptr && !Links().progressFileOpen()) {
    close();
    return;
  }
  // Another textbook orders the lessons anew: a continuation's lesson position would
  // name another lesson, and the list shows the new order.
  if (code == kNotifyPreferences) {
    Session().continuation.reset();
    ShowSettings();
  }
}
