// Statements run on an exposition view without a clock: the block stack, the budget,
// the pen, and the statements that change the scene.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "exposition/ExpoKinds.h"
#include "exposition/ExpoVirtualHost.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/StudyQuestions.h"

namespace {

struct Rig {
  VirtualExpoHost host;
  CExpoView view{&host, QSize(400, 300)};

  bool Run(const std::string& source) {
    std::vector<std::uint8_t> tokens;
    TokenizeChunk(source + "\n", tokens);
    view.budget().Refill();
    return view.RunChunk(tokens);
  }
  std::int32_t Int(int code) const { return view.variables().Value(code).integer(); }
  CExpoObject* Named(const char* name) {
    const auto found = view.scene().Resolve(name);
    return found.empty() ? nullptr : found.front();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& o : view.scene().objects()) names.push_back(o->name());
    return names;
  }
};

TEST(ExpoStatements, BlocksRunAsTheStackSays) {
  const struct {
    const char* source;
    int int0, int1, int2;
  } cases[] = {
      // a false `if` with an `else` runs only the `else` part
      {"if 0\nset int1 to 1\nelse\nset int1 to 2\nend", 0, 2, 0},
      {"if 1\nif 0\nset int1 to 1\nelse\nset int1 to 2\nend\nelse\nset int1 to 3\nend", 0, 2, 0},
      {"if 0\nif 0\nset int1 to 1\nelse\nset int1 to 2\nend\nset int2 to 5\nend", 0, 0, 0},
      {"if 1 then set int1 to 7\nset int2 to 1", 0, 7, 1},
      {"if 0 then set int1 to 7\nset int2 to 1", 0, 0, 1},
      // counting loops leave the variable one step past the end
      {"repeat with int0 from 1 to 3\nset int1 to int1 + 1\nend", 4, 3, 0},
      {"repeat with int0 from 3 to 1 by -1\nset int1 to int0 + int1 * 10\nend repeat", 0, 321, 0},
      {"repeat with int0 from 1\nset int1 to int1 + 1\nend", 2, 1, 0},  // without `to`: once
      {"repeat while int0 < 3\nset int0 to int0 + 1\nend", 3, 0, 0},
      {"repeat until int0 = 2\nset int0 to int0 + 1\nend", 2, 0, 0},
      {"repeat while 0\nset int1 to 1\nend\nset int2 to 1", 0, 0, 1},
      {"repeat\nset int1 to int1 + 1\nend", 0, 1, 0},  // a bare repeat runs once
      {"repeat with int0 in {5, 6, 7}\nset int1 to int1 + int0\nend", 7, 18, 0},
      {"repeat with int0 in {}\nset int1 to 1\nend\nset int2 to 1", 0, 0, 1},
      {"repeat with float0 from 1 to 5\nset int1 to int1 + 1\nend", 0, 1, 0},  // not an integer: once
      // `exit repeat` deactivates the frames down to the loop; they stay until their `end`
      {"repeat with int0 from 1 to 10\nif int0 = 3\nexit repeat\nend if\nset int1 to int1 + 1\nend repeat", 3, 2, 0},
      {"repeat with int0 from 1 to 3\nrepeat with int1 from 1 to 2\nset int2 to int2 + 1\nend\nend", 4, 3, 6},
      // a repeat inside a false `if` does not run, nor assign its `from`
      {"if 0\nrepeat with int0 from 1 to 3\nset int1 to 5\nend\nend\nset int2 to 1", 0, 0, 1},
      // a repeat past the largest integer ends instead of wrapping
      {"repeat with int0 from 2147483600 to 2147483647 by 20\nset int1 to int1 + 1\nend", 2147483640, 3, 0},
      // an `end` without a block and an `else` outside an `if` change nothing
      {"end\nelse\nset int1 to 1", 0, 1, 0},
  };
  for (const auto& c : cases) {
    Rig rig;
    EXPECT_TRUE(rig.Run(c.source)) << c.source;
    EXPECT_EQ(rig.Int(kw::int0), c.int0) << c.source;
    EXPECT_EQ(rig.Int(kw::int1), c.int1) << c.source;
    EXPECT_EQ(rig.Int(kw::int2), c.int2) << c.source;
    EXPECT_EQ(rig.host.errors, 0) << c.source;
  }
}

