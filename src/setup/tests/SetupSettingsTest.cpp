#include <gtest/gtest.h>

#include "setup/SetupSettings.h"

namespace {

using namespace setup_limits;

SetupRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }

TEST(SetupSettings, LaterButtonsCarryTheEarlierFieldsOver) {
  const auto s = ParseSetupSettings(
      "button:Start\n"
      "function:cd_launch\n"
      "windows:KESTREL.EXE\n"
      "directory:\\course\n"
      "application:viewer\n"
      "location:10,20\n"
      "size:100,30\n"
      "default:1\n"
      "button:Again\n"
      "location:10,200\n");
  ASSERT_EQ(s.buttons.size(), 2u);
  const SetupButton& a = s.buttons[0];
  EXPECT_EQ(a.label, "Start");
  EXPECT_EQ(a.rect, Rect(10, 20, 110, 50));
  EXPECT_TRUE(a.isDefault);
  const SetupButton& b = s.buttons[1];
  EXPECT_EQ(b.label, "Again");
  EXPECT_EQ(b.function, SetupFunction::CdLaunch);
  EXPECT_EQ(b.target, "KESTREL.EXE");
  EXPECT_EQ(b.directory, "\\course");
  EXPECT_EQ(b.application, "viewer");
  EXPECT_TRUE(b.isDefault);
  // Only the top-left moved: the edges stay until a "size" line recomputes them.
  EXPECT_EQ(b.rect, Rect(10, 200, 110, 50));
}

TEST(SetupSettings, SizeIsMeasuredFromTheLocationSetSoFar) {
  const auto s = ParseSetupSettings("button:A\nsize:50,20\nlocation:5,6\nbutton:B\nsize:10,10\n");
  ASSERT_EQ(s.buttons.size(), 2u);
  EXPECT_EQ(s.buttons[0].rect, Rect(5, 6, 50, 20));  // size came first, from (0, 0)
  EXPECT_EQ(s.buttons[1].rect, Rect(5, 6, 15, 16));
}

TEST(SetupSettings, WindowSizeNeedsAtLeast201By151) {
  struct Case {
    const char* value;
    int width, height;
  };
  const Case cases[] = {
      {"200,300", 500, 375}, {"201,151", 201, 151}, {"201,150", 500, 375}, {"640,480", 640, 480},
      {" 640 , 480 px", 640, 480}, {"640;480", 500, 375}, {"640,", 500, 375}, {",480", 500, 375},
      {"-640,480", 500, 375}, {"99999999999,480", 500, 375}, {"32768,480", 500, 375}, {"32767,32767", 32767, 32767},
      {"abc", 500, 375}, {"", 500, 375},
  };
  for (const auto& c : cases) {
    const auto s = ParseSetupSettings(std::string("window:") + c.value);
    EXPECT_EQ(s.clientWidth, c.width) << c.value;
    EXPECT_EQ(s.clientHeight, c.height) << c.value;
  }
  // A bad line leaves an earlier good one standing.
  const auto s = ParseSetupSettings("window:640,480\nwindow:200,300\n");
  EXPECT_EQ(s.clientWidth, 640);
}

