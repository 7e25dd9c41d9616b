// The program's numbers live in one table per family: commands (course/CommandIds.h),
// strings (resources/strings/*.txt, turned into course/StringIds.h) and resources
// (course/ResourceIds.h, one namespace per kind). These checks read the tables and the
// source tree as text, so they also see code that a given build leaves out.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "course/ProgramResources.h"

namespace fs = std::filesystem;

namespace {

struct Constant {
  std::string family;  // the innermost namespace of the declaration
  std::string name;
  long value;
  std::string where;  // file:line
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The line without its // comment and with its string literals emptied.
std::string CodeOf(const std::string& line) {
  std::string out;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\') ++i;
      else if (c == '"') quoted = false, out += c;
      continue;
    }
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
    if (c == '"') quoted = true;
    if (c == '\'' && i + 2 < line.size()) {  // a character literal: '"' must not open a string
      const std::size_t close = line.find('\'', i + (line[i + 1] == '\\' ? 3 : 2));
      if (close != std::string::npos) {
        out += "' '";
        i = close;
        continue;
      }
    }
    out += c;
  }
  return out;
}

// Every "inline constexpr int kName = 123;" of a table, with the namespace it is in.
std::vector<Constant> ReadConstants(const std::string& text, const std::string& file) {
  static const std::regex declaration(R"(^\s*inline constexpr int (k\w+) = (\d+);)");
  static const std::regex opening(R"(^\s*namespace (\w+) \{)");
  std::vector<Constant> out;
  std::vector<std::string> spaces;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const std::string code = CodeOf(line);
    std::smatch m;
    if (std::regex_search(code, m, opening)) spaces.push_back(m[1]);
    else if (line.rfind("}  // namespace", 0) == 0 && !spaces.empty()) spaces.pop_back();
    else if (std::regex_search(code, m, declaration))
      out.push_back({spaces.empty() ? "" : spaces.back(), m[1], std::stol(m[2]), file + ":" + std::to_string(lineNo)});
  }
  return out;
}

// Two names for one number, one name twice, or a number inside another name's
// <prefix>First..<prefix>Last range, within one family.
std::vector<std::string> Clashes(const std::vector<Constant>& all) {
  std::vector<std::string> out;
  std::map<std::pair<std::string, long>, const Constant*> byValue;
  std::map<std::pair<std::string, std::string>, const Constant*> byName;
  for (const Constant& c : all) {
    if (auto [it, fresh] = byValue.emplace(std::pair{c.family, c.value}, &c); !fresh)
      out.push_back(c.family + " " + std::to_string(c.value) + ": " + it->second->name + " (" + it->second->where +
                    ") and " + c.name + " (" + c.where + ")");
    if (auto [it, fresh] = byName.emplace(std::pair{c.family, c.name}, &c); !fresh)
      out.push_back(c.family + " " + c.name + " twice: " + it->second->where + " and " + c.where);
  }
  for (const Constant& first : all) {
    if (!first.name.ends_with("First")) continue;
    const std::string prefix = first.name.substr(0, first.name.size() - 5);
    const auto last = byName.find({first.family, prefix + "Last"});
    if (last == byName.end()) {
      out.push_back(first.family + " " + first.name + " has no " + prefix + "Last");
      continue;
    }
    for (const Constant& c : all)
      if (c.family == first.family && c.value >= first.value && c.value <= last->second->value &&
          c.name != first.name && c.name != last->second->name)
        out.push_back(first.family + " " + std::to_string(c.value) + ": " + c.name + " (" + c.where +
                      ") falls inside " + first.name + ".." + last->second->name);
  }
  return out;
}

std::vector<Constant> CommandTable() {
  const fs::path path = kntest::SourceDir() / "src" / "course" / "CommandIds.h";
  return ReadConstants(ReadText(path), "course/CommandIds.h");
}

std::vector<Constant> ResourceTable() {
  const fs::path path = kntest::SourceDir() / "src" / "course" / "ResourceIds.h";
  return ReadConstants(ReadText(path), "course/ResourceIds.h");
}

// The folder under resources/ of each resource family.
const std::map<std::string, std::string> kResourceFolders = {
    {"bmp", "bitmap"}, {"pic", "picture"}, {"ico", "icon"}, {"cur", "cursor"}, {"snd", "sound"}, {"txt", "text"},
};