TEST(ExpoStatements, FourBlocksNestButAFifthAbandonsTheChunk) {
  Rig four;
  EXPECT_TRUE(four.Run("if 1\nif 1\nrepeat\nif 1\nset int1 to 1\nend\nend\nend\nend\nset int2 to 1"));
  EXPECT_EQ(four.Int(kw::int1), 1);
  EXPECT_EQ(four.Int(kw::int2), 1);
  Rig five;
  EXPECT_FALSE(five.Run("set int2 to 1\nif 1\nif 1\nif 1\nif 1\nif 1\nset int1 to 1\nend\nend\nend\nend\nend\nset int2 to 2"));
  EXPECT_EQ(five.Int(kw::int1), 0);
  EXPECT_EQ(five.Int(kw::int2), 1);  // the rest of the chunk did not run
  EXPECT_EQ(five.host.errors, 1);
  EXPECT_FALSE(five.view.budgetExhausted());
}

TEST(ExpoStatements, EndlessLoopsEndWithTheBudget) {
  const char* loops[] = {
      "repeat with int0 from 1 to 10 by 0\nend",
      "repeat with int0 from 1 to 2147483647\nend",
      "repeat while 1\nend",
      "repeat until 0\nset int1 to int1 + 1\nend",
  };
  for (const char* source : loops) {
    Rig rig;
    EXPECT_FALSE(rig.Run(source)) << source;
    EXPECT_TRUE(rig.view.budgetExhausted()) << source;
    EXPECT_EQ(rig.host.errors, 1) << source;
    EXPECT_EQ(rig.host.Count("error"), 1) << source;
  }
  // The same loop with few enough turns is fine.
  Rig rig;
  EXPECT_TRUE(rig.Run("repeat with int0 from 1 to 20000\nend"));
  EXPECT_EQ(rig.Int(kw::int0), 20001);
}

TEST(ExpoStatements, PenArgumentsApplyInOrderBeforeTheCommand) {
  Rig rig;
  ASSERT_TRUE(rig.Run(
      "rectangle at {100, 50} size {40, 20} label \"box\"\n"
      "circle after \"box\" size {10, 10} label \"right\"\n"
      "circle under \"box\" size {10, 10} label \"below\"\n"
      "circle at \"box\" by {5, 6} size {10, 10} label \"inside\"\n"
      "display \"middle\" at {-1, 200} label \"centred\""));
  EXPECT_EQ(rig.Named("right")->rect().topLeft(), QPoint(140, 50));
  EXPECT_EQ(rig.Named("below")->rect().topLeft(), QPoint(100, 70));
  EXPECT_EQ(rig.Named("inside")->rect().topLeft(), QPoint(105, 56));
  const ExpoRect centred = rig.Named("centred")->rect();
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 200, 1);
}

TEST(ExpoStatements, ClearAndTransition) {
  const char* scene =
      "rectangle at {0, 0} size {10, 10} label \"a\"\n"
      "rectangle at {20, 0} size {10, 10} label \"b\"\n"
      "rectangle at {40, 0} size {10, 10} label \"c\"\n"
      "group {\"a\", \"b\"} label \"ab\"\n";
  const struct {
    const char* statement;
    std::vector<std::string> left;
  } cases[] = {
      {"clear", {}},
      {"clear \"ab\"", {"c", "ab"}},
      // three values: the positional name, then a pair that is no keyword pair
      {"clear \"B\" \"c\" \"a\"", {"a", "c", "ab"}},
      {"clear {\"B\", \"c\"}", {"a", "ab"}},
      {"clear except \"a\"", {"a", "ab"}},  // the named objects and all groups stay
      {"clear {\"a\", \"c\"} except \"c\"", {"b", "c", "ab"}},
      {"clear \"a\" fade 1", {"a", "b", "c", "ab"}},  // leaves with its exit transition
      {"transition \"a\"", {"a", "b", "c", "ab"}},
      {"clear \"nobody\"", {"a", "b", "c", "ab"}},
  };
  for (const auto& c : cases) {
    Rig rig;
    ASSERT_TRUE(rig.Run(std::string(scene) + c.statement)) << c.statement;
    EXPECT_EQ(rig.Names(), c.left) << c.statement;
  }
  Rig rig;
  ASSERT_TRUE(rig.Run(std::string(scene) + "clear \"a\" wipe 1 direction left\ntransition \"b\" grow 2"));
  const CExpoObject* a = rig.Named("a");
  EXPECT_EQ(a->transition().kind, kw::wipe);
  EXPECT_FALSE(a->transition().entrance);
  EXPECT_EQ(a->transition().duration, 22050);
  const CExpoObject* b = rig.Named("b");
  EXPECT_EQ(b->transition().kind, kw::grow);
  EXPECT_TRUE(b->transition().entrance);
  EXPECT_EQ(b->transition().duration, 44100);
  rig.view.scene().Step(22050);
  EXPECT_EQ(rig.Named("a"), nullptr);  // removed when its exit ended
}