TEST(SetupSettings, ValuesAreCookedAndLinesRead) {
  struct Case {
    const char* what;
    std::string text;
    std::string title;
  };
  const Case cases[] = {
      {"bar is a line break", "title:Intro|Stats", "Intro\nStats"},
      {"quotes removed", "title:\"A B\"", "A B"},
      {"single quote kept", "title:\"", "\""},
      {"two quotes give empty", "title:\"\"", ""},
      {"inner quote kept", "title:\"A\" B", "\"A\" B"},
      {"key any case", "TiTlE:X", "X"},
      {"value keeps its blanks", "title: X ", " X "},
      {"first colon splits", "title:a:b", "a:b"},
      {"titles append", "title:A\ntitle:B", "AB"},
      {"indentation skipped", " \t title:X", "X"},
      {"comment", "{title:X", ""},
      {"indented comment", "   {title:X", ""},
      {"no colon", "title X", ""},
      {"blank before colon is part of the key", "title :X", ""},
      {"unknown key", "titles:X", ""},
      {"CR ends lines", "title:A\rtitle:B\r", "AB"},
      {"CRLF", "title:A\r\ntitle:B\r\n", "AB"},
      {"empty lines", "\n\n\ntitle:A\n\n", "A"},
      {"no final newline", "title:A", "A"},
      {"NUL is just a byte", std::string("title:A\0B", 9), std::string("A\0B", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSetupSettings(c.text).title, c.title) << c.what;
}

TEST(SetupSettings, OnlyTheFirst256CharactersOfALineCount) {
  const std::string longTitle(400, 'x');
  const auto s = ParseSetupSettings("   title:" + longTitle + "\ntitle:END\n");
  // 256 characters after the indentation, "title:" included; the rest of the line is
  // dropped rather than read as a line of its own.
  std::string expected(kLineLimit - 6, 'x');
  expected += "END";
  EXPECT_EQ(s.title, expected);

  // The tail of a long line would otherwise become a setting.
  const auto t = ParseSetupSettings("title:" + std::string(300, 'y') + "window:640,480\n");
  EXPECT_EQ(t.clientWidth, 500);

  // A 100 KB line of bars and colons.
  std::string huge = "button:";
  for (int i = 0; i < 20000; ++i) huge += "a|b:c";
  const auto u = ParseSetupSettings(huge + "\nfunction:quit\n");
  ASSERT_EQ(u.buttons.size(), 1u);
  EXPECT_EQ(u.buttons[0].label.size(), kLineLimit - 7);
  EXPECT_EQ(u.buttons[0].function, SetupFunction::Quit);
}

TEST(SetupSettings, FunctionsAreCaseInsensitiveAndUnknownOnesKeepThePrevious) {
  struct Case {
    const char* value;
    SetupFunction expected;
  };
  const Case cases[] = {
      {"cd_launch", SetupFunction::CdLaunch}, {"HD_LAUNCH", SetupFunction::HdLaunch},
      {"CheckBox", SetupFunction::CheckBox},  {"readme", SetupFunction::Readme},
      {"Quit", SetupFunction::Quit},          {"about", SetupFunction::About},
      {" quit ", SetupFunction::Quit},        {"\"quit\"", SetupFunction::Quit},
      {"launch", SetupFunction::Readme},      {"", SetupFunction::Readme},
      {"quit2", SetupFunction::Readme},
  };
  for (const auto& c : cases) {
    const auto s = ParseSetupSettings(std::string("button:A\nfunction:readme\nfunction:") + c.value);
    ASSERT_EQ(s.buttons.size(), 1u);
    EXPECT_EQ(s.buttons[0].function, c.expected) << c.value;
  }
  // The record starts all zero.
  EXPECT_EQ(ParseSetupSettings("button:A").buttons.at(0).function, SetupFunction::None);
}

TEST(SetupSettings, AtMost16ButtonsAreMade) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "button:B" + std::to_string(i) + "\nfunction:quit\nlocation:1,2\n";
  const auto s = ParseSetupSettings(text);
  ASSERT_EQ(s.buttons.size(), kMaxButtons);
  EXPECT_EQ(s.buttons.front().label, "B0");
  EXPECT_EQ(s.buttons.back().label, "B15");
}

TEST(SetupSettings, SettingsBeforeTheFirstButtonStartItsRecord) {
  // Fields set before any "button" line belong to the record the first button takes.
  const auto s = ParseSetupSettings("function:quit\nlocation:3,4\nbutton:X\n");
  ASSERT_EQ(s.buttons.size(), 1u);
  EXPECT_EQ(s.buttons[0].function, SetupFunction::Quit);
  EXPECT_EQ(s.buttons[0].rect.left, 3);
  // With no "button" line no button is made at all.
  EXPECT_TRUE(ParseSetupSettings("function:quit\nsize:10,10\n").buttons.empty());
}

TEST(SetupSettings, ColorBox) {
  struct Case {
    const char* value;
    SetupRgb expected;
  };
  const Case cases[] = {
      {"#FF8000", {0xFF, 0x80, 0x00}},  {"ff8000", {0xFF, 0x80, 0x00}}, {"FF,80,00", {0xFF, 0x80, 0x00}},
      {"0x123456", {0x12, 0x34, 0x56}}, {"FF", {0, 0, 0xFF}},           {"#", {255, 255, 255}},
      {"", {255, 255, 255}},            {"1234567890", {0x56, 0x78, 0x90}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSetupSettings(std::string("colorbox:") + c.value).colorBox, c.expected) << c.value;
  EXPECT_EQ(ParseSetupSettings("").colorBox, (SetupRgb{255, 255, 255}));
}

TEST(SetupSettings, FlagsAndTheQuickTimeCheckRunWhereTheyAre) {
  struct Case {
    const char* value;
    bool expected;
  };
  const Case cases[] = {
      {"1", true},     {"-1", true},  {"0", false},  {"00000000000000000000000", false}, {"true", true},
      {"TRUE", true},  {" true", true}, {"yes", false}, {"", false}, {"2x", true}, {"99999999999999999999", true},
      {"+0", false},   {"truex", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSetupFlag(c.value), c.expected) << c.value;

  int checks = 0;
  ParseSetupSettings("quicktime:1\nbutton:B\nquicktime:0\nQUICKTIME:true\nquicktime:no\n", [&] { ++checks; });
  EXPECT_EQ(checks, 2);
  // Without a check to run the key is read and nothing happens.
  EXPECT_EQ(ParseSetupSettings("quicktime:1\nbutton:B\n").buttons.size(), 1u);
}

TEST(SetupSettings, NumberPairsRejectWhatIsNotTwoNumbers) {
  struct Case {
    const char* value;
    std::optional<std::pair<int, int>> expected;
  };
  const Case cases[] = {
      {"10,20", std::pair(10, 20)},     {"-5,+6", std::pair(-5, 6)},   {" 1 ,\t2", std::pair(1, 2)},
      {"1,2,3", std::pair(1, 2)},       {"1 2", std::nullopt},         {"1,", std::nullopt},
      {"x1,2", std::nullopt},           {"1,-", std::nullopt},          {"32767,-32767", std::pair(32767, -32767)},
      {"1,32768", std::nullopt},        {"--1,2", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSetupPair(c.value), c.expected) << c.value;

  // A malformed "location" or "size" leaves the rectangle as it was.
  const auto s = ParseSetupSettings("button:A\nlocation:10,10\nsize:20,20\nlocation:oops\nsize:1e3,5\n");
  EXPECT_EQ(s.buttons.at(0).rect, Rect(10, 10, 30, 30));
}

TEST(SetupSettings, FieldsAndCheckBoxPresence) {
  const auto s = ParseSetupSettings("button:A\nfunction:checkbox\nmac:ignored\nbutton:B\nfunction:quit\n");
  EXPECT_TRUE(s.hasCheckBox());
  EXPECT_FALSE(ParseSetupSettings("button:A\nfunction:quit\n").hasCheckBox());
  // A check box beyond the sixteenth button is never made, so it does not count.
  std::string many;
  for (int i = 0; i < 16; ++i) many += "button:B\nfunction:quit\n";
  EXPECT_FALSE(ParseSetupSettings(many + "button:C\nfunction:checkbox\n").hasCheckBox());
}

}  // namespace
