#include <gtest/gtest.h>

#include "ContentsTestSupport.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/Notice.h"

namespace {

using kntest::LessonOutline;
using namespace std::string_literals;

ContentsTable Loaded(std::string_view text, int lessonBase = 1) {
  ContentsTable t;
  t.Load(text, lessonBase, 0, nullptr);
  return t;
}

bool Warned(const ContentsTable& t, std::string_view fragment, int line = 0) {
  for (const auto& w : t.Warnings())
    if (w.message.find(fragment) != std::string::npos && (line == 0 || w.line == line)) return true;
  return false;
}

TEST(ContentsLoad, LineRules) {
  struct Case {
    const char* what;
    std::string text;
    std::string lesson0;  // LessonOutline of display position 0
    int lessons;
  };
  const Case cases[] = {
      {"comment and case-insensitive type", "  {a comment\nL=Intro\nD=in\nF\nP=One\nE=Sampling\tS1.exp\n",
       "Intro/in: One(3:Sampling=S1.exp)", 1},
      {"every letter", "l=L\nd=c\nf\np=P\ne=a\ta.exp\nq=b\tb.fil\ni=c\tc.ise\nm=d\td.mov\nt=e\te.scr\nr=f\tf.doc\n",
       "L/c: P(3:a=a.exp,4:b=b.fil,5:c=c.ise,6:d=d.mov,7:e=e.scr,8:f=f.doc)", 1},
      {"digits name the outside packages", "l=L\nf\np=P\n1=a\ta.xls\n2=b\tb.jmp\n3=c\tc.mpj\n4=d\td.sav\n5=e\te.syd\n",
       "L/: P(13:a=a.xls,14:b=b.jmp,15:c=c.mpj,16:d=d.sav,17:e=e.syd)", 1},
      {"no tab, no file; only the first tab splits", "l=L\nf\np=P\ne=Sampling\ne=T\tx.exp\ty\n",
       "L/: P(3:Sampling,3:T=x.exp\ty)", 1},
      {"titled page closed by the next lesson", "l=A\nd=a\nf\np=P1\nf\np=P2\nl=B\n", "A/a: P1() P2()", 2},
      {"page titled before its f line", "l=A\np=Early\nf\ne=x\tx.exp\n", "A/: Early(3:x=x.exp)", 1},
      {"untitled page kept when the next f closes it", "l=A\nf\ne=x\tx.exp\nf\np=P\n", "A/: (3:x=x.exp) P()", 1},
      {"untitled last page not carried into the next lesson", "l=A\nf\np=P\nf\ne=x\tx.exp\nl=B\nf\np=Q\n", "A/: P()", 2},
      {"empty value still a title", "l=\nf\np=\n", "/: ()", 1},
      {"lesson needs an l line", "d=x\nf\np=P\ng=G\nf\np=Q\nl=A\n", "A/:", 1},
      {"CR, LF, CRLF; leading blanks and NUL", "l=A\r\r\n \t\x01x\r\td=a\n\0f\rp=P\r\n"s, "A/a: P()", 1},
      {"trailing NUL bytes dropped", std::string("l=A\nd=ab\0\0\0", 11), "A/ab:", 1},
      {"value after the first =", "l=a=b\n", "a=b/:", 1},
      {"unknown types ignored", "x=1\nl=A\nz\n", "A/:", 1},
  };
  for (const auto& c : cases) {
    const ContentsTable t = Loaded(c.text);
    EXPECT_EQ(LessonOutline(t, 0), c.lesson0) << c.what;
    EXPECT_EQ(t.LessonCount(), c.lessons) << c.what;
  }
}

TEST(ContentsLoad, UntitledLastPageDoesNotShiftTheNextLesson) {
  const ContentsTable t = Loaded("l=A\nd=a\nf\np=A1\nf\ne=Lost\tlost.exp\nl=B\nd=b\nf\np=B1\ne=x\tb1.exp\n");
  EXPECT_EQ(LessonOutline(t, 1), "B/b: B1(3:x=b1.exp)");
  EXPECT_FALSE(t.Resolve("lost.exp"));
  EXPECT_TRUE(Warned(t, "dropped with its activities", 5));
}

TEST(ContentsLoad, LimitsDropWhatDoesNotFit) {
  std::string text = "l=A\nd=a\n";
  for (int p = 1; p <= 10; ++p) text += "f\np=P" + std::to_string(p) + "\n";
  for (int a = 1; a <= 9; ++a) text += "e=X" + std::to_string(a) + "\tx" + std::to_string(a) + ".exp\n";
  for (int o = 1; o <= 25; ++o) text += "*O" + std::to_string(o) + ":a\n";
  const ContentsTable t = Loaded(text);
  const ContentsLesson* l = t.Lesson(0);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->pageCount, 9);
  EXPECT_EQ(t.String(l->pages[8].title), "P9");
  // The tenth page took the activity lines; it is dropped at the end with them.
  EXPECT_FALSE(t.Resolve("x1.exp"));
  EXPECT_EQ(t.OrderingCount(), 24);
  EXPECT_EQ(t.Ordering(23), "O24:a");
  EXPECT_TRUE(Warned(t, "at most 9 pages", 21));
  EXPECT_TRUE(Warned(t, "at most 8 activities"));
  EXPECT_TRUE(Warned(t, "more than 24 ordering lines"));

