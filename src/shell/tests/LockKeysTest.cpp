#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shell/LockKeys.h"

namespace {

void Light(const std::filesystem::path& leds, const std::string& name, int brightness) {
  kntest::WriteFileText(leds / name / "brightness", std::to_string(brightness) + "\n");
}

TEST(LockKeys, AKeyIsOnWhenAnyKeyboardLightsIt) {
  const auto leds = kntest::MakeTempDir("leds");
  Light(leds, "input3::capslock", 0);
  Light(leds, "input7::capslock", 1);
  Light(leds, "input3::numlock", 0);
  Light(leds, "input3::kana", 1);
  Light(leds, "phy0-led", 1);
  const LockKeyStates s = ReadLockKeys(leds);
  EXPECT_EQ(s.caps, std::optional<bool>(true));
  EXPECT_EQ(s.num, std::optional<bool>(false));
  EXPECT_EQ(s.scroll, std::nullopt);  // no keyboard reports it
}

TEST(LockKeys, NoLightsNoKnowledge) {
  const LockKeyStates s = ReadLockKeys(kntest::MakeTempDir("none") / "missing");
  EXPECT_FALSE(s.caps);
  EXPECT_FALSE(s.num);
  EXPECT_FALSE(s.scroll);
}

}  // namespace