std::vector<Constant> StringTable() {
  std::vector<Constant> out;
  for (const auto& entry : fs::directory_iterator(kntest::SourceDir() / "resources" / "strings")) {
    const std::string file = entry.path().filename().string();
    for (const auto& rec : ParseStringTable(ReadText(entry.path()), file))
      out.push_back({"str", rec.name, rec.id, file});
  }
  return out;
}

// The program's source files, table files left out.
std::vector<fs::path> SourceFiles() {
  std::vector<fs::path> out;
  for (const char* top : {"src", "authoring", "tests", "bench", "fuzz"}) {
    const fs::path root = kntest::SourceDir() / top;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      const fs::path& p = entry.path();
      if (!entry.is_regular_file() || (p.extension() != ".cpp" && p.extension() != ".h")) continue;
      if (p.filename() == "CommandIds.h" || p.filename() == "ResourceIds.h") continue;
      out.push_back(p);
    }
  }
  return out;
}

std::string Relative(const fs::path& p) { return fs::relative(p, kntest::SourceDir()).generic_string(); }

// Numbers outside the tables that equal a command or string number without being one.
const std::set<std::string> kNotIds = {
    "kMaxWindowEdge",  // 8000: the largest window coordinate a profile keeps
};

// Resource numbers collide with every other count and size (1000 ms, 128 levels, ...), so
// a constant is taken for a resource number only when its name says what it names.
const std::regex kResourceName(R"(Bitmap|Picture|Icon|Cursor|Sound|Text|Box|Image)");

// kName = <number> declarations (constants and enumerators) whose number is in a table.
// tableNumbers holds the command and string numbers, resourceNumbers the resources'.
std::vector<std::string> SecondDeclarations(const std::string& text, const std::string& file,
                                            const std::map<long, std::string>& tableNumbers,
                                            const std::map<long, std::string>& resourceNumbers = {}) {
  static const std::regex declaration(R"(\b(k[A-Z]\w*)\s*=\s*(\d+)\s*[;,])");
  std::vector<std::string> out;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const std::string code = CodeOf(line);
    for (std::sregex_iterator it(code.begin(), code.end(), declaration), end; it != end; ++it) {
      const std::string name = (*it)[1];
      const long value = std::stol((*it)[2]);
      auto found = tableNumbers.find(value);
      if (found == tableNumbers.end() || kNotIds.count(name)) {
        found = resourceNumbers.find(value);
        if (found == resourceNumbers.end() || !std::regex_search(name, kResourceName)) continue;
      }
      out.push_back(file + ":" + std::to_string(lineNo) + ": " + name + " declares " + found->second + " again");
    }
  }
  return out;
}

// Calls that take a string or resource number and are given a table's number bare
// (numbers in no table, such as a deliberately absent id in a test, are left alone).
std::vector<std::string> BareNumbers(const std::string& text, const std::string& file,
                                     const std::set<long>& tableNumbers) {
  static const std::regex call(
      R"(\b(ProgramString|FormatProgramString|HasProgramString|ShowNotice|ProgramResource|ProgramResourcePath|)"
      R"(RenderProgramImage|ProgramIcon|ProgramPixmap|ProgramCursor|LessonArtImage|PlayProgramSound)\(\s*)"
      R"((?:"",\s*)?(\d+)\b)");
  std::vector<std::string> out;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const std::string code = CodeOf(line);
    for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it)
      if (tableNumbers.count(std::stol((*it)[2]))) out.push_back(file + ":" + std::to_string(lineNo) + ": " + line);
  }
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

}  // namespace

