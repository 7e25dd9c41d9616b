// The Lesson Book window in a main frame: opening at the first page, turning pages,
// Go To, starting an activity from its icon, marking completion, and its look in every
// page format (set KN_SCREENSHOT_DIR to keep the pictures).
#include <gtest/gtest.h>

#include "course/CommandIds.h"
#include "course/OutsideGate.h"

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>
#include <memory>
#include <vector>

#include "LessonBookTestSupport.h"
#include "TestSupport.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/ResourceContainer.h"
#include "course/StringIds.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/GoToDlg.h"
#include "lessonbook/LessonBook.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageView.h"
#include "lessonbook/PageWnd.h"
#include "shell/CommandTarget.h"
#include "shell/CourseNotify.h"
#include "shell/MainFrame.h"

namespace {

void Settle(int ms = 0) {
  QApplication::processEvents();
  if (ms > 0) QTest::qWait(ms);
  QApplication::processEvents();
}

// Logs the completion notifications the frame broadcasts.
class CompletionProbe : public QWidget, public CourseNotifyTarget {
 public:
  explicit CompletionProbe(QWidget* parent) : QWidget(parent) {}
  void OnCourseNotify(int code, void* data) override {
    if (code == kNotifyCompletion && data) seen.push_back(*static_cast<ActivityLocator*>(data));
  }
  std::vector<ActivityLocator> seen;
};

class PageWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = std::make_unique<CMainFrame>(CMainFrame::Options{});
    frame->setGeometry(0, 0, 1100, 860);
    frame->show();
    Settle();
    book = OpenLessonBook();
    ASSERT_NE(book, nullptr);
    Settle();
  }
  void TearDown() override {
    frame.reset();
    Settle();
  }
  CPageView* view() const { return book->pageView(); }
  bool Enabled(int id) {
    CommandState state;
    book->UpdateCommand(id, state);
    return state.enabled;
  }
  QPoint InViewport(QPoint canvas) const { return canvas - QPoint(0, view()->verticalScrollBar()->value()); }

  lbtest::CourseFixture course;
  MemoryCompletionRecord marks;
  ScopedCompletionRecord recordScope{&marks};
  std::unique_ptr<CMainFrame> frame;
  CPageWnd* book = nullptr;
};

TEST_F(PageWndTest, OpensAtTheFirstPageWithFirstAndPreviousDisabled) {
  EXPECT_EQ(FindPageWnd(), book);
  EXPECT_EQ(OpenLessonBook(), book);  // only one book
  EXPECT_EQ(book->current().lesson, 0);
  EXPECT_EQ(book->current().page, 0);
  EXPECT_TRUE(view()->pageLoaded());
  EXPECT_EQ(book->windowTitle(), QStringLiteral("1-1  Getting started"));
  EXPECT_FALSE(Enabled(cmd::kFirstPage));
  EXPECT_FALSE(Enabled(cmd::kPreviousPage));
  EXPECT_FALSE(Enabled(cmd::kPreviousLesson));
  EXPECT_TRUE(Enabled(cmd::kNextPage));
  EXPECT_TRUE(Enabled(cmd::kNextLesson));
  EXPECT_TRUE(Enabled(cmd::kGoTo));
}

TEST_F(PageWndTest, NavigationCommandsTurnPagesAndRememberThePageLeft) {
  struct Step {
    int command;
    int lesson, page;
    int previous;  // the page before, as lesson x 256 + page
  };
  const Step steps[] = {{cmd::kNextPage, 0, 1, 0},       {cmd::kNextPage, 1, 0, 1},     {cmd::kNextLesson, 2, 0, 256},
                        {cmd::kPreviousPage, 1, 1, 512}, {cmd::kPreviousLesson, 0, 0, 257}, {cmd::kNextLesson, 1, 0, 0},
                        {cmd::kFirstPage, 0, 0, 256}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.command);
    EXPECT_TRUE(book->OnCommand(s.command));
    view()->FinishTurn();
    EXPECT_EQ(book->current().lesson, s.lesson);
    EXPECT_EQ(book->current().page, s.page);
    EXPECT_EQ(book->previousPage(), s.previous);
    // A progress file saved now keeps the page the book shows.
    ASSERT_TRUE(book->activityLocator());
    EXPECT_EQ(*book->activityLocator(), ActivityLocator(s.lesson, s.page, -1));
  }
  EXPECT_EQ(book->windowTitle(), QStringLiteral("1-1  Getting started"));
}

