#include <gtest/gtest.h>

#include "shell/MovieSupportCheck.h"

namespace {

struct FakeLibrary : MovieLibrary {
  bool installed = true;
  std::uint32_t version = 0x0700;
  bool toolbox = true;
  std::vector<std::string> calls;
  bool Initialise() override {
    calls.push_back("init");
    return installed;
  }
  std::uint32_t Version() override { return version; }
  std::uint32_t MinimumVersion() const override { return 0x0300; }
  bool StartToolbox() override {
    calls.push_back("start");
    return toolbox;
  }
  void StopToolbox() override { calls.push_back("stop"); }
  void Shutdown() override { calls.push_back("shutdown"); }
};

TEST(MovieSupportCheck, OutcomesAndTheirNotices) {
  struct Case {
    bool installed;
    std::uint32_t version;
    bool toolbox;
    MovieCheck expected;
    int notice;
    std::vector<std::string> calls;
  } cases[] = {
      {true, 0x0700, true, MovieCheck::Ready, 0, {"init", "start"}},
      {true, 0x0300, true, MovieCheck::Ready, 0, {"init", "start"}},
      {false, 0x0700, true, MovieCheck::NotInstalled, 8558, {"init", "shutdown"}},
      {true, 0, true, MovieCheck::NotInstalled, 8558, {"init", "shutdown"}},
      {true, 0x02FF, true, MovieCheck::TooOld, 8559, {"init", "shutdown"}},
      {true, 0x0700, false, MovieCheck::CannotStart, 8558, {"init", "start", "shutdown"}},
  };
  for (const Case& c : cases) {
    FakeLibrary lib;
    lib.installed = c.installed;
    lib.version = c.version;
    lib.toolbox = c.toolbox;
    const MovieCheck got = StartMovieLibrary(lib);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(MovieCheckNotice(got), c.notice);
    EXPECT_EQ(lib.calls, c.calls);
  }
}

TEST(MovieSupportCheck, StopRunsBothSteps) {
  FakeLibrary lib;
  ASSERT_EQ(StartMovieLibrary(lib), MovieCheck::Ready);
  StopMovieLibrary(lib);
  EXPECT_EQ(lib.calls, (std::vector<std::string>{"init", "start", "stop", "shutdown"}));
}

TEST(MovieSupportCheck, TheInstalledFfmpegIsUsable) {
  FfmpegMovieLibrary lib;
  EXPECT_EQ(StartMovieLibrary(lib), MovieCheck::Ready);
  StopMovieLibrary(lib);
}

}  // namespace