TEST(IdTables, ChecksCatchTwoNamesForOneNumber) {
  const auto table = ReadConstants(
      "namespace cmd {\n"
      "inline constexpr int kA = 10;  // A\n"
      "inline constexpr int kB = 10;\n"
      "inline constexpr int kRowFirst = 20;\n"
      "inline constexpr int kRowLast = 25;\n"
      "inline constexpr int kC = 22;\n"
      "inline constexpr int kA = 30;\n"
      "}  // namespace cmd\n"
      "namespace other {\n"
      "inline constexpr int kD = 10;\n"
      "}  // namespace other\n",
      "t.h");
  ASSERT_EQ(table.size(), 7u);
  EXPECT_EQ(table[6].family, "other");
  EXPECT_EQ(Clashes(table), (std::vector<std::string>{
                                "cmd 10: kA (t.h:2) and kB (t.h:3)",
                                "cmd kA twice: t.h:2 and t.h:7",
                                "cmd 22: kC (t.h:6) falls inside kRowFirst..kRowLast",
                            }));

  const std::map<long, std::string> numbers = {{8503, "str::kBookmarkListFull"}};
  EXPECT_EQ(SecondDeclarations("constexpr int kMsgListFull = 8503;  // 8503\n"
                               "enum E { kX = 8503, kY = 8504 };\n"
                               "const char* s = \"kZ = 8503;\";\n"
                               "// constexpr int kW = 8503;\n",
                               "f.cpp", numbers),
            (std::vector<std::string>{"f.cpp:1: kMsgListFull declares str::kBookmarkListFull again",
                                      "f.cpp:2: kX declares str::kBookmarkListFull again"}));
  const std::map<long, std::string> resources = {{1510, "cur::kDrag"}};
  EXPECT_EQ(SecondDeclarations("constexpr int kDragCursor = 1510;\nconstexpr int kTimeout = 1510;\n", "g.cpp", {},
                               resources),
            (std::vector<std::string>{"g.cpp:1: kDragCursor declares cur::kDrag again"}));
  EXPECT_EQ(BareNumbers("ShowNotice(8503);\nShowNotice(str::kNoMemory);\nProgramResourcePath(\"cursor\", 1522);\n"
                        "// ProgramString(8000)\nProgramString(1);\n",
                        "f.cpp", {1522, 8503}),
            (std::vector<std::string>{"f.cpp:1: ShowNotice(8503);",
                                      "f.cpp:3: ProgramResourcePath(\"cursor\", 1522);"}));
}

TEST(IdTables, EachCommandNumberHasOneName) {
  const auto table = CommandTable();
  ASSERT_GT(table.size(), 50u);
  for (const Constant& c : table) EXPECT_EQ(c.family, "cmd") << c.where;
  EXPECT_EQ(Joined(Clashes(table)), "");
}

TEST(IdTables, EachResourceNumberHasOneNameAndAFile) {
  const auto table = ResourceTable();
  ASSERT_GT(table.size(), 50u);
  EXPECT_EQ(Joined(Clashes(table)), "");
  // Declared without a picture: the movie window shows the arrow over a playing movie.
  const std::set<std::string> noFile = {"cur::kMoviePlaying"};
  for (const Constant& c : table) {
    ASSERT_TRUE(kResourceFolders.count(c.family)) << c.where << ": namespace " << c.family;
    if (noFile.count(c.family + "::" + c.name)) continue;
    EXPECT_FALSE(ProgramResourcePath(kResourceFolders.at(c.family), static_cast<int>(c.value)).empty())
        << c.where << ": no resources/" << kResourceFolders.at(c.family) << "/" << c.value << ".*";
  }
}

TEST(IdTables, EachStringNumberHasOneName) {
  const auto table = StringTable();
  EXPECT_EQ(Joined(Clashes(table)), "");
  EXPECT_EQ(table.size(), AllProgramStrings().size()) << "the build's table is not the source's";
}

TEST(IdTables, EveryStringNamedInCodeIsInTheTable) {
  std::set<std::string> names;
  for (const Constant& c : StringTable()) names.insert(c.name);
  static const std::regex use(R"(\bstr::(k\w+))");
  std::vector<std::string> missing;
  for (const fs::path& p : SourceFiles()) {
    const std::string text = ReadText(p);
    for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it)
      if (!names.count((*it)[1])) missing.push_back(Relative(p) + ": str::" + std::string((*it)[1]));
  }
  EXPECT_EQ(Joined(missing), "");
}

TEST(IdTables, NoNumberOfATableIsDeclaredOrWrittenElsewhere) {
  std::map<long, std::string> numbers;
  for (const Constant& c : CommandTable()) numbers.emplace(c.value, "cmd::" + c.name);
  for (const Constant& c : StringTable())
    if (c.value >= 1000) numbers.emplace(c.value, "str::" + c.name);  // below 1000 numbers are too common
  std::map<long, std::string> resources;
  std::set<long> all;
  for (const Constant& c : ResourceTable()) {
    if (c.value >= 1000) resources.emplace(c.value, c.family + "::" + c.name);
    all.insert(c.value);
  }
  for (const Constant& c : CommandTable()) all.insert(c.value);
  for (const Constant& c : StringTable()) all.insert(c.value);
  std::vector<std::string> found;
  for (const fs::path& p : SourceFiles()) {
    const std::string text = ReadText(p);
    for (auto& f : SecondDeclarations(text, Relative(p), numbers, resources)) found.push_back(std::move(f));
    for (auto& f : BareNumbers(text, Relative(p), all)) found.push_back(std::move(f));
  }
  EXPECT_EQ(Joined(found), "");
}
