#include <gtest/gtest.h>

#include "TestSupport.h"
#include "course/ResourceContainer.h"
#include "setup/SetupConfig.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

std::vector<std::uint8_t> Container(std::string_view text,
                                    std::initializer_list<std::pair<std::uint32_t, const char*>> entries = {}) {
  ContainerWriter w;
  for (const auto& [type, name] : entries) w.AddEntry(type, name, Bytes(name));
  w.SetText(Bytes(text));
  return w.Build();
}

TEST(SetupConfig, ReadsTheSettingsAndTheSplashEntry) {
  const auto dir = kntest::MakeTempDir("cfg");
  kntest::WriteFileBytes(dir / kSetupConfigName,
                         Container("title:Course\nbutton:Go\nfunction:quit\n", {{1, "Splash"}, {0, "Splash"}}));
  const auto config = LoadSetupConfig(dir / kSetupConfigName);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->settings.title, "Course");
  ASSERT_EQ(config->settings.buttons.size(), 1u);
  EXPECT_EQ(config->splash, Bytes("Splash"));  // the picture, not the sound of that name
}

TEST(SetupConfig, TheSplashFollowsThePictureLookup) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<std::uint32_t, const char*>> entries;
    std::string splash;
  };
  const Case cases[] = {
      {"none", {}, ""},
      {"any case", {{0, "SPLASH"}}, "SPLASH"},
      {"@ form wins", {{0, "Splash@"}, {0, "Splash"}}, "Splash@"},
      {"only a sound", {{1, "Splash"}}, ""},
      {"only a text", {{2, "Splash"}}, ""},
      {"other names", {{0, "Splash2"}, {0, "Logo"}}, ""},
  };
  for (const auto& c : cases) {
    const auto config = LoadSetupConfigFromBytes(Container("", c.entries));
    ASSERT_TRUE(config) << c.what;
    EXPECT_EQ(std::string(config->splash.begin(), config->splash.end()), c.splash) << c.what;
  }
}

TEST(SetupConfig, UnreadableFilesGiveNothing) {
  const auto dir = kntest::MakeTempDir("bad");
  EXPECT_FALSE(LoadSetupConfig(dir / "missing.cfg"));
  EXPECT_FALSE(LoadSetupConfig(dir));  // a folder
  kntest::WriteFileBytes(dir / "empty.cfg", {});
  EXPECT_FALSE(LoadSetupConfig(dir / "empty.cfg"));

  const auto good = Container("title:T\n", {{0, "Splash"}});
  // Every truncation inside the header and directory is refused; a cut in the entry
  // data is too, since the entry then runs past the end.
  for (std::size_t n = 0; n < good.size() - 8; ++n)
    EXPECT_FALSE(LoadSetupConfigFromBytes({good.begin(), good.begin() + n})) << n;

  // An entry whose length runs past the end of the file.
  auto overrun = good;
  overrun[12 + 40] = 0xFF;
  EXPECT_FALSE(LoadSetupConfigFromBytes(overrun));
  // A text offset past the end.
  auto offset = good;
  offset[4] = 0xF0;
  EXPECT_FALSE(LoadSetupConfigFromBytes(offset));
}

TEST(SetupConfig, AnEmptyContainerIsValidAndHasDefaults) {
  const auto config = LoadSetupConfigFromBytes(Container(""));
  ASSERT_TRUE(config);
  EXPECT_TRUE(config->settings.buttons.empty());
  EXPECT_EQ(config->settings.clientWidth, SetupSettings::kDefaultWidth);
  EXPECT_TRUE(config->splash.empty());
}

TEST(SetupConfig, OversizedSettingsAreRefused) {
  std::string text(setup_limits::kMaxSettingsBytes + 1, '\n');
  EXPECT_FALSE(LoadSetupConfigFromBytes(Container(text)));
  text.pop_back();
  EXPECT_TRUE(LoadSetupConfigFromBytes(Container(text)));
}

TEST(SetupConfig, TheQuickTimeCheckRunsWhileReading) {
  int checks = 0;
  ASSERT_TRUE(LoadSetupConfigFromBytes(Container("quicktime:true\n"), [&] { ++checks; }));
  EXPECT_EQ(checks, 1);
}

}  // namespace
