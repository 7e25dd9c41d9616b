#include <gtest/gtest.h>

#include "glossary/GlossaryTable.h"
#include "glossary/IndexTable.h"
#include "app/ProgramServices.h"
#include "audio/SoundOutput.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "exposition/KeywordOrder.h"
#include "movies/MovieSupport.h"
#include "records/StudentRecord.h"

namespace {

// Stands in for the movie library's start: the status it reports.
ProgramServices::MovieStarter Starting(MovieSupport::Status status) {
  return [status](MovieSupport&) { return static_cast<int>(status); };
}

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
  {
    ProgramServices services;
    services.CreatePersonality();
    services.CreatePreferences(false);
    EXPECT_EQ(services.CreateCourseServices(Starting(MovieSupport::Status::Ready)), 0);
    EXPECT_TRUE(AllInstalled());
    // The configuration reads the bundle and asterisk lists through the services now.
    EXPECT_TRUE(LinkedBundles().has_value());
    EXPECT_TRUE(LinkedAsteriskSources().has_value());
    services.ShutdownMovieSupport();
    const std::vector<std::string> created = {
        "+CoursePersonality", "+Preferences", "+BundleList",   "+ContentsTable",       "+GlossaryTable", "+MovieSupport",
        "+StudentRecord",     "+SoundOutput", "+AsteriskSourceList", "+IndexTable", "+KeywordOrder"};
    EXPECT_EQ(services.journal(), created);
    services.DestroyAll();
    EXPECT_TRUE(NoneInstalled());
    EXPECT_FALSE(LinkedBundles().has_value());
    const std::vector<std::string> destroyed(services.journal().begin() + 11, services.journal().end());
    EXPECT_EQ(destroyed, (std::vector<std::string>{"-StudentRecord", "-ContentsTable", "-BundleList",
                                                   "-AsteriskSourceList", "-GlossaryTable", "-IndexTable",
                                                   "-MovieSupport", "-Preferences", "-SoundOutput", "-KeywordOrder",
                                                   "-CoursePersonality"}));
  }
  EXPECT_TRUE(notices.sawText("Cannot load contents file"));
}

TEST(ProgramServices, MovieSupportThatCannotStartStopsStartUpAfterTheGlossary) {
  struct Case {
    MovieSupport::Status status;
    int notice;
  } cases[] = {{MovieSupport::Status::NotInstalled, str::kMovieLibraryRequired},
               {MovieSupport::Status::CannotStart, str::kMovieLibraryRequired},
               {MovieSupport::Status::TooOld, str::kMovieLibraryOld}};
  for (const Case& c : cases) {
    NoticeRecorder notices;
    ProgramServices services;
    services.CreatePersonality();
    services.CreatePreferences(false);
    EXPECT_EQ(services.CreateCourseServices(Starting(c.status)), c.notice);
    EXPECT_EQ(services.journal().back(), "+GlossaryTable");
    EXPECT_EQ(Service<StudentRecord>(), nullptr);
    EXPECT_EQ(Service<MovieSupport>(), nullptr);
  }
}

TEST(ProgramServices, TheInstalledMovieLibraryStarts) {
  NoticeRecorder notices;
  ProgramServices services;
  services.CreatePersonality();
  services.CreatePreferences(false);
  ASSERT_EQ(services.CreateCourseServices(), 0);
  ASSERT_NE(Service<MovieSupport>(), nullptr);
  EXPECT_TRUE(Service<MovieSupport>()->Available());
  services.ShutdownMovieSupport();
  EXPECT_FALSE(Service<MovieSupport>()->Available());
}

}  // namespace
