#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "course/ProgramResources.h"

TEST(ProgramResources, StringTableFilesAreWellFormedAndIdsUnique) {
  std::map<int, std::string> seen;
  for (const auto& entry : std::filesystem::directory_iterator(kntest::SourceDir() / "resources" / "strings")) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::vector<std::string> errors;
    const auto name = entry.path().filename().string();
    for (const auto& rec : ParseStringTable(ss.str(), name, &errors)) {
      auto [it, fresh] = seen.emplace(rec.id, name);
      EXPECT_TRUE(fresh) << "id " << rec.id << " in " << name << " and " << it->second;
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
  }
  EXPECT_EQ(AllProgramStrings().size(), seen.size());
}

TEST(ProgramResources, LooksUpCompiledInStrings) {
  EXPECT_EQ(ProgramString(7500), "Kestrelon");
  EXPECT_TRUE(HasProgramString(7500));
  EXPECT_EQ(ProgramString(1), "");
}

TEST(ProgramResources, ParsesEscapesAndReportsBadLines) {
  std::vector<std::string> errors;
  auto recs = ParseStringTable("# c\n10\ta\\tb\\nc\\\\d\r\nxx\ty\n\tz\n", "f.txt", &errors);
  ASSERT_EQ(recs.size(), 1u);
  EXPECT_EQ(recs[0].text, "a\tb\nc\\d");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "f.txt:3: id is not a number");
}

TEST(ProgramResources, FormatsOneArgument) {
  EXPECT_EQ(FormatText("Cannot open audio file '%s'.", "a.ogg"), "Cannot open audio file 'a.ogg'.");
  EXPECT_EQ(FormatText("%d%% done", "50"), "50% done");
  EXPECT_EQ(FormatText("Page %2d of %d", "3"), "Page 3 of ");
  EXPECT_EQ(FormatText("100%", "x"), "100%");
  EXPECT_EQ(FormatText("E&xit %s\tCtrl+Q", "App"), "E&xit App\tCtrl+Q");
}