TEST(ExpoStatements, LayerMoveAndObjectAttributes) {
  Rig rig;
  ASSERT_TRUE(rig.Run(
      "rectangle at {0, 0} size {10, 10} label \"a\"\n"
      "rectangle at {20, 0} size {10, 10} label \"b\"\n"
      "rectangle at {40, 0} size {10, 10} label \"c\"\n"
      "layer \"c\" behind true\n"));
  EXPECT_EQ(rig.Names(), (std::vector<std::string>{"c", "a", "b"}));
  ASSERT_TRUE(rig.Run("layer \"c\" after \"a\""));
  EXPECT_EQ(rig.Names(), (std::vector<std::string>{"a", "c", "b"}));
  ASSERT_TRUE(rig.Run("layer \"b\" before \"a\""));
  EXPECT_EQ(rig.Names(), (std::vector<std::string>{"b", "a", "c"}));
  ASSERT_TRUE(rig.Run("layer \"b\""));
  EXPECT_EQ(rig.Names(), (std::vector<std::string>{"a", "c", "b"}));

  ASSERT_TRUE(rig.Run("move \"a\" to {100, 100}\nmove \"b\" to \"a\"\nslide \"c\" by {10, 5}"));
  EXPECT_EQ(rig.Named("a")->rect().topLeft(), QPoint(100, 100));
  EXPECT_EQ(rig.Named("b")->rect().topLeft(), QPoint(100, 100));
  EXPECT_TRUE(rig.Named("c")->movement().moving);  // a slide lasts a second by default
  rig.view.scene().Step(22050);
  EXPECT_EQ(rig.Named("c")->rect().topLeft(), QPoint(50, 5));

  ASSERT_TRUE(rig.Run("rename \"a\" to \"z\"\nrecolor \"z\" to blue\nrecenter \"z\"\ndisplay \"t\" label \"t\"\n"
                      "resize \"t\" to 30\nrestyle \"t\" to bold"));
  const CExpoObject* z = rig.Named("z");
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(z->rect().left, (400 - 10) / 2);
  EXPECT_EQ(z->textAttributes().colour, rig.Named("t")->textAttributes().colour);  // recolor set the current colour
  EXPECT_EQ(rig.Named("t")->textAttributes().size, 30);
  EXPECT_TRUE(rig.Named("t")->textAttributes().Has(kFontBold));
}

TEST(ExpoStatements, AssignmentsOfTheViewsProperties) {
  Rig rig;
  ASSERT_TRUE(rig.Run("set background to {0, 128, 255}\nset title to \"Mean &amp; median\"\n"
                      "set int3 to 2.9\nset text1 to 42\nset point0 to {3, 4}\nset expo_size to {100000, 5}\n"
                      "set 5 to 6\nset table_type to 3"));
  EXPECT_EQ(rig.view.scene().background, qRgb(255, 128, 0));  // a list is {blue, green, red}
  EXPECT_EQ(rig.host.title, "Mean & median");
  EXPECT_EQ(rig.Int(kw::int3), 2);
  EXPECT_EQ(rig.view.variables().Value(kw::text1).text(), "42");
  EXPECT_EQ(rig.view.variables().Value(kw::point0).point(), (ScriptPoint{3, 4}));
  EXPECT_EQ(rig.view.scene().area, QSize(CExpoView::kMaxArea.width(), CExpoView::kMinArea.height()));
  EXPECT_EQ(rig.host.errors, 0);
}

