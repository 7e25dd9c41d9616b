// The exercise window as the learner meets it: every exercise of the bundled course opened
// from its page and answered by mouse and by keyboard until Next reads Close and the
// activity is completed; wrong answers that fall and stay red; Hint, Check, Undo, Copy;
// the same exercise kept and another one (a lesson-level file) read afresh; an exercise
// without questions never completed; the drawing of a box.
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QPushButton>
#include <cstdlib>
#include <memory>

#include "TestSupport.h"
#include "course/ActivityKind.h"
#include "course/CommandIds.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ResourceContainer.h"
#include "course/Services.h"
#include "exercises/QuizControls.h"
#include "exercises/QuizView.h"
#include "exercises/QuizWnd.h"
#include "launch/Launcher.h"
#include "records/StudentRecord.h"
#include "shell/MainFrame.h"

namespace fs = std::filesystem;

namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

fs::path BuiltProgramFolder() {
  const char* dir = std::getenv("KN_BINARY_DIR");
  return dir ? fs::path(dir) / "bin" : fs::path();
}

// What a screen reader reads of a widget through the accessibility interface.
QString Accessible(QWidget* w, QAccessible::Text which) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
  return face ? face->text(which) : QString();
}

struct QuizFixture : ::testing::Test {
  Preferences prefs;
  ContentsTable contents;
  ScopedService<Preferences> prefsService{&prefs};
  ScopedService<ContentsTable> contentsService{&contents};
  StudentRecord record;
  ScopedService<StudentRecord> recordService{&record};
  std::unique_ptr<CMainFrame> frame;
  NoticeRecorder notices;

  void SetUp() override {
    frame = std::make_unique<CMainFrame>(CMainFrame::Options{});
    frame->setGeometry(40, 40, 1200, 900);
    frame->show();
    Settle();
    InstallExerciseWindows();
  }
  void TearDown() override {
    frame.reset();
    Settle();
  }

  bool UseSampleCourse() {
    const fs::path program = BuiltProgramFolder();
    if (program.empty() || !fs::exists(program / "course" / "contents.txt")) return false;
    prefs.SetFolder(Preferences::kProgramFolder, program.string() + "/");
    const auto bytes = kntest::ReadFileBytes(program / "course" / "contents.txt");
    contents.Load(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), 1, 0, nullptr);
    return true;
  }

  std::vector<ActivityLocator> Exercises() const {
    std::vector<ActivityLocator> out;
    for (int l = 0; l < contents.LessonCount(); ++l) {
      const ContentsLesson& lesson = *contents.Lesson(l);
      for (int p = 0; p < lesson.pageCount; ++p) {
        const ContentsPage& page = lesson.pages[std::size_t(p)];
        for (int a = 0; a < page.activityCount; ++a) {
          const ContentsActivity& act = page.activities[std::size_t(a)];
          if (act.file && KindOfFileName(contents.String(act.file)) == kKindExercise) out.emplace_back(l, p, a);
        }
      }
    }
    return out;
  }

  CQuizWnd* Window() const {
    for (QMdiSubWindow* w : frame->mdiArea()->subWindowList())
      if (auto* q = dynamic_cast<CQuizWnd*>(w); q && !q->isHidden()) return q;
    return nullptr;
  }

  CQuizWnd* Open(const ActivityLocator& l) {
    auto* w = dynamic_cast<CQuizWnd*>(Launch(l, kLaunchOpen));
    Settle();
    return w;
  }

  // A window of its own on an exercise text written to a temporary file.
  static fs::path WriteExercise(const std::string& name, const std::string& text) {
    static const fs::path dir = kntest::MakeTempDir("quiz");
    ContainerWriter writer;
    writer.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
    const fs::path path = dir / name;
    kntest::WriteFileBytes(path, writer.Build());
    return path;
  }
};

int ChoiceFor(const QuizSession& s, int blank) { return s.AnsweringChoice(blank); }

QPoint Centre(const QuizSlot& slot) { return slot.rect.center(); }

