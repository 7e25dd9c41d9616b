#include <gtest/gtest.h>

#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/CourseFile.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/ResourceContainer.h"
#include "course/StringIds.h"
#include "hypertext/HyperServices.h"
#include "hypertext/HyperView.h"
#include "hypertext/HyperWnd.h"

namespace {

constexpr const char* kTermText =
    "Spread is measured by the <dfn>standard deviation</dfn t=\"how far the values lie from their mean\">.";

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

class HyperViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wnd.resize(420, 300);
    HyperStyle style;
    style.dpiY = 96;
    view()->SetStyle(style);
  }
  CHyperView* view() { return wnd.view(); }
  void Show() {
    wnd.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
  }
  // The first term's rectangle in the view's coordinates.
  QRect TermRect() {
    const auto& terms = view()->document().paragraphs().at(0).terms;
    return terms.at(0).rect.translated(0, -view()->scrollPosition());
  }

  CHyperWnd wnd;
};

TEST_F(HyperViewTest, ClickingADefinedTermShowsItInTheGlossary) {
  std::vector<std::tuple<std::string, std::string, std::size_t>> shown;
  HyperWindowLinks links;
  links.showTerm = [&](std::string_view term, std::string_view phrase, std::size_t length) {
    shown.emplace_back(term, phrase, length);
  };
  ScopedHyperWindowLinks scoped(links);
  view()->SetText(Bytes(kTermText), false);
  Show();
  const QRect term = TermRect();
  ASSERT_FALSE(term.isEmpty());

  // Pointing at the term shows the hand; elsewhere the arrow.
  QTest::mouseMove(view(), term.center());
  EXPECT_NE(view()->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseMove(view(), QPoint(term.left() - 30, term.bottom() + 40));
  EXPECT_EQ(view()->cursor().shape(), Qt::ArrowCursor);

  // Pressed: the term is framed inverted.
  QTest::mousePress(view(), Qt::LeftButton, {}, term.center());
  const QImage pressed = view()->grab().toImage();
  EXPECT_EQ(pressed.pixel(term.topLeft()) & 0xFFFFFF, 0u);
  QTest::mouseRelease(view(), Qt::LeftButton, {}, term.center());
  const std::string phrase = "how far the values lie from their mean";
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], std::make_tuple(std::string("standard deviation"), phrase, phrase.size()));
  EXPECT_EQ(view()->grab().toImage().pixel(term.topLeft()) & 0xFFFFFF, 0xFFFFFFu);

  // The second word is the same term.
  QTest::mouseClick(view(), Qt::LeftButton, {}, QPoint(term.right() - 4, term.center().y()));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(std::get<0>(shown[1]), "standard deviation");

  // Released elsewhere, nothing is shown.
  QTest::mousePress(view(), Qt::LeftButton, {}, term.center());
  QTest::mouseMove(view(), term.center() + QPoint(0, 60));
  QTest::mouseRelease(view(), Qt::LeftButton, {}, term.center() + QPoint(0, 60));
  EXPECT_EQ(shown.size(), 2u);
}

TEST_F(HyperViewTest, CommandsReachTheirReceivers) {
  view()->SetText(Bytes("<title>The <b>Mean</b></title>Some &theta; text"), false);
  ActivityLocator where(2, 1, -1);
  where.kind = 9;
  where.file = "note.ast";
  view()->SetLocator(where);
  wnd.UpdateCaption();
  EXPECT_EQ(wnd.windowTitle(), "The Mean");
  EXPECT_GE(wnd.minimumWidth(), 240);
  EXPECT_GE(wnd.minimumHeight(), 200);

  EXPECT_TRUE(wnd.OnCommand(cmd::kCopy));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Some \xCE\xB8 text\r\n"));

  // Without a student record or Lesson Book the commands are disabled.
  EXPECT_FALSE(wnd.IsCommandEnabled(cmd::kAddBookmark));
  EXPECT_FALSE(wnd.IsCommandEnabled(cmd::kShowInLessonBook));
  EXPECT_FALSE(wnd.IsCommandEnabled(cmd::kSourceFirst));

  bool full = true;
  std::vector<ActivityLocator> bookmarked, shownPages;
  HyperWindowLinks links;
  links.addBookmark = [&](const ActivityLocator& l) {
    bookmarked.push_back(l);
    return !full;
  };
  links.showInLessonBook = [&](const ActivityLocator& l) { shownPages.push_back(l); };
  ScopedHyperWindowLinks scoped(links);
  NoticeRecorder notices;
  EXPECT_TRUE(wnd.OnCommand(cmd::kAddBookmark));
  EXPECT_TRUE(notices.sawId(str::kBookmarkListFull));
  full = false;
  notices.clear();
  wnd.OnCommand(cmd::kAddBookmark);
  EXPECT_TRUE(notices.notices().empty());
  ASSERT_EQ(bookmarked.size(), 2u);
  EXPECT_EQ(bookmarked[1], where);

  wnd.OnCommand(cmd::kShowInLessonBook);
  ASSERT_EQ(shownPages.size(), 1u);
  EXPECT_EQ(shownPages[0].lesson, 2);
  EXPECT_EQ(shownPages[0].page, 0);
  EXPECT_FALSE(wnd.OnCommand(9999));
}

