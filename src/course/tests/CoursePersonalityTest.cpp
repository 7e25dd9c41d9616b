#include <gtest/gtest.h>

#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ResourceContainer.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"

namespace {

struct Entry {
  std::uint32_t type;
  std::string name;
  std::string data;
};

std::vector<std::uint8_t> Container(const std::vector<Entry>& entries, std::string text = {}) {
  ContainerWriter w;
  for (const auto& e : entries) w.AddEntry(e.type, e.name, std::vector<std::uint8_t>(e.data.begin(), e.data.end()));
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

std::unique_ptr<CoursePersonality> With(const std::vector<Entry>& entries) {
  return CoursePersonality::FromBytes(Container(entries), "personal.knp");
}

}  // namespace

TEST(CoursePersonality, BooleanValues) {
  struct Case {
    const char* value;
    bool expected;
  };
  const Case cases[] = {{"TRUE", true}, {"true", true}, {"1", true},     {"yes", false}, {"0", false},
                        {"false", false}, {"True ", false}, {"", true /* the default of Goal Icon */}};
  for (const auto& c : cases) {
    auto p = With({{kEntryText, "Goal Icon", c.value}, {kEntryText, "Disable Sounds", c.value}});
    EXPECT_EQ(p->goalIcon(), c.expected) << '"' << c.value << '"';
    EXPECT_EQ(p->GetBool(kKeyDisableSounds, false), *c.value ? c.expected : false) << '"' << c.value << '"';
  }
}

TEST(CoursePersonality, IntegerAndColourValues) {
  auto p = With({{kEntryText, "Custom Bookmark", "7"},
                 {kEntryText, "Lesson Base", "abc"},
                 {kEntryText, "Page Format", "-3x"},
                 {kEntryText, "Link Color", "16711680"}});
  EXPECT_EQ(p->customBookmark(), 7);
  EXPECT_EQ(p->GetInt(kKeyLessonBase, 1), 0);  // non-empty, read as a number: no digits give 0
  EXPECT_EQ(p->GetInt(kKeyPageFormat, 0), -3);
  EXPECT_EQ(p->GetInt(kKeyExpoFont, 42), 42);  // empty: the default

  const QColor red(255, 0, 0);
  EXPECT_EQ(p->GetColor(kKeyLinkColor), red);
  EXPECT_EQ(With({{kEntryText, "Link Color", "#ff0000"}})->GetColor(kKeyLinkColor), red);
  EXPECT_EQ(With({{kEntryText, "Link Color", "#FF0000"}})->GetColor(kKeyLinkColor), red);
  // Absent or malformed: the default "#2222ff".
  for (const char* bad : {"#ff00", "#gg0000", "red", "16777216", "12a"})
    EXPECT_EQ(With({{kEntryText, "Link Color", bad}})->GetColor(kKeyLinkColor), QColor(0x22, 0x22, 0xff)) << bad;
  EXPECT_EQ(With({})->GetColor(kKeyLinkColor), QColor(0x22, 0x22, 0xff));
}

TEST(CoursePersonality, StringsComeFromTheFileOrTheStringTable) {
  auto p = With({{kEntryText, "Application", "Statistics Now"},
                 {kEntryText, "flavor", std::string(259, 'f')},
                 {kEntryText, "Explore Name", std::string(260, 'e')},
                 {kEntryText, "Explore Suffix", std::string(".xyz\0junk", 9)},
                 {kEntryPicture, "Volumes", "picture, not text"}});
  EXPECT_EQ(p->loadState(), CoursePersonality::LoadState::Loaded);
  EXPECT_EQ(p->GetString(kKeyApplication), "Statistics Now");
  EXPECT_TRUE(p->FromFile(kKeyApplication));
  EXPECT_EQ(p->GetString(kKeyFlavor), std::string(259, 'f'));  // names match without regard to case
  EXPECT_EQ(p->GetString(kKeyExploreName), "Tallyframe");      // 260 bytes: ignored
  EXPECT_FALSE(p->FromFile(kKeyExploreName));
  EXPECT_EQ(p->GetString(kKeyExploreSuffix), ".xyz");
  EXPECT_EQ(p->GetString(kKeyVolumes).substr(0, 12), "Kestrelon; ;");  // only text entries count
  EXPECT_EQ(p->GetString(kKeySplashMovie), "IN\\INLogo.mov");
  EXPECT_EQ(p->GetString(kKeyDatasetsFolder), "");
  EXPECT_EQ(p->GetString(kKeyWindowsSuffix), "kns");
}

TEST(CoursePersonality, MissingFileGivesDefaultsSilently) {
  NoticeRecorder notices;
  CoursePersonality p(kntest::MakeTempDir() / "personal.knp");
  EXPECT_EQ(p.loadState(), CoursePersonality::LoadState::Missing);
  EXPECT_TRUE(notices.notices().empty());
  EXPECT_EQ(p.GetString(kKeyApplication), "Kestrelon");
  EXPECT_EQ(p.GetString(kKeyFlavor), " Academic Year 2003-2004");
  EXPECT_TRUE(p.GetBool(kKeyQuickTime, false));
  EXPECT_EQ(p.GetInt(kKeyLessonBase, 99), 1);
  EXPECT_TRUE(p.helpGuide() && p.goalIcon() && p.tocIcons() && p.indexIcons() && p.dogEar() &&
              p.shrinkExplanation() && p.pageNumber() && p.homework() && p.projects());
  EXPECT_TRUE(p.hasExploreHelp() && p.hasExploreDocs() && p.hasExploreTutor() && p.hasDatasetsName());
  EXPECT_EQ(p.customBookmark(), 0);
  EXPECT_FALSE(p.HasEntry(kEntryPicture, kSplashScreenPicture));
}

TEST(CoursePersonality, EveryTruncationIsReportedOnceThenDefaults) {
  // No text section: the personality has no use for one, and a cut inside it cannot be told.
  const auto full = Container({{kEntryText, "Application", "Cut Course"}, {kEntryPicture, "About Screen", "BMxx"}});
  const auto dir = kntest::MakeTempDir();
  for (std::size_t n = 0; n < full.size(); ++n) {
    const auto path = dir / ("p" + std::to_string(n) + ".knp");
    kntest::WriteFileBytes(path, std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
    NoticeRecorder notices;
    CoursePersonality p(path);
    ASSERT_EQ(notices.notices().size(), 1u) << n;
    EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
    EXPECT_EQ(notices.notices()[0].text, "Cannot load personality file");
    EXPECT_EQ(p.loadState(), CoursePersonality::LoadState::Damaged);
    EXPECT_EQ(p.GetString(kKeyApplication), "Kestrelon") << n;
  }
}

TEST(CoursePersonality, EntriesPicturesAndTexts) {
  auto p = With({{kEntryPicture, "Splash Screen", "plain"},
                 {kEntryPicture, "Splash Screen@", "preferred"},
                 {kEntryText, "License Text", "Do as you please."}});
  const auto picture = p->ReadEntry(kEntryPicture, "splash screen");
  ASSERT_TRUE(picture);
  EXPECT_EQ(std::string(picture->begin(), picture->end()), "preferred");
  const auto text = p->ReadEntry(kEntryText, "License Text");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->back(), 0);  // returned NUL-terminated
  EXPECT_FALSE(p->ReadEntry(kEntrySound, "Splash Screen"));

  std::string out = "stale";
  EXPECT_TRUE(p->LoadText(txt::kLicense, "License Text", out));
  EXPECT_EQ(out, "Do as you please.");
  EXPECT_FALSE(p->LoadText(24999, "No Such Text", out));
  EXPECT_EQ(out, "");
}

TEST(CoursePersonality, ExpandsPlaceholders) {
  auto p = With({{kEntryText, "Application", "StatCourse"},
                 {kEntryText, "Explore Name", "Explorer"},
                 {kEntryText, "Lesson Base", "0"}});
  EXPECT_EQ(p->ExpandName("application"), "StatCourse");
  EXPECT_EQ(p->ExpandName("Explore"), "Explorer");
  EXPECT_EQ(p->ExpandName("ch2\\ch23.pag"), "");  // no contents to resolve it
  EXPECT_EQ(p->ExpandName("bundle"), "");

  Preferences prefs;
  prefs.bundledText = 2;
  ScopedService<Preferences> installed(&prefs);
  ScopedCourseModelLinks links({
      [] { return std::vector<CourseListEntry>{{"", "none"}, {"mm", "Moore"}, {"ds", "De Veaux"}}; },
      {},
      [](std::string_view id) -> std::optional<CoursePlace> {
        if (id == ":ch2:ch23.pag") return CoursePlace{3, 2};
        if (id == ":ch2:x.ast") return CoursePlace{3, -1};
        return std::nullopt;
      },
  });
  EXPECT_EQ(p->ExpandName("bundle"), "De Veaux");
  EXPECT_EQ(p->ExpandName(":ch2:ch23.pag"), "3-3");
  EXPECT_EQ(p->ExpandName(":ch2:x.ast"), "3");
  EXPECT_EQ(With({})->ExpandName(":ch2:ch23.pag"), "4-3");  // lessons counted from the default base 1
  EXPECT_EQ(p->ExpandName("unknown.exp"), "");
  prefs.bundledText = 7;
  EXPECT_EQ(p->ExpandName("bundle"), "");
}

TEST(CoursePersonality, MenuTextsFollowTheNames) {
  auto find = [](const std::vector<MenuTextChange>& v, int id) -> const MenuTextChange* {
    for (const auto& c : v)
      if (c.commandId == id) return &c;
    return nullptr;
  };
  const auto defaults = With({})->MenuRewrites();
  ASSERT_TRUE(find(defaults, cmd::kExit));
  EXPECT_EQ(find(defaults, cmd::kExit)->text, "E&xit Kestrelon\tCtrl+Q");
  EXPECT_EQ(find(defaults, cmd::kAbout)->text, "About Kestrelon...");
  EXPECT_EQ(find(defaults, cmd::kHelpContents)->text, "Kestrelon Help");
  EXPECT_EQ(find(defaults, cmd::kLaunchExplore)->text, "&Launch Tallyframe");
  EXPECT_EQ(find(defaults, cmd::kExploreDocs)->text, "Tallyframe Documentation");
  EXPECT_EQ(find(defaults, cmd::kExploreHelp)->text, "Tallyframe Help");
  EXPECT_EQ(find(defaults, cmd::kListDatasets)->text, "List Datasets");

  const auto bare = With({{kEntryText, "Explore Docs", ""}, {kEntryText, "Datasets Name", ""},
                          {kEntryText, "Application", "Caf\xE9"}})
                        ->MenuRewrites();
  EXPECT_TRUE(find(bare, cmd::kExploreDocs)->remove);
  EXPECT_FALSE(find(bare, cmd::kListDatasets));
  EXPECT_EQ(find(bare, cmd::kAbout)->text, "About Café...");  // course bytes shown as Unicode
}

TEST(CoursePersonality, ReadsPersonalKnpFromTheExplicitCourseFolder) {
  const auto dir = kntest::MakeTempDir("course");
  kntest::WriteFileBytes(dir / "PERSONAL.KNP", Container({{kEntryText, "Application", "Folder Course"}}));
  SetExplicitCourseFolder(dir);
  CoursePersonality p;
  SetExplicitCourseFolder(std::nullopt);
  EXPECT_EQ(p.loadState(), CoursePersonality::LoadState::Loaded);
  EXPECT_EQ(p.GetString(kKeyApplication), "Folder Course");

  ScopedService<CoursePersonality> installed(&p);
  EXPECT_EQ(PersonalityString(kKeyApplication), "Folder Course");
  EXPECT_TRUE(PersonalityBool(kKeyQuickTime, false));
}

TEST(CoursePersonality, KeyTableCoversEveryId) {
  int expected = str::kDefaultApplication;
  for (const auto& key : PersonalityKeys()) EXPECT_EQ(key.id, expected++) << key.name;
  EXPECT_EQ(expected, str::kDefaultWindowsSuffix + 1);
  EXPECT_EQ(std::string(FindPersonalityKey(kKeyTocIcons)->name), "TOC Icons");
}
