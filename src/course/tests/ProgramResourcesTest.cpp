#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"

TEST(ProgramResources, StringTableFilesAreWellFormedAndIdsAndNamesUnique) {
  std::map<int, std::string> seen;
  std::map<std::string, int> names;
  for (const auto& entry : std::filesystem::directory_iterator(kntest::SourceDir() / "resources" / "strings")) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::vector<std::string> errors;
    const auto name = entry.path().filename().string();
    for (const auto& rec : ParseStringTable(ss.str(), name, &errors)) {
      auto [it, fresh] = seen.emplace(rec.id, name);
      EXPECT_TRUE(fresh) << "id " << rec.id << " in " << name << " and " << it->second;
      auto [at, freshName] = names.emplace(rec.name, rec.id);
      EXPECT_TRUE(freshName) << rec.name << " names " << rec.id << " and " << at->second;
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
  }
  EXPECT_EQ(AllProgramStrings().size(), seen.size());
}

TEST(ProgramResources, LooksUpCompiledInStrings) {
  EXPECT_EQ(ProgramString(str::kDefaultApplication), "Kestrelon");
  EXPECT_TRUE(HasProgramString(str::kDefaultApplication));
  EXPECT_EQ(ProgramString(1), "");
}

TEST(ProgramResources, ParsesEscapesAndReportsBadLines) {
  std::vector<std::string> errors;
  auto recs = ParseStringTable(
      "# c\n10\tkTen\ta\\tb\\nc\\\\d\r\nxx\tkX\ty\n\tkZ\tz\n11\tkEleven\t\n12\tnoK\tt\n13\tkNoText\n"
      "14\tk-dash\tt\n",
      "f.txt", &errors);
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].name, "kTen");
  EXPECT_EQ(recs[0].text, "a\tb\nc\\d");
  EXPECT_EQ(recs[1].name, "kEleven");
  EXPECT_EQ(recs[1].text, "");
  EXPECT_EQ(errors, (std::vector<std::string>{
                        "f.txt:3: id is not a number",
                        "f.txt:4: expected <id><TAB><name><TAB><text>",
                        "f.txt:6: name is not a constant name (k followed by letters, digits or _)",
                        "f.txt:7: expected <id><TAB><name><TAB><text>",
                        "f.txt:8: name is not a constant name (k followed by letters, digits or _)",
                    }));
}

TEST(ProgramResources, FormatsOneArgument) {
  EXPECT_EQ(FormatText("Cannot open audio file '%s'.", "a.ogg"), "Cannot open audio file 'a.ogg'.");
  EXPECT_EQ(FormatText("%d%% done", "50"), "50% done");
  EXPECT_EQ(FormatText("Page %2d of %d", "3"), "Page 3 of ");
  EXPECT_EQ(FormatText("100%", "x"), "100%");
  EXPECT_EQ(FormatText("E&xit %s\tCtrl+Q", "App"), "E&xit App\tCtrl+Q");
}