// Drags choice onto blank with the mouse, as the learner does.
void DragChoice(CQuizView& view, int choice, int blank) {
  CQuizData* from = view.choicesBox();
  CQuizData* to = view.fillBox();
  from->grab();  // painted once: the slots have their rectangles
  to->grab();
  const QPoint start = Centre(from->box().slotList()[std::size_t(choice)]);
  const QPoint end = from->mapFromGlobal(to->mapToGlobal(Centre(to->box().slotList()[std::size_t(blank)])));
  QTest::mousePress(from, Qt::LeftButton, {}, start);
  ASSERT_TRUE(view.dragging());
  QTest::mouseMove(from, end);
  EXPECT_EQ(to->target(), blank);
  QTest::mouseRelease(from, Qt::LeftButton, {}, end);
  EXPECT_FALSE(view.dragging());
}

// Puts choice into blank with the keyboard: the choice, Enter, the blank, Enter.
void KeyChoice(CQuizView& view, int choice, int blank) {
  CQuizData* choices = view.choicesBox();
  CQuizData* fill = view.fillBox();
  choices->setFocus();
  choices->EnsureFocusSlot();
  QTest::keyClick(choices, Qt::Key_Home);
  for (int i = 0; i < choice; ++i) QTest::keyClick(choices, Qt::Key_Right);
  ASSERT_EQ(choices->focusSlot(), choice);
  EXPECT_TRUE(Accessible(choices, QAccessible::Name).startsWith(QStringLiteral("Choices: choice %1 of").arg(choice + 1)));
  QTest::keyClick(choices, Qt::Key_Return);
  ASSERT_GE(fill->focusSlot(), 0);
  QTest::keyClick(fill, Qt::Key_Home);
  for (int i = 0; i < blank; ++i) QTest::keyClick(fill, Qt::Key_Down);
  ASSERT_EQ(fill->focusSlot(), blank);
  EXPECT_TRUE(Accessible(fill, QAccessible::Name).startsWith(QStringLiteral("Fill in the Blanks: blank %1 of").arg(blank + 1)));
  QTest::keyClick(fill, Qt::Key_Enter);
  const QString said = Accessible(&view, QAccessible::Description);
  EXPECT_TRUE(said.contains(QStringLiteral("placed in blank %1").arg(blank + 1)) || said.startsWith(QStringLiteral("Right!")))
      << said.toStdString();
}

using Placer = void (*)(CQuizView&, int, int);

// Answers every question of the open exercise right; the window is left showing Close.
void AnswerAll(CQuizWnd& w, Placer place) {
  QuizSession& s = w.session();
  CQuizView& view = *w.quizView();
  for (int guard = 0; guard < s.count() && !s.AllDone(); ++guard) {
    const int blanks = int(s.fill().slotList().size());
    ASSERT_GT(blanks, 0);
    for (int b = 0; b < blanks; ++b) {
      const int choice = ChoiceFor(s, b);
      ASSERT_GE(choice, 0) << "blank " << b << " of question " << s.current();
      place(view, choice, b);
    }
    ASSERT_TRUE(s.currentQuestion()->done) << "question " << s.current();
    if (!s.AllDone()) {
      EXPECT_EQ(view.button(cmd::kQuizNext)->text(), QStringLiteral("Next"));
      QTest::mouseClick(view.button(cmd::kQuizNext), Qt::LeftButton);
    }
  }
}

TEST_F(QuizFixture, EverySampleExerciseIsAnsweredByMouseAndByKeyboardAndCompleted) {
  if (!UseSampleCourse()) GTEST_SKIP() << "the sample course is not built";
  const auto exercises = Exercises();
  ASSERT_GE(exercises.size(), 8u);
  for (Placer place : {Placer(DragChoice), Placer(KeyChoice)}) {
    for (const ActivityLocator& l : exercises) record.SetCompleted(l, false);
    for (const ActivityLocator& l : exercises) {
      SCOPED_TRACE(std::to_string(l.lesson) + "/" + std::to_string(l.page) + "/" + std::to_string(l.activity));
      CQuizWnd* w = Open(l);
      ASSERT_NE(w, nullptr);
      ASSERT_GT(w->session().count(), 0);
      EXPECT_EQ(w->shownActivity(), l);
      EXPECT_FALSE(record.IsCompleted(l));
      AnswerAll(*w, place);
      EXPECT_TRUE(record.IsCompleted(l));
      QPushButton* next = w->quizView()->button(cmd::kQuizNext);
      EXPECT_EQ(next->text(), QStringLiteral("Close"));
      EXPECT_TRUE(next->isEnabled());
      QTest::mouseClick(next, Qt::LeftButton);
      Settle();
      EXPECT_EQ(Window(), nullptr);  // Close closed it
    }
  }
  EXPECT_TRUE(notices.notices().empty());
}

