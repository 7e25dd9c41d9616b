#include <gtest/gtest.h>

#include "ContentsTestSupport.h"
#include "TestSupport.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ResourceContainer.h"
#include "course/Services.h"

namespace {

// A course folder with a personality (lesson base 0, custom bookmark 5), contents with
// a bundle ordering, Bundle.txt and asterisk.txt, under names of mixed case.
std::filesystem::path MakeCourse() {
  const auto root = kntest::MakeTempDir("glue");
  ContainerWriter w;
  w.AddEntry(kEntryText, "Lesson Base", {'0'});
  w.AddEntry(kEntryText, "Custom Bookmark", {'5'});
  kntest::WriteFileBytes(root / "personal.knp", w.Build());
  kntest::WriteFileText(root / "Course" / "CONTENTS.TXT",
                        "*SMITH:ch2\ng=One\nl=Data\nd=ch1\nf\np=P\nl=Graphs\nd=ch2\nf\np=P\n");
  kntest::WriteFileText(root / "Course" / "bundle.txt", "none=No bundle\nsmith=Smith's Statistics\n");
  kntest::WriteFileText(root / "Course" / "Asterisk.txt", "ab=Anderson\ncd=Carter\n");
  return root;
}

struct ExplicitFolder {
  explicit ExplicitFolder(const std::filesystem::path& p) { SetExplicitCourseFolder(p); }
  ~ExplicitFolder() { SetExplicitCourseFolder(std::nullopt); }
};

TEST(ContentsServices, LoadsThroughTheCourseLocationsWithTheConfiguredSettings) {
  const auto root = MakeCourse();
  ExplicitFolder folder(root);
  NoticeRecorder notices;
  CoursePersonality personality(root / "personal.knp");
  ScopedService<CoursePersonality> p(&personality);
  Preferences prefs;
  prefs.DiscoverVolume();
  prefs.bundledText = 1;
  ScopedService<Preferences> pr(&prefs);

  BundleList bundles;
  ASSERT_TRUE(bundles.Load());
  ScopedService<BundleList> b(&bundles);
  ContentsTable contents;
  ASSERT_TRUE(contents.Load());
  ScopedService<ContentsTable> c(&contents);
  AsteriskSourceList asterisks;
  ASSERT_TRUE(asterisks.Load());
  ScopedService<AsteriskSourceList> a(&asterisks);
  EXPECT_TRUE(notices.notices().empty());

  EXPECT_EQ(contents.LessonBase(), 0);
  EXPECT_EQ(kntest::DisplayOutline(contents), "ch2 ch1");  // the chosen bundle's order
  EXPECT_EQ(NewLocatorMark(), 5);

  prefs.asterisks = 0b10;
  EXPECT_TRUE(asterisks.IsIncluded("abc.txt"));
  EXPECT_FALSE(asterisks.IsIncluded("cdx.txt"));

  // The configuration's hooks now see the same lists and resolution.
  ScopedCourseModelLinks keep({});
  ConnectCourseModel();
  ASSERT_TRUE(LinkedBundles());
  EXPECT_EQ(LinkedBundles()->size(), 2u);
  EXPECT_EQ(LinkedAsteriskSources()->at(1).value, "Carter");
  const auto place = LinkedResolve(":ch1:ch11.pag");
  ASSERT_TRUE(place);
  EXPECT_EQ(place->lesson, 1);
  EXPECT_EQ(place->page, 0);
  EXPECT_EQ(personality.ExpandName(":ch1:ch11.pag"), "1-1");  // lesson base 0: position 1 is lesson 1
}

TEST(ContentsServices, MissingFilesGiveThePlainMessagesAndEmptyData) {
  const auto root = kntest::MakeTempDir("empty");
  std::filesystem::create_directories(root / "course");
  ExplicitFolder folder(root);
  NoticeRecorder notices;
  ContentsTable contents;
  EXPECT_FALSE(contents.Load());
  EXPECT_EQ(contents.LessonCount(), 0);
  BundleList bundles;
  EXPECT_FALSE(bundles.Load());
  ASSERT_EQ(notices.notices().size(), 2u);
  EXPECT_EQ(notices.notices()[0].text, "Cannot load contents file");
  EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
  EXPECT_EQ(notices.notices()[1].text, "Cannot load asterisk or bundle file");
}

}  // namespace