TEST_F(PageWndTest, GoToDialogTurnsOrKeepsTheDialogOpenWithTheNotice) {
  NoticeRecorder notices;
  CGoToDlg dialog(*book, book);
  EXPECT_EQ(dialog.entry()->text(), QStringLiteral("1-1"));
  dialog.entry()->setText(QStringLiteral("x3"));
  EXPECT_FALSE(dialog.Go());
  EXPECT_TRUE(notices.sawId(str::kInvalidPageNumber));
  EXPECT_EQ(dialog.result(), 0);
  EXPECT_EQ(book->current().lesson, 0);

  notices.clear();
  dialog.entry()->setText(QStringLiteral("2 2"));
  EXPECT_TRUE(dialog.Go());
  EXPECT_TRUE(notices.notices().empty());
  EXPECT_EQ(book->current().lesson, 1);
  EXPECT_EQ(book->current().page, 1);

  EXPECT_TRUE(book->GoToText("3"));
  EXPECT_EQ(book->current().lesson, 2);
  EXPECT_EQ(book->current().page, 0);
}

TEST_F(PageWndTest, ClickingAnActivityIconAsksToLaunchExactlyThatActivity) {
  std::vector<ActivityLocator> launched;
  LessonBookLinks links;
  links.launch = [&](const ActivityLocator& locator) { launched.push_back(locator); };
  ScopedLessonBookLinks scoped(links);

  const int entry = view()->document().ParagraphOfActivity(1);
  ASSERT_EQ(entry, 4);
  view()->SelectActivity(1, false);  // scrolls the entry into view
  const QPoint icon = InViewport(view()->document().paragraphs()[4].iconRect.center());
  QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, icon);
  QTest::mouseMove(view()->viewport(), icon + QPoint(1, 1));
  QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, icon + QPoint(1, 1));
  Settle(300);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].lesson, 0);
  EXPECT_EQ(launched[0].page, 0);
  EXPECT_EQ(launched[0].activity, 1);
  EXPECT_FALSE(launched[0].IsLessonLevel());
  EXPECT_EQ(view()->paintState().iconDepth, 0);  // raised again afterwards

  // Pressed on the icon but released elsewhere on the page: nothing starts.
  launched.clear();
  QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, icon);
  QTest::mouseMove(view()->viewport(), icon + QPoint(0, 60));
  QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, icon + QPoint(0, 60));
  Settle(300);
  EXPECT_TRUE(launched.empty());
}

TEST_F(PageWndTest, WithoutALauncherStartingAnActivitySaysSo) {
  ScopedLessonBookLinks none{LessonBookLinks{}};
  NoticeRecorder notices;
  view()->SetMenuParagraph(2);
  EXPECT_TRUE(view()->OnCommand(cmd::kStartActivity));
  Settle(300);
  EXPECT_TRUE(notices.sawId(str::kNoLauncher));
}