TEST(ExpoStatements, WaitsOnlyForSensibleTimes) {
  const struct {
    const char* source;
    std::int64_t waited;
  } cases[] = {
      {"wait 0.5", 500}, {"wait 5", 5000}, {"wait 6", 0},         {"wait -1", 0},
      {"wait 0", 0},     {"wait 1 2", 0},  {"wait \"x\"", 0},    {"wait sqrt -1", 0},  // not-a-number
  };
  for (const auto& c : cases) {
    Rig rig;
    ASSERT_TRUE(rig.Run(c.source)) << c.source;
    EXPECT_GE(rig.host.now, c.waited) << c.source;
    EXPECT_LT(rig.host.now, c.waited + VirtualExpoHost::kTickMs) << c.source;
    EXPECT_FALSE(rig.view.waiting());
  }
}

TEST(ExpoStatements, FlashHasTwiceTimesPhasesAndRestoresTheColour) {
  Rig rig;
  ASSERT_TRUE(rig.Run("rectangle at {0, 0} size {10, 10} color blue label \"a\""));
  const QRgb blue = rig.Named("a")->colour();
  std::vector<std::pair<std::int64_t, QRgb>> seen;
  rig.host.afterTick = [&] {
    const QRgb c = rig.Named("a")->colour();
    if (seen.empty() || seen.back().second != c) seen.emplace_back(rig.host.now, c);
  };
  ASSERT_TRUE(rig.Run("flash \"a\" times 2 duration 1.5 color yellow"));
  // Four phases of 0.5 s: yellow, blue, yellow, then blue when the last wait is over.
  ASSERT_EQ(seen.size(), 3u);
  const std::int64_t expected[] = {0, 500, 1000};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_NEAR(double(seen[i].first), double(expected[i]), 2 * VirtualExpoHost::kTickMs) << i;
    EXPECT_EQ(seen[i].second == blue, i % 2 == 1) << i;
  }
  EXPECT_EQ(rig.Named("a")->colour(), blue);
  EXPECT_GE(rig.host.now, 1500);
  EXPECT_LT(rig.host.now, 1500 + VirtualExpoHost::kTickMs);
  EXPECT_EQ(rig.host.Count("flash"), 1);
  // Not while a wait is running, nor beyond what a chunk may wait.
  rig.host.afterTick = nullptr;
  ASSERT_TRUE(rig.Run("flash \"a\" duration 50\nflash \"a\" duration 50"));
  EXPECT_EQ(rig.host.Count("flash"), 2);
}

TEST(ExpoStatements, FlashSurvivesItsTargetBeingRemovedWhileItWaits) {
  VirtualExpoHost host;
  CExpoView view(&host, QSize(400, 300));
  ExpoTimeline timeline(view);
  host.timeline = &timeline;
  std::vector<ScriptChunk> chunks(1);
  TokenizeChunk("rectangle at {0, 0} size {10, 10} label \"a\"\nclear \"a\" fade 0.2\n"
                "flash \"a\" times 3 duration 1\ndisplay \"after\" label \"b\"\n",
                chunks[0].tokens);
  chunks[0].startTime = 661;
  timeline.Load(std::move(chunks), nullptr);
  timeline.Start();
  for (int i = 0; i < 200 && timeline.next() == 0; ++i) host.Advance();
  EXPECT_EQ(host.errors, 0);
  EXPECT_TRUE(view.scene().Resolve("a").empty());  // the tick removed it during the flash
  EXPECT_FALSE(view.scene().Resolve("b").empty());
}

TEST(ExpoStatements, BulletsAndQuestionsBreakAtBlanksThatFit) {
  Rig rig;
  ASSERT_TRUE(rig.Run(
      "question \"How many of the twenty students travel at least twenty-five minutes to school every day?\" "
      "label \"q1\"\n"
      "hint \"Count the bars.\"\n"
      "question \"Short?\" number false\n"
      "bullet \"a point\""));
  const auto& objects = rig.view.scene().objects();
  ASSERT_GE(objects.size(), 4u);
  // The first question takes more than one line; every line fits in the area.
  int q1Lines = 0;
  for (const auto& o : objects) {
    EXPECT_LE(o->rect().right, 400) << o->Text();
    if (static_cast<const CExpoText*>(o.get())->question() == 1) {
      ++q1Lines;
      EXPECT_EQ(static_cast<const CExpoText*>(o.get())->hint(), "Count the bars.");
    }
  }
  EXPECT_GE(q1Lines, 2);
  EXPECT_EQ(objects.front()->Text().rfind("1.  How", 0), 0u);
  EXPECT_EQ(objects.front()->rect().left, 8);
  EXPECT_EQ(objects[1]->rect().left, 15 + 8);  // hanging indent
  EXPECT_EQ(rig.Named("q1"), objects[static_cast<std::size_t>(q1Lines) - 1].get());  // the label goes to the last line
  EXPECT_EQ(rig.view.questionCounter(), 1);
  EXPECT_EQ(objects[static_cast<std::size_t>(q1Lines)]->rect().left, 23);  // unnumbered question
  EXPECT_EQ(objects.back()->Text().rfind("*  a point", 0), 0u);

  // A word wider than the area gets a line of its own; the paragraph still ends.
  Rig wide;
  ASSERT_TRUE(wide.Run("set expo_size to {60, 100}\nbullet \"a Pneumonoultramicroscopicsilicovolcanoconiosis b\""));
  std::vector<std::string> lines;
  for (const auto& o : wide.view.scene().objects()) lines.push_back(o->Text());
  EXPECT_EQ(lines, (std::vector<std::string>{"*  a<P>", "Pneumonoultramicroscopicsilicovolcanoconiosis<P>", "b<P>"}));
}

