#include <gtest/gtest.h>

#include "course/Notice.h"
#include "setup/MovieLibraryCheck.h"

namespace {

class FakeLibrary : public CMovieLibraryProbe {
 public:
  bool initialises = true;
  std::uint32_t version = 0x03008000;
  bool toolboxStarts = true;
  std::vector<std::string> calls;

  bool Initialise() override {
    calls.push_back("init");
    return initialises;
  }
  std::uint32_t Version() override {
    calls.push_back("version");
    return version;
  }
  // QuickTime's numbering: major and minor in the high word, 3.0 at least.
  std::uint32_t MinimumVersion() const override { return 0x03000000; }
  bool StartToolbox() override {
    calls.push_back("start");
    return toolboxStarts;
  }
  void StopToolbox() override { calls.push_back("stop"); }
  void Shutdown() override { calls.push_back("shutdown"); }
};

const char* kMissing =
    "QuickTime 3 or better is required.\n1. Uninstall prior QuickTime versions.\n2. Restart your computer in SAFE mode "
    "(press SHIFT key during reboot).\n3. Run the QuickTime installer from the CD-ROM.\n4. Play sample movie to verify "
    "that both sound and video work.";
const char* kNoStart = "Could not initialize QuickTime.  Please reinstall QuickTime from the CD-ROM.";

TEST(MovieLibraryCheck, ReportsAMissingOldOrBrokenLibrary) {
  struct Case {
    const char* what;
    bool initialises;
    std::uint32_t version;
    bool toolboxStarts;
    MovieLibraryStatus status;
    std::vector<std::string> calls;
    const char* message;
  };
  const Case cases[] = {
      {"ready", true, 0x03008000, true, MovieLibraryStatus::Ready, {"init", "version", "start", "stop", "shutdown"}, nullptr},
      {"exactly 3.0", true, 0x03000000, true, MovieLibraryStatus::Ready, {"init", "version", "start", "stop", "shutdown"}, nullptr},
      {"not installed", false, 0x03008000, true, MovieLibraryStatus::Missing, {"init", "shutdown"}, kMissing},
      {"no version", true, 0, true, MovieLibraryStatus::Missing, {"init", "version", "shutdown"}, kMissing},
      {"version 2.x", true, 0x02FFFFFF, true, MovieLibraryStatus::Missing, {"init", "version", "shutdown"}, kMissing},
      {"toolbox fails", true, 0x06000000, false, MovieLibraryStatus::CannotStart, {"init", "version", "start", "shutdown"}, kNoStart},
  };
  for (const auto& c : cases) {
    FakeLibrary lib;
    lib.initialises = c.initialises;
    lib.version = c.version;
    lib.toolboxStarts = c.toolboxStarts;
    NoticeRecorder notices;
    EXPECT_EQ(RunMovieLibraryCheck(lib), c.status) << c.what;
    EXPECT_EQ(lib.calls, c.calls) << c.what;
    if (!c.message) {
      EXPECT_TRUE(notices.notices().empty()) << c.what;
    } else {
      ASSERT_EQ(notices.notices().size(), 1u) << c.what;
      EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage) << c.what;
      EXPECT_EQ(notices.notices()[0].text, c.message) << c.what;
    }
  }
}

TEST(MovieLibraryCheck, TheMovieComponentOfThePlayerPasses) {
  CMovieComponentProbe probe;
  NoticeRecorder notices;
  EXPECT_EQ(RunMovieLibraryCheck(probe), MovieLibraryStatus::Ready);
  EXPECT_TRUE(notices.notices().empty());
  // The check shuts the library down again; binding it afresh gives a version again.
  EXPECT_EQ(probe.Version(), 0u);
  ASSERT_TRUE(probe.Initialise());
  EXPECT_GE(probe.Version(), probe.MinimumVersion());
}

}  // namespace