TEST_F(PageWndTest, TogglingCompletionBroadcastsAndRedrawsTheMark) {
  auto* probe = new CompletionProbe(frame.get());
  view()->SelectActivity(1, false);
  Settle();
  const QRect mark = view()->document().paragraphs()[4].markRect;
  const auto clockShown = [&] {
    const QImage shot = view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect r = QRect(InViewport(mark.topLeft()), mark.size()).intersected(shot.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (shot.pixel(x, y) == qRgb(255, 255, 204)) return true;
    return false;
  };
  EXPECT_TRUE(clockShown());

  view()->SetMenuParagraph(4);
  CommandState state;
  EXPECT_TRUE(view()->UpdateCommand(cmd::kToggleCompleted, state));
  EXPECT_TRUE(state.enabled);
  EXPECT_TRUE(view()->OnCommand(cmd::kToggleCompleted));
  Settle();
  ASSERT_EQ(probe->seen.size(), 1u);
  EXPECT_EQ(probe->seen[0].lesson, 0);
  EXPECT_EQ(probe->seen[0].page, 0);
  EXPECT_EQ(probe->seen[0].activity, 1);
  EXPECT_TRUE(marks.IsCompleted(ActivityLocator(0, 0, 1)));
  EXPECT_TRUE(view()->document().paragraphs()[4].completed);
  EXPECT_FALSE(clockShown());

  EXPECT_TRUE(view()->OnCommand(cmd::kToggleCompleted));
  Settle();
  EXPECT_EQ(probe->seen.size(), 2u);
  EXPECT_FALSE(marks.IsCompleted(ActivityLocator(0, 0, 1)));
  EXPECT_TRUE(clockShown());
}

TEST_F(PageWndTest, LocatorsFromElsewhereTurnSelectOrGoToTheLauncher) {
  std::vector<ActivityLocator> launched;
  LessonBookLinks links;
  links.launch = [&](const ActivityLocator& locator) { launched.push_back(locator); };
  ScopedLessonBookLinks scoped(links);
  const auto selected = [&] {
    std::vector<bool> out;
    for (const PageParagraph& p : view()->document().paragraphs()) out.push_back(p.selected);
    return out;
  };

  ActivityLocator quiz(0, 0, 1);
  book->ShowLocator(quiz);  // animated, the entry alone
  view()->FinishTurn();
  EXPECT_EQ(selected(), (std::vector<bool>{false, false, false, false, true, false}));

  book->GoTo(ActivityLocator(1, 0, -1), false, false);
  quiz.mark = 255;  // without animation, the entry with its explanation
  book->ShowLocator(quiz);
  EXPECT_FALSE(view()->turning());
  EXPECT_EQ(book->current().lesson, 0);
  EXPECT_EQ(selected(), (std::vector<bool>{false, false, false, true, true, false}));

  ActivityLocator note(0, -1, -1);
  note.kind = 9;
  note.file = "note1.ast";
  book->ShowLocator(note);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].file, std::optional<std::string>("note1.ast"));
  EXPECT_EQ(book->current().lesson, 0);

  EXPECT_FALSE(book->GoTo(ActivityLocator(7, 0, -1), false, false));
  EXPECT_FALSE(book->GoTo(ActivityLocator(0, 5, -1), false, true));
  EXPECT_EQ(book->current().lesson, 0);
}

TEST_F(PageWndTest, DogEarTurnsToTheNextPageAndTurningBackReturns) {
  view()->ScrollTo(view()->verticalScrollBar()->maximum());
  Settle();
  ASSERT_EQ(view()->paintState().dogEar, DogEarState::Shown);
  const QRect ear = view()->document().chrome().DogEarRect(view()->document().canvasSize());
  const QPoint at = InViewport(ear.center());
  QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, at);
  Settle();
  view()->FinishTurn();
  EXPECT_EQ(book->current().page, 1);

  view()->SetMenuParagraph(-1);
  EXPECT_TRUE(view()->OnCommand(cmd::kPreviousShown));
  view()->FinishTurn();
  EXPECT_EQ(book->current().lesson, 0);
  EXPECT_EQ(book->current().page, 0);

  // No dog ear on the last page of the course.
  book->GoTo(ActivityLocator(2, 0, -1), false, false);
  Settle();
  EXPECT_EQ(view()->paintState().dogEar, DogEarState::Hidden);
}

TEST_F(PageWndTest, ActivityMenuFollowsTheEntryUnderThePointer) {
  const auto menu = [&](int paragraph, int id) {
    view()->SetMenuParagraph(paragraph);
    CommandState state;
    EXPECT_TRUE(view()->UpdateCommand(id, state));
    return std::pair{state.enabled, state.text.value_or("")};
  };
  EXPECT_EQ(menu(4, cmd::kToggleCompleted), (std::pair{true, std::string("Set activity completed")}));
  marks.SetCompleted(ActivityLocator(0, 0, 1), true);
  view()->RefreshCompletion();
  EXPECT_EQ(menu(4, cmd::kToggleCompleted), (std::pair{true, std::string("Set activity uncompleted")}));
  for (int id : {cmd::kBookmarkActivity, cmd::kStartActivity, cmd::kShrinkActivity, cmd::kToggleCompleted}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(menu(2, id).first);
    EXPECT_FALSE(menu(0, id).first);  // an explanation, not an entry
    EXPECT_FALSE(menu(-1, id).first);
  }
  EXPECT_FALSE(menu(-1, cmd::kPreviousShown).first);
  book->OnCommand(cmd::kNextPage);
  view()->FinishTurn();
  EXPECT_EQ(menu(-1, cmd::kPreviousShown), (std::pair{true, std::string("Go back to page 1-1")}));

  // Shrinking from the menu hides the explanation with the entry; again restores it.
  book->OnCommand(cmd::kFirstPage);
  view()->FinishTurn();
  const int height = view()->document().paragraphs()[3].height;
  view()->SetMenuParagraph(4);
  view()->OnCommand(cmd::kShrinkActivity);
  EXPECT_EQ(view()->document().paragraphs()[3].height, 0);
  view()->OnCommand(cmd::kShrinkActivity);
  EXPECT_EQ(view()->document().paragraphs()[3].height, height);
}