TEST_F(HyperViewTest, SourceButtonsLaunchAndScrollWithTheText) {
  std::vector<ActivityLocator> launched;
  HyperWindowLinks links;
  links.launch = [&](const ActivityLocator& l) { launched.push_back(l); };
  ScopedHyperWindowLinks scoped(links);
  ActivityLocator where(1, -1, -1);
  where.kind = 9;
  view()->SetLocator(where);
  HyperSourceLinks sources;
  sources.sourceExists = [](std::string_view) { return true; };
  view()->SetSourceLinks(sources);
  std::string text = "<! s=moore3.ast l=\"Moore 3\" s=other.ast>";
  for (int i = 0; i < 80; ++i) text += "line " + std::to_string(i) + "<br>";
  view()->SetText(Bytes(text), false);
  Show();

  const auto buttons = view()->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[0]->text(), "Moore 3");
  EXPECT_EQ(buttons[1]->text(), "Asterisk");
  EXPECT_EQ(buttons[0]->geometry(), view()->document().sourceButtons()[0].rect);

  QTest::mouseClick(buttons[1], Qt::LeftButton);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].lesson, 1);
  EXPECT_EQ(launched[0].kind, 9);
  EXPECT_EQ(launched[0].file, "other.ast");

  auto* bar = view()->findChild<QScrollBar*>();
  ASSERT_TRUE(bar);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->width(), HyperDocument::kScrollBarWidth);
  bar->setValue(50);
  EXPECT_EQ(view()->scrollPosition(), 50);
  EXPECT_EQ(buttons[0]->y(), view()->document().sourceButtons()[0].rect.y() - 50);
  QTest::keyClick(view(), Qt::Key_End);
  EXPECT_EQ(view()->scrollPosition(), view()->document().totalHeight() - view()->height());
  QTest::keyClick(view(), Qt::Key_Home);
  EXPECT_EQ(view()->scrollPosition(), 0);

  // A new text starts at the top without the old buttons.
  bar->setValue(100);
  view()->SetText(Bytes("short"), false);
  EXPECT_EQ(view()->scrollPosition(), 0);
  EXPECT_TRUE(view()->findChildren<QPushButton*>().empty());
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(HyperViewTest, PreferencesChangeTakesTheNewFontSize) {
  view()->SetText(Bytes("Some words to lay out"), false);
  const int normalHeight = view()->document().paragraphs()[0].height;
  Preferences prefs;
  prefs.fontSize = 20;
  ScopedService<Preferences> installed(&prefs);
  view()->OnCourseNotify(2, nullptr);
  EXPECT_EQ(view()->document().style().fontSize, 20);
  EXPECT_GT(view()->document().paragraphs()[0].height, normalHeight);
  view()->OnCourseNotify(5, nullptr);  // other notifications change nothing
  EXPECT_EQ(view()->document().style().fontSize, 20);
}

TEST_F(HyperViewTest, LoadFileTakesPlainTextOrAContainer) {
  const auto dir = kntest::MakeTempDir("hyper");
  kntest::WriteFileText(dir / "tips.txt", "<b>Tip</b> one<p>two");
  auto plain = CourseFile::Open(dir / "tips.txt");
  EXPECT_TRUE(view()->LoadFile(plain));
  EXPECT_EQ(view()->document().paragraphs().size(), 2u);

  ContainerWriter w;
  const std::string text = "<title>Note</title>Body";
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  kntest::WriteFileBytes(dir / "note.ast", w.Build());
  auto container = CourseFile::Open(dir / "note.ast");
  EXPECT_TRUE(view()->LoadFile(container));
  EXPECT_EQ(view()->Title(), "Note");
  ASSERT_EQ(view()->document().paragraphs().size(), 1u);
  EXPECT_EQ(view()->document().paragraphs()[0].text, "Body");

  kntest::WriteFileText(dir / "bad.ast", "not a container");
  auto bad = CourseFile::Open(dir / "bad.ast");
  EXPECT_FALSE(view()->LoadFile(bad));
  EXPECT_TRUE(view()->document().paragraphs().empty());
}

}  // namespace