  const ContentsTable nine = Loaded("l=A\nf\np=P\n" + text.substr(text.find("e=X1")));
  ASSERT_EQ(nine.Lesson(0)->pages[0].activityCount, 8);
  EXPECT_TRUE(nine.Resolve("x8.exp"));
  EXPECT_FALSE(nine.Resolve("x9.exp"));
}

TEST(ContentsLoad, FortyLessonsAtMost) {
  std::string text;
  for (int i = 1; i <= 42; ++i) text += "l=L" + std::to_string(i) + "\nd=c" + std::to_string(i) + "\nf\np=P\n";
  const ContentsTable t = Loaded(text);
  EXPECT_EQ(t.LessonCount(), 40);
  EXPECT_EQ(t.String(t.Lesson(39)->code), "c40");
  EXPECT_FALSE(t.ResolveLessonCode("c41"));
  EXPECT_TRUE(Warned(t, "at most 40 lessons", 161));
}

TEST(ContentsLoad, OverlongLineKeepsItsFirst256Characters) {
  const std::string title(300, 'x');
  const ContentsTable t = Loaded("   l=" + title + "\nd=a\n");
  ASSERT_EQ(t.LessonCount(), 1);
  EXPECT_EQ(t.String(t.Lesson(0)->title), title.substr(0, 254));
  EXPECT_EQ(t.String(t.Lesson(0)->code), "a");
  EXPECT_TRUE(Warned(t, "longer than 256", 1));
}

TEST(ContentsLoad, PoolStopsBelow64KAtALineBoundary) {
  // 1200 activities of about 60 bytes: more text than 16-bit offsets can address.
  std::string text;
  int written = 0;
  for (int l = 0; l < 40 && written < 1200; ++l) {
    text += "l=Lesson " + std::to_string(l) + "\nd=c" + std::to_string(l) + "\n";
    for (int p = 0; p < 9; ++p) {
      text += "f\np=Page\n";
      for (int a = 0; a < 8 && written < 1200; ++a, ++written)
        text += "e=" + std::string(50, 'a') + "\tf" + std::to_string(written) + ".exp\n";
    }
  }
  const ContentsTable t = Loaded(text);
  EXPECT_LE(t.PoolSize(), ContentsTable::kMaxPoolSize);
  EXPECT_GT(t.PoolSize(), ContentsTable::kMaxPoolSize - 64);
  EXPECT_TRUE(Warned(t, "bytes of text"));
  // Everything read before the limit is intact, down to the last stored file.
  int found = 0;
  while (found < 1200 && t.Resolve("f" + std::to_string(found) + ".exp")) ++found;
  EXPECT_GT(found, 900);
  EXPECT_LT(found, 1200);
  EXPECT_FALSE(t.Resolve("f" + std::to_string(found + 1) + ".exp"));
  const auto last = t.Resolve("f" + std::to_string(found - 1) + ".exp");
  ASSERT_TRUE(last);
  EXPECT_EQ(last->FileName(t), "f" + std::to_string(found - 1) + ".exp");
}

TEST(ContentsLoad, LessonBaseIsKeptWithin16Bits) {
  EXPECT_EQ(Loaded("", 0).LessonBase(), 0);
  EXPECT_EQ(Loaded("", 1).LessonBase(), 1);
  EXPECT_EQ(Loaded("", 100000).LessonBase(), 32767);
}

TEST(ContentsLoad, MissingFilesShowPlainMessagesAndLeaveEmptyData) {
  NoticeRecorder notices;
  ContentsTable t;
  t.Load("l=A\nd=a\n", 1, 0, nullptr);
  EXPECT_FALSE(t.Load());
  EXPECT_EQ(t.LessonCount(), 0);
  BundleList bundles;
  bundles.Load(std::string_view("x=y\n"));
  EXPECT_FALSE(bundles.Load());
  EXPECT_EQ(bundles.Count(), 0);
  AsteriskSourceList sources;
  EXPECT_FALSE(sources.Load());
  ASSERT_EQ(notices.notices().size(), 3u);
  EXPECT_EQ(notices.notices()[0].text, "Cannot load contents file");
  EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
  EXPECT_EQ(notices.notices()[1].text, "Cannot load asterisk or bundle file");
  EXPECT_EQ(notices.notices()[2].text, "Cannot load asterisk or bundle file");
}

}  // namespace