// A course whose "Shrink Explanation" is false still lets the learner open an entry that
// starts shrunk: the key chooses only the help topic.
TEST_F(PageWndTest, EntriesThatStartShrunkOpenAlsoWithoutShrinkExplanation) {
  ContainerWriter w;
  w.AddEntry(kEntryText, "Shrink Explanation", {'0'});
  const auto personality = CoursePersonality::FromBytes(w.Build());
  ScopedService<CoursePersonality> installed(personality.get());
  course.WriteCourseFile("cd/cd1.pag", lbtest::PageFile("<img s=icon e=1 h=1 t=4><h2>Beta film</h2>Beta text.<p>"));
  book->close();
  Settle();
  book = OpenLessonBook();
  ASSERT_NE(book, nullptr);
  book->GoTo(ActivityLocator(1, 0, -1), false, false);
  view()->FinishTurn();
  EXPECT_EQ(view()->helpContext(), 6025);
  const int entry = view()->document().ParagraphOfActivity(0);
  ASSERT_GE(entry, 0);
  const auto paragraph = [&]() -> const PageParagraph& { return view()->document().paragraphs()[static_cast<std::size_t>(entry)]; };
  ASSERT_TRUE(paragraph().shrunk);
  // The box answers a click.
  const QRect box = paragraph().shrinkBox;
  ASSERT_FALSE(box.isEmpty());
  EXPECT_EQ(view()->document().HitTest(box.center(), view()->verticalScrollBar()->value(), view()->viewport()->height()).element,
            PageElement::ShrinkBox);
  // The menu offers 9071, which opens the entry, and a second time shrinks it again.
  view()->SetMenuParagraph(entry);
  CommandState state;
  view()->UpdateCommand(cmd::kShrinkActivity, state);
  EXPECT_TRUE(state.enabled);
  view()->OnCommand(cmd::kShrinkActivity);
  EXPECT_FALSE(paragraph().shrunk);
  view()->OnCommand(cmd::kShrinkActivity);
  EXPECT_TRUE(paragraph().shrunk);
}

TEST_F(PageWndTest, AddendumOpensOnlyAFileOfItsOwnFolder) {
  NoticeRecorder notices;
  const auto execute = [&](const std::string& ext) {
    course.WriteTeacherFile("ab/page1.ext", ext);
    book->GoTo(ActivityLocator(0, 1, -1), false, false);
    book->GoTo(ActivityLocator(0, 0, -1), false, false);
    const auto& ps = view()->document().paragraphs();
    int addendum = -1;
    for (std::size_t i = 0; i < ps.size(); ++i)
      if (ps[i].teacherExtension && ps[i].activity) addendum = static_cast<int>(i);
    EXPECT_GE(addendum, 0);
    view()->SetMenuParagraph(addendum);
    CommandState state;
    view()->UpdateCommand(cmd::kToggleCompleted, state);
    EXPECT_FALSE(state.enabled);  // the menu is for course activities
    notices.clear();
    view()->OnCommand(cmd::kStartActivity);
  };
  execute("Read this.\n");
  EXPECT_TRUE(notices.sawId(str::kExtensionNameMissing));
  execute("file:../../outside.sh\nRead this.\n");
  EXPECT_TRUE(notices.sawId(str::kExtensionOutside));
  execute("file:missing.pdf\nRead this.\n");
  EXPECT_TRUE(notices.sawId(str::kExtensionOpenFailed));

  // The addendum's link goes through the same gate as every launch: a desktop entry, a
  // script or a program in the teacher's folder never reaches the desktop, whatever its
  // name; a plain document does.
  std::vector<QString> opened;
  DocumentOpener previous = SetDocumentOpener([&](const QString& path) {
    opened.push_back(path);
    return true;
  });
  std::string comments;
  for (int i = 0; i < 40; ++i) comments += "# nothing to see here, just a long comment line\n";
  course.WriteTeacherFile("ab/handout.htm", comments + "[Desktop Entry]\nType=Application\nExec=sh -c evil\n");
  execute("file:handout.htm\nRead this.\n");
  EXPECT_TRUE(notices.sawId(str::kExtensionOpenFailed));
  course.WriteTeacherFile("ab/viewer.desktop", "[Desktop Entry]\nExec=sh\n");
  execute("file:viewer.desktop\nRead this.\n");
  course.WriteTeacherFile("ab/run.htm", "#!/bin/sh\nevil\n");
  execute("file:run.htm\nRead this.\n");
  EXPECT_TRUE(opened.empty());
  course.WriteTeacherFile("ab/notes.htm", "<html><body>notes</body></html>");
  execute("file:notes.htm\nRead this.\n");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].endsWith("notes.htm"));
  SetDocumentOpener(std::move(previous));
}

