#include <gtest/gtest.h>

#include "shell/CommandLine.h"

namespace {

using S = CommandLine::ShowState;

TEST(CommandLine, ShellFlagsFileAndShowState) {
  struct Case {
    std::vector<std::string> args;
    S show;
    std::string file;
    bool splash;
    S frame;
  } cases[] = {
      {{}, S::Default, "", true, S::Maximized},
      {{"-maximize"}, S::Maximized, "", true, S::Maximized},
      {{"/maximized"}, S::Maximized, "", true, S::Maximized},
      {{"-normal"}, S::Normal, "", true, S::Normal},
      {{"-hide"}, S::Hidden, "", false, S::Hidden},
      {{"--minimized"}, S::Minimized, "", false, S::Minimized},
      {{"/minimize", "me.kns"}, S::Minimized, "me.kns", false, S::Minimized},
      {{"-dde"}, S::Default, "", true, S::Maximized},
      {{"/home/ana/me.kns"}, S::Default, "/home/ana/me.kns", true, S::Maximized},
      {{"/hide"}, S::Hidden, "", false, S::Hidden},            // exactly a flag word
      {{"/hidden.kns"}, S::Default, "/hidden.kns", true, S::Maximized},  // a path
      {{"--", "-hide"}, S::Default, "-hide", true, S::Maximized},
  };
  for (const Case& c : cases) {
    const CommandLine cl = ParseCommandLine(c.args);
    EXPECT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.show, c.show) << (c.args.empty() ? "" : c.args[0]);
    EXPECT_EQ(cl.file, c.file);
    EXPECT_EQ(SplashWanted(cl), c.splash);
    EXPECT_EQ(FrameShowState(cl), c.frame);
  }
}

TEST(CommandLine, FlagsAreExactLowerCase) {
  EXPECT_FALSE(ParseCommandLine({"-Hide"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"-maximise"}).error.empty());
  // A slash word that is not a flag is taken as a path, not refused.
  const CommandLine cl = ParseCommandLine({"/Hide"});
  EXPECT_TRUE(cl.error.empty());
  EXPECT_EQ(cl.file, "/Hide");
}

TEST(CommandLine, ProgramOptions) {
  CommandLine cl = ParseCommandLine({"--screenshot", "/tmp/x.png", "--exit-when-idle"});
  EXPECT_EQ(cl.screenshot, "/tmp/x.png");
  EXPECT_TRUE(cl.exitWhenIdle);
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"-h"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_EQ(ParseCommandLine({"--screenshot=a.png"}).screenshot, "a.png");
  EXPECT_FALSE(ParseCommandLine({"--screenshot"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"a.kns", "b.kns"}).error.empty());
  EXPECT_EQ(ParseCommandLine({"--tour", "out"}).tour, "out");
  EXPECT_EQ(ParseCommandLine({"--tour=out"}).tour, "out");
  EXPECT_FALSE(ParseCommandLine({"--tour"}).error.empty());
  // The tour starts from the Welcome window and takes its own pictures.
  EXPECT_FALSE(ParseCommandLine({"--tour", "out", "a.kns"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"--tour", "out", "--screenshot", "a.png"}).error.empty());
  EXPECT_NE(CommandLineHelp().find("--course DIR"), std::string::npos);
}

}  // namespace