TEST_F(QuizFixture, AWrongAnswerFallsAndStaysRedAndUndoTakesTheDropBack) {
  const fs::path file = WriteExercise("centre.fil",
                                      "title:Centre\nfill:The \xC7mean\xC8 and the \xC7median\xC8.\nhint:Add \xB5p.\n\n"
                                      "fill:Second \xC7two\xC8\n");
  auto* w = new CQuizWnd;
  ASSERT_TRUE(w->OpenActivity(ActivityLocator(0, 0, 0), CourseFile::Open(file)));
  Settle();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Centre"));
  CQuizView& view = *w->quizView();
  QuizSession& s = w->session();
  EXPECT_FALSE(view.button(cmd::kQuizCheck)->isEnabled());
  EXPECT_TRUE(view.button(cmd::kQuizHint)->isEnabled());

  // Hint: the notice dialog, captioned "Hint".
  QTest::mouseClick(view.button(cmd::kQuizHint), Qt::LeftButton);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].title, "Hint");
  EXPECT_EQ(notices.notices()[0].text, "Add \xCE\xBCp.");

  const int median = ChoiceFor(s, 1);
  DragChoice(view, median, 1);
  EXPECT_TRUE(view.button(cmd::kQuizCheck)->isEnabled());
  CommandState undo;
  view.UpdateCommand(cmd::kUndo, undo);
  EXPECT_TRUE(undo.enabled);
  EXPECT_EQ(undo.text.value_or(""), "Undo Dropped Answer\tCtrl+Z");
  view.OnCommand(cmd::kUndo);
  EXPECT_EQ(s.fill().slotList()[1].text, "???");
  view.UpdateCommand(cmd::kUndo, undo);
  EXPECT_EQ(undo.text.value_or(""), "Redo Dropped Answer\tCtrl+Z");
  view.OnCommand(cmd::kUndo);
  EXPECT_EQ(s.fill().slotList()[1].text, "median");

  // The last blank filled with a wrong answer: checked at once, and it falls.
  DragChoice(view, median, 0);
  ASSERT_TRUE(view.falling());
  ASSERT_EQ(view.fallingRects().size(), 1u);
  const QRect start = view.fallingRects()[0];
  QTest::qWait(40);
  ASSERT_FALSE(view.fallingRects().empty());
  EXPECT_GT(view.fallingRects()[0].top(), start.top());
  view.FinishFall();
  EXPECT_FALSE(view.falling());
  EXPECT_EQ(s.fill().slotList()[0].text, "median");  // stays in its blank
  EXPECT_TRUE(s.fill().slotList()[0].flag);
  EXPECT_FALSE(s.questions()[0].done);
  const QImage shot = view.fillBox()->grab().toImage();
  const QRect red = s.fill().slotList()[0].rect;
  int redPixels = 0;
  for (int y = red.top(); y <= red.bottom(); ++y)
    for (int x = red.left(); x <= red.right(); ++x) redPixels += shot.pixelColor(x, y) == QColor(204, 0, 0);
  EXPECT_GT(redPixels, 0);

  // Copy: both boxes as they stand.
  view.OnCommand(cmd::kCopy);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("The median and the median.\r\n\r\n")));

  // Check with nothing changed, then the right answer; Back and Next go round.
  EXPECT_TRUE(view.button(cmd::kQuizBack)->isEnabled());
  QTest::mouseClick(view.button(cmd::kQuizNext), Qt::LeftButton);
  EXPECT_EQ(s.current(), 1);
  EXPECT_FALSE(view.button(cmd::kQuizHint)->isEnabled());
  QTest::mouseClick(view.button(cmd::kQuizBack), Qt::LeftButton);
  EXPECT_EQ(s.current(), 0);
  EXPECT_EQ(s.fill().slotList()[0].text, "???");  // shown again: the answers are gone
  delete w;
}

