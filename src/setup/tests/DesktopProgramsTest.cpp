#include <gtest/gtest.h>

#include "TestSupport.h"
#include "setup/DesktopPrograms.h"

namespace fs = std::filesystem;

namespace {

void WriteProgram(const fs::path& path, const std::string& content = "#!/bin/sh\nexit 0\n", bool executable = true) {
  fs::create_directories(path.parent_path());
  kntest::WriteFileText(path, content);
  fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
}

struct Installed {
  fs::path root = kntest::MakeTempDir("installed");
  ProgramSearch search{{root / "bin", root / "bin2"}, {root / "apps"}};
};

TEST(DesktopPrograms, FindsProgramsOnThePathByTheirDiscNames) {
  Installed in;
  WriteProgram(in.root / "bin2" / "kestrelon");
  WriteProgram(in.root / "bin" / "notes.txt", "text", false);
  fs::create_directories(in.root / "bin" / "folder");
  struct Case {
    const char* name;
    bool found;
  };
  const Case cases[] = {
      {"kestrelon", true},      {"Kestrelon.exe", true}, {"KESTRELON.EXE", true}, {"KESTRELON", true},
      {" kestrelon ", true},    {"kestrelon.ex", false}, {"notes.txt", false},    {"folder", false},
      {"bin2/kestrelon", false}, {"..\\bin2\\kestrelon", false}, {"", false},     {"..", false},
  };
  for (const auto& c : cases) {
    const auto p = FindInstalledProgram(c.name, in.search);
    EXPECT_EQ(p.has_value(), c.found) << c.name;
    if (p && c.found) {
      EXPECT_EQ(*p, in.root / "bin2" / "kestrelon") << c.name;
    }
  }
  // The first folder of the path wins.
  WriteProgram(in.root / "bin" / "kestrelon");
  EXPECT_EQ(FindInstalledProgram("kestrelon", in.search), in.root / "bin" / "kestrelon");
}

TEST(DesktopPrograms, FindsProgramsThroughDesktopEntries) {
  Installed in;
  const fs::path opt = in.root / "opt" / "My Viewer" / "run";
  WriteProgram(opt);
  WriteProgram(in.root / "bin" / "tallyframe");
  auto entry = [&](const std::string& name, const std::string& body) {
    kntest::WriteFileText(in.root / "apps" / (name + ".desktop"), "[Desktop Entry]\n" + body);
  };
  entry("viewer", "Type=Application\nExec=\"" + opt.string() + "\" %f\n");
  entry("stats", "Exec=tallyframe --open %U\n");
  entry("gone", "Exec=tallyframe\nHidden=true\n");
  entry("link", "Type=Link\nExec=tallyframe\n");
  entry("missing", "Exec=no-such-program-here\n");
  entry("relative", "Exec=bin/tallyframe\n");
  struct Case {
    const char* name;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {"viewer", opt},
      {"Viewer.exe", opt},
      {"viewer.desktop", opt},
      {"stats", in.root / "bin" / "tallyframe"},
      {"gone", std::nullopt},
      {"link", std::nullopt},
      {"missing", std::nullopt},
      {"relative", std::nullopt},
      {"nothing", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindInstalledProgram(c.name, in.search), c.expected) << c.name;
}

TEST(DesktopPrograms, ParsesTheDesktopEntryGroupOnly) {
  const auto e = ParseDesktopEntry(
      "# comment\n"
      "[Other]\nExec=wrong\n"
      "[Desktop Entry]\r\n"
      "Type = Application\r\n"
      "Exec=run\\sme %f\n"
      "Name[de]=Egal\n"
      "MimeType=text/rtf; application/rtf;;\n"
      "Hidden=false\n"
      "[Desktop Action new]\nExec=also-wrong\n");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->type, "Application");
  EXPECT_EQ(e->exec, "run me %f");
  EXPECT_FALSE(e->hidden);
  EXPECT_EQ(e->mimeTypes, (std::vector<std::string>{"text/rtf", "application/rtf"}));
  EXPECT_FALSE(ParseDesktopEntry("Exec=x\n[Other]\n"));
  EXPECT_FALSE(ParseDesktopEntry(""));
}

TEST(DesktopPrograms, TakesTheProgramWordOfAnExecLine) {
  struct Case {
    const char* exec;
    const char* program;
  };
  const Case cases[] = {
      {"prog --x %f", "prog"},
      {"  prog", "prog"},
      {"\"/opt/My App/run\" %f", "/opt/My App/run"},
      {"\"a\\\"b\" x", "a\"b"},
      {"\"unterminated", ""},
      {"", ""},
      {"\t", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DesktopExecProgram(c.exec), c.program) << c.exec;
}

TEST(DesktopPrograms, LooksForAnApplicationForADocumentType) {
  Installed in;
  const std::vector<std::string> rtf = {"text/rtf", "application/rtf"};
  EXPECT_FALSE(HasApplicationFor(rtf, in.search));  // the folder does not even exist
  fs::create_directories(in.root / "apps" / "vendor");
  kntest::WriteFileText(in.root / "apps" / "editor.desktop", "[Desktop Entry]\nExec=ed\nMimeType=text/plain;\n");
  kntest::WriteFileText(in.root / "apps" / "hidden.desktop",
                        "[Desktop Entry]\nExec=ed\nMimeType=text/rtf;\nHidden=true\n");
  kntest::WriteFileText(in.root / "apps" / "rtf.txt", "[Desktop Entry]\nMimeType=text/rtf;\n");
  EXPECT_FALSE(HasApplicationFor(rtf, in.search));
  kntest::WriteFileText(in.root / "apps" / "vendor" / "writer.desktop",
                        "[Desktop Entry]\nExec=writer\nMimeType=Application/RTF;\n");
  EXPECT_TRUE(HasApplicationFor(rtf, in.search));
  EXPECT_FALSE(HasApplicationFor({"image/png"}, in.search));
}

TEST(DesktopPrograms, OnlyProgramsAreStarted) {
  const fs::path dir = kntest::MakeTempDir("prog");
  struct Case {
    const char* name;
    std::string content;
    bool executable;
    bool program;
  };
  const Case cases[] = {
      {"elf", std::string("\x7f" "ELF\x02\x01", 6), true, true},
      {"script", "#!/bin/sh\n", true, true},
      {"readme", "Read me first\n", true, false},   // execute bit from a disc mount
      {"short", "#", true, false},
      {"elf-not-executable", std::string("\x7f" "ELF", 4), false, false},
  };
  for (const auto& c : cases) {
    WriteProgram(dir / c.name, c.content, c.executable);
    EXPECT_EQ(IsProgramFile(dir / c.name), c.program) << c.name;
  }
  EXPECT_FALSE(IsProgramFile(dir));
  EXPECT_FALSE(IsProgramFile(dir / "absent"));
}

}  // namespace