TEST_F(PageWndTest, AccessoriesWithoutTheirFilesOrWindowsSaySo) {
  NoticeRecorder notices;
  struct Case {
    int command;
    int notice;
  };
  const Case cases[] = {{cmd::kWeb, str::kExploreMissing},
                        {cmd::kLaunchExplore, str::kExploreMissing},
                        {cmd::kHomework, str::kWindowMissing},
                        {cmd::kProjects, str::kWindowMissing}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    notices.clear();
    EXPECT_TRUE(book->OnCommand(c.command));
    EXPECT_TRUE(notices.sawId(c.notice));
  }
  course.WriteCourseFile("cd/cd1.pag", lbtest::PageFile("<! t=least>Use the tool.<p>"));
  book->GoTo(ActivityLocator(1, 0, -1), false, false);
  CommandState state;
  book->UpdateCommand(cmd::kTool1, state);
  EXPECT_TRUE(state.enabled);
  book->UpdateCommand(cmd::kTool2, state);
  EXPECT_FALSE(state.enabled);
  notices.clear();
  book->OnCommand(cmd::kTool1);
  EXPECT_TRUE(notices.sawId(str::kToolMissing));
  EXPECT_TRUE(notices.sawText("cdleast.scr"));
}

TEST_F(PageWndTest, EveryPageFormatLooksDifferent) {
  const QString dir = qEnvironmentVariable("KN_SCREENSHOT_DIR");
  // KN_SCREENSHOT_COURSE: a packed course folder (holding course/) to picture instead.
  const QString other = qEnvironmentVariable("KN_SCREENSHOT_COURSE");
  Preferences& prefs = course.prefs;
  if (!other.isEmpty()) {
    const std::filesystem::path root = other.toStdString();
    prefs.SetFolder(Preferences::kProgramFolder, root.string() + "/");
    const auto text = [&](const char* name) {
      const std::vector<std::uint8_t> bytes = kntest::ReadFileBytes(root / "course" / name);
      return std::string(bytes.begin(), bytes.end());
    };
    course.contents.Load(text("contents.txt"), 1, 0, nullptr);
    course.sources.Load(std::string_view(text("asterisk.txt")));
    ASSERT_GT(course.contents.LessonCount(), 0);
    book->GoTo(ActivityLocator(1, 0, -1), false, false);
    book->GoTo(ActivityLocator(0, 0, -1), false, false);
  }
  book->showNormal();
  book->resize(1024, 768);
  Settle();
  std::vector<QImage> shots;
  for (int format = 0; format < kPageFormatCount; ++format) {
    const Preferences previous = prefs;
    prefs.pageFormat = static_cast<std::uint8_t>(format);
    view()->OnCourseNotify(kNotifyPreferences, const_cast<Preferences*>(&previous));
    Settle();
    const QImage shot = book->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    for (const QImage& other : shots) EXPECT_NE(shot, other) << "format " << format;
    shots.push_back(shot);
    if (!dir.isEmpty()) {
      QDir().mkpath(dir);
      shot.save(dir + QStringLiteral("/lessonbook-format%1.png").arg(format));
    }
  }
}

}  // namespace