TEST_F(QuizFixture, TheSameExerciseIsKeptAndALessonLevelOneIsToldApartByItsFile) {
  const fs::path a = WriteExercise("a.fil", "fill:\xC7" "a\xC8 \xC7" "b\xC8\n");
  const fs::path b = WriteExercise("b.fil", "fill:\xC7z\xC8\n");
  ActivityLocator homeworkA(1, -1, -1), homeworkB(1, -1, -1);
  homeworkA.kind = homeworkB.kind = kKindHomework;
  homeworkA.file = "A.fil";
  homeworkB.file = "b.fil";
  CQuizWnd w;
  ASSERT_TRUE(w.OpenActivity(homeworkA, CourseFile::Open(a)));
  w.session().DropAnswer(0, "a");
  ActivityLocator again = homeworkA;
  again.file = "a.FIL";
  ASSERT_TRUE(w.OpenActivity(again, CourseFile::Open(a)));
  EXPECT_EQ(w.session().fill().slotList()[0].text, "a");  // kept
  ASSERT_TRUE(w.OpenActivity(homeworkB, CourseFile::Open(b)));
  EXPECT_EQ(w.session().fill().items(), std::vector<std::string>{"z"});  // read afresh
  EXPECT_EQ(w.shownActivity(), homeworkB);
}

TEST_F(QuizFixture, AnExerciseWithoutQuestionsIsNeverCompleted) {
  const fs::path empty = WriteExercise("empty.fil", "title:Nothing to do\nhint:no fill line\n");
  const ActivityLocator l(0, 0, 1);
  CQuizWnd w;
  ASSERT_TRUE(w.OpenActivity(l, CourseFile::Open(empty)));
  Settle();
  CQuizView& view = *w.quizView();
  for (int id : {cmd::kQuizHint, cmd::kQuizCheck, cmd::kQuizBack, cmd::kQuizNext})
    EXPECT_FALSE(view.button(id)->isEnabled()) << id;
  EXPECT_EQ(view.button(cmd::kQuizNext)->text(), QStringLiteral("Next"));
  view.UpdateButtons();
  EXPECT_FALSE(record.IsCompleted(l));
}

TEST_F(QuizFixture, HeightsMoveTheBoxesAndAQuestionWithoutOneKeepsThem) {
  const fs::path file = WriteExercise("heights.fil", "fill:\xC7" "a\xC8\nheight:66\n\nfill:\xC7" "b\xC8\n");
  CQuizWnd w;
  ASSERT_TRUE(w.OpenActivity(ActivityLocator(0, 0, 0), CourseFile::Open(file)));
  CQuizView& view = *w.quizView();
  EXPECT_EQ(view.fillBox()->geometry(), QRect(4, 4, 412, 74));
  EXPECT_EQ(view.choicesBox()->geometry(), QRect(4, 82, 412, 218));
  view.OnCommand(cmd::kQuizNext);
  EXPECT_EQ(w.session().current(), 1);
  EXPECT_EQ(view.fillBox()->geometry(), QRect(4, 4, 412, 74));
}

TEST(QuizBoxPainting, SlotsGetTheirPlacesLineByLine) {
  QuizBox box;
  std::string text;
  for (int i = 0; i < 12; ++i) text += "word \xC7" "answer" + std::to_string(i) + "\xC8 ";
  text += "\xA6" "after\t\xC7last\xC8";
  box.Parse(text, QuizBox::Role::Choices);
  QImage image(412, 148, QImage::Format_RGB32);
  QPainter p(&image);
  PaintQuizBox(p, image.size(), QStringLiteral(" Choices "), box, {});
  p.end();
  const auto& list = box.slotList();
  ASSERT_EQ(list.size(), 13u);
  int lines = 1;
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_FALSE(list[i].rect.isEmpty()) << i;
    EXPECT_GE(list[i].rect.left(), 10);
    EXPECT_LE(list[i].rect.right(), 402) << i;  // never broken past the right edge
    if (i == 0) continue;
    EXPECT_GE(list[i].rect.top(), list[i - 1].rect.top());
    if (list[i].rect.top() > list[i - 1].rect.top()) ++lines;
  }
  EXPECT_GE(lines, 3);
  // The pilcrow starts a line, the tab moves to the next 40-pixel step from the left.
  EXPECT_EQ(list.back().rect.left() % 40, 10);
  EXPECT_EQ(box.SlotAt(list[3].rect.center()), 3);
  EXPECT_EQ(box.SlotAt(QPoint(1, 1)), -1);
}

}  // namespace
