#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

std::filesystem::path WritePersonality(const std::vector<std::pair<std::uint32_t, std::pair<std::string, std::string>>>& entries) {
  ContainerWriter w;
  for (const auto& [type, e] : entries) w.AddEntry(type, e.first, std::vector<std::uint8_t>(e.second.begin(), e.second.end()));
  const auto path = kntest::MakeTempDir("knp") / "personal.knp";
  kntest::WriteFileBytes(path, w.Build());
  return path;
}

// The output line of one key.
std::string Line(const std::string& out, const std::string& id) {
  const auto at = out.find("\n" + id + " ");
  if (at == std::string::npos) return {};
  return out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

}  // namespace

TEST(PersonalityCommand, PrintsEveryKeyWithItsSource) {
  const auto file = WritePersonality({{2, {"Application", "Caf\xE9 Stats"}},
                                      {2, {"goal icon", "yes"}},
                                      {2, {"Link Color", "16711680"}},
                                      {2, {"Explore Name", std::string(300, 'x')}},
                                      {0, {"Splash Screen@", "BM12"}}});
  const auto r = RunKncourse({"personality", file.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  int keys = 0;
  for (int id = 7500; id <= 7531; ++id) keys += !Line(r.out, std::to_string(id)).empty();
  EXPECT_EQ(keys, 32);
  EXPECT_NE(Line(r.out, "7500").find("file     \"Café Stats\""), std::string::npos) << Line(r.out, "7500");
  EXPECT_NE(Line(r.out, "7516").find("boolean  file     false  (\"yes\")"), std::string::npos) << Line(r.out, "7516");
  EXPECT_NE(Line(r.out, "7521").find("#ff0000"), std::string::npos) << Line(r.out, "7521");
  EXPECT_NE(Line(r.out, "7509").find("default  \"Tallyframe\""), std::string::npos) << Line(r.out, "7509");
  EXPECT_NE(Line(r.out, "7517").find("default  true"), std::string::npos) << Line(r.out, "7517");
  EXPECT_NE(r.out.find("Splash Screen  4 bytes"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("About Screen   none"), std::string::npos) << r.out;
}

TEST(PersonalityCommand, RefusesMissingAndDamagedFiles) {
  const auto dir = kntest::MakeTempDir("knp");
  auto r = RunKncourse({"personality", (dir / "none.knp").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot open"), std::string::npos);

  auto bytes = kntest::ReadFileBytes(WritePersonality({{2, {"Application", "Cut"}}}));
  bytes.resize(bytes.size() - 1);
  kntest::WriteFileBytes(dir / "cut.knp", bytes);
  r = RunKncourse({"personality", (dir / "cut.knp").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot load"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("Cannot load personality file"), std::string::npos) << "the player's box is not shown";

  EXPECT_EQ(RunKncourse({"personality", "--help"}).status, 0);
  EXPECT_EQ(RunKncourse({"personality"}).status, 2);
}