TEST(ExpoStatements, StudyPageTitleAndUnknownWords) {
  Rig rig;
  ASSERT_TRUE(rig.Run("display \"old\"\nstudy \"Study Questions\" number 3\nquestion \"Why?\"\nselect column 3\nreveal"));
  const auto& objects = rig.view.scene().objects();
  ASSERT_EQ(objects.size(), 2u);  // the page cleared the old text; unknown words did nothing
  EXPECT_EQ(objects[0]->Text(), "Study Questions<P>");
  EXPECT_EQ(objects[0]->rect().top, 6);
  EXPECT_EQ(objects[0]->textAttributes().colour, qRgb(255, 255, 0));
  EXPECT_EQ(objects[0]->textAttributes().size, 13);
  EXPECT_EQ(objects[1]->Text(), "3.  Why?<P>");
  EXPECT_EQ(objects[1]->textAttributes().size, 11);
  EXPECT_FALSE(objects[1]->textAttributes().Has(kFontUnderline));
  EXPECT_EQ(rig.host.errors, 0);
}

TEST(ExpoStatements, FunctionsOfTheView) {
  Rig rig;
  ASSERT_TRUE(rig.Run("rectangle at {10, 20} size {30, 40} label \"r\"\ncheckbox \"c\" at {0, 100} checked true label \"c\"\n"
                      "set int0 to xlocation \"r\"\nset int1 to yextent \"r\"\nset point0 to location \"here\"\n"
                      "set int2 to answer \"c\"\nset int3 to string_width \"mmmm\" size 20"));
  EXPECT_EQ(rig.Int(kw::int0), 10);
  EXPECT_EQ(rig.Int(kw::int1), 40);
  EXPECT_EQ(rig.Int(kw::int2), 1);
  EXPECT_GT(rig.Int(kw::int3), 20);
  EXPECT_EQ(rig.view.variables().Value(kw::point0).point(), (ScriptPoint{rig.view.scene().pen.x(), rig.view.scene().pen.y()}));
}

TEST(StudyQuestions, WalksTokensNotBytes) {
  std::vector<ScriptChunk> chunks(2);
  TokenizeChunk("question \"First?\"\nquestion \"Hidden\" without number\nquestion \"Off\" number false\n"
                "question {1}\nbullet \"question\"\n",
                chunks[0].tokens);
  TokenizeChunk("question \"Second?\" label \"q\"\n", chunks[1].tokens);
  // A literal whose bytes spell the question code followed by the literal code must
  // not be read as a question.
  std::vector<std::uint8_t>& t = chunks[0].tokens;
  const std::uint8_t trap[] = {kw::display, kw::literal, 4, kw::question, kw::literal, 1, 'X', kw::newline};
  t.insert(t.begin(), std::begin(trap), std::end(trap));
  EXPECT_EQ(ExtractStudyQuestions(chunks), (std::vector<std::string>{"First?", "Second?"}));
  EXPECT_EQ(FormatStudyQuestions(ExtractStudyQuestions(chunks)), "1.  First?\n2.  Second?\n");
  // A stream cut inside the literal ends the walk without reading past it.
  std::vector<ScriptChunk> cut(1);
  cut[0].tokens = {kw::question, kw::literal, 200, 'a'};
  EXPECT_TRUE(ExtractStudyQuestions(cut).empty());
}

}  // namespace
