#include <gtest/gtest.h>

#include "audio/SoundOutput.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "exposition/KeywordOrder.h"
#include "shell/MovieSupportCheck.h"
#include "shell/PendingServices.h"
#include "shell/ProgramServices.h"

namespace {

struct StubLibrary : MovieLibrary {
  bool toolbox = true;
  int* stops = nullptr;
  bool Initialise() override { return true; }
  std::uint32_t Version() override { return 0x0700; }
  std::uint32_t MinimumVersion() const override { return 0x0300; }
  bool StartToolbox() override { return toolbox; }
  void StopToolbox() override {
    if (stops) ++*stops;
  }
  void Shutdown() override {}
};

bool AllInstalled() {
  return Service<CoursePersonality>() && Service<Preferences>() && Service<BundleList>() && Service<ContentsTable>() &&
         Service<GlossaryTable>() && Service<MovieSupport>() && Service<StudentRecord>() && Service<SoundOutput>() &&
         Service<AsteriskSourceList>() && Service<IndexTable>() && Service<KeywordOrder>();
}

bool NoneInstalled() {
  return !Service<CoursePersonality>() && !Service<Preferences>() && !Service<BundleList>() &&
         !Service<ContentsTable>() && !Service<GlossaryTable>() && !Service<MovieSupport>() &&
         !Service<StudentRecord>() && !Service<SoundOutput>() && !Service<AsteriskSourceList>() &&
         !Service<IndexTable>() && !Service<KeywordOrder>();
}

TEST(ProgramServices, CreatedInTheirOrderAndDestroyedInTheExitOrder) {
  NoticeRecorder notices;  // the test folder holds no course files
  int stops = 0;
  {
    ProgramServices services;
    services.CreatePersonality();
    services.CreatePreferences(false);
    EXPECT_EQ(services.CreateCourseServices([&stops] {
      auto lib = std::make_unique<StubLibrary>();
      lib->stops = &stops;
      return lib;
    }),
              0);
    EXPECT_TRUE(AllInstalled());
    services.ShutdownMovieSupport();
    EXPECT_EQ(stops, 1);
    const std::vector<std::string> created = {
        "+CoursePersonality", "+Preferences", "+BundleList",   "+ContentsTable",       "+GlossaryTable", "+MovieSupport",
        "+StudentRecord",     "+SoundOutput", "+AsteriskSourceList", "+IndexTable", "+KeywordOrder"};
    EXPECT_EQ(services.journal(), created);
    services.DestroyAll();
    EXPECT_TRUE(NoneInstalled());
    const std::vector<std::string> destroyed(services.journal().begin() + 11, services.journal().end());
    EXPECT_EQ(destroyed, (std::vector<std::string>{"-StudentRecord", "-ContentsTable", "-BundleList",
                                                   "-AsteriskSourceList", "-GlossaryTable", "-IndexTable",
                                                   "-MovieSupport", "-Preferences", "-SoundOutput", "-KeywordOrder",
                                                   "-CoursePersonality"}));
  }
  EXPECT_EQ(stops, 1);  // stopped once, not again at destruction
  EXPECT_TRUE(notices.sawText("Cannot load contents file"));
}

TEST(ProgramServices, AMovieLibraryThatCannotStartStopsStartUpAfterGlossary) {
  NoticeRecorder notices;
  ProgramServices services;
  services.CreatePersonality();
  services.CreatePreferences(false);
  EXPECT_EQ(services.CreateCourseServices([] {
    auto lib = std::make_unique<StubLibrary>();
    lib->toolbox = false;
    return lib;
  }),
            8558);
  EXPECT_EQ(services.journal().back(), "+GlossaryTable");
  EXPECT_EQ(Service<StudentRecord>(), nullptr);
  EXPECT_EQ(Service<MovieSupport>(), nullptr);
}

TEST(StudentRecord, NameIsCutTo259Bytes) {
  StudentRecord r;
  r.SetName(std::string(300, 'x'));
  EXPECT_EQ(r.name().size(), 259u);
  r.Reset();
  EXPECT_TRUE(r.name().empty());
}

}  // namespace
