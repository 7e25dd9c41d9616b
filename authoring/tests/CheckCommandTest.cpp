// kncourse check over the bundled course as the build packs it: clean as it is, and
// each kind of damage an author can do reported against the file that holds it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ContentsTable.h"
#include "course/ResourceContainer.h"

namespace fs = std::filesystem;

namespace {

using kntest::RunKncourse;

fs::path BuiltProgramFolder() {
  const char* bin = std::getenv("KN_BINARY_DIR");
  return fs::path(bin ? bin : "build") / "bin";
}

// A private copy of the packed course (course/ and personal.knp) to damage.
fs::path CopyCourse() {
  const auto program = kntest::MakeTempDir("program");
  fs::copy(BuiltProgramFolder() / "course", program / "course", fs::copy_options::recursive);
  fs::copy_file(BuiltProgramFolder() / "personal.knp", program / "personal.knp");
  return program / "course";
}

std::string ReadText(const fs::path& p) {
  const auto b = kntest::ReadFileBytes(p);
  return std::string(b.begin(), b.end());
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << "missing in the sample course: " << from;
  text.replace(at, from.size(), to);
}

// Rebuilds a container with its entries and type code, giving it a new text section.
void EditContainer(const fs::path& path, const std::function<void(std::string&)>& edit,
                   std::optional<std::uint32_t> code = std::nullopt) {
  auto c = ResourceContainer::FromBytes(kntest::ReadFileBytes(path));
  ContainerWriter w;
  w.SetTypeCode(code ? *code : c.typeCode());
  for (const auto& e : c.directory().entries()) {
    auto data = c.ReadEntry(e);
    if (e.type == kEntryText) data.pop_back();  // the reader's terminator
    w.AddEntry(e.type, e.name, std::move(data));
  }
  const auto section = c.ReadTextSection();
  std::string text(section.begin(), section.end());
  edit(text);
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  kntest::WriteFileBytes(path, w.Build());
}

void EditText(const fs::path& path, const std::function<void(std::string&)>& edit) {
  std::string text = ReadText(path);
  edit(text);
  kntest::WriteFileText(path, text);
}

// Whether a report line names file:line (line < 0: any line) and holds fragment.
bool Reported(const std::string& out, const std::string& file, int line, const std::string& fragment) {
  std::istringstream rows(out);
  const std::string prefix = file + ":" + (line >= 0 ? std::to_string(line) + ":" : "");
  for (std::string row; std::getline(rows, row);)
    if (row.rfind(prefix, 0) == 0 && row.find(fragment) != std::string::npos) return true;
  return false;
}

// Builds without the window code (the sanitizer build) pack no course.
#define REQUIRE_BUILT_COURSE()                                                  \
  if (!fs::exists(BuiltProgramFolder() / "course" / "contents.txt"))            \
  GTEST_SKIP() << "no packed course in " << BuiltProgramFolder().string()

TEST(CheckCommand, TheBundledCourseIsClean) {
  REQUIRE_BUILT_COURSE();
  const auto r = RunKncourse({"check", (BuiltProgramFolder() / "course").string()});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("clean"), std::string::npos) << r.out;
  // The personality is found beside the folder however the folder is written.
  EXPECT_EQ(RunKncourse({"check", (BuiltProgramFolder() / "course" / ".").string()}).status, 0);
  EXPECT_EQ(RunKncourse({"check", (BuiltProgramFolder() / "course").string() + "/"}).status, 0);
}

struct Damage {
  const char* what;
  std::function<void(const fs::path& course)> apply;
  const char* file;  // as reported, relative to the course folder
  int line;          // -1: any
  const char* fragment;
};

void RunDamages(const std::vector<Damage>& damages);

TEST(CheckCommand, ReportsEachDamageWithItsFile) {
  REQUIRE_BUILT_COURSE();
  const std::vector<Damage> damages = {
      {"activity file deleted", [](const fs::path& c) { fs::remove(c / "ed" / "edvars.fil"); }, "contents.txt", 14,
       "ed/edvars.fil is missing"},
      {"narration clip deleted", [](const fs::path& c) { fs::remove(c / "nm" / "nmz.ogg"); }, "nm/nmz.exp", 0,
       "narration clip nm/nmz.ogg (or .aif) is missing"},
      {"narration clip damaged", [](const fs::path& c) { kntest::WriteFileText(c / "sd" / "sdclt.ogg", "not a clip"); },
       "sd/sdclt.ogg", 0, "cannot open this clip"},
      {"misspelt keyword",
       [](const fs::path& c) {
         EditContainer(c / "sd" / "sdmany.exp", [](std::string& t) { Replace(t, ":set background to cream", ":set background to creme"); });
       },
       "sd/sdmany.exp", 3, "\"creme\" is no keyword"},
      {"goto without its label",
       [](const fs::path& c) {
         EditContainer(c / "inf" / "infp.exp", [](std::string& t) { Replace(t, ":set title", ":goto \"the end\"\n:set title"); });
       },
       "inf/infp.exp", 3, "label \"the end\""},
      {"exposition picture missing",
       [](const fs::path& c) {
         EditContainer(c / "ed" / "edhist.exp", [](std::string& t) { Replace(t, "\"hist10\"", "\"hist11\""); });
       },
       "ed/edhist.exp", -1, "the picture \"hist11\""},
      {"tool file without a tool code",
       [](const fs::path& c) {
         EditContainer(c / "nm" / "nmtable.scr", [](std::string&) {}, *TypeCodeFromString("xxxx"));
       },
       "nm/nmtable.scr", 0, "names no tool"},
      {"page picture missing",
       [](const fs::path& c) { EditContainer(c / "ed" / "ed1.pag", [](std::string& t) { Replace(t, "s=cases", "s=casez"); }); },
       "ed/ed1.pag", -1, "the picture \"casez\""},
      {"page with one activity entry less than the contents",
       [](const fs::path& c) {
         EditContainer(c / "sd" / "sd2.pag", [](std::string& t) { Replace(t, "<img s=exercise e=1 t=6>", "<img s=exercise>"); });
       },
       "sd/sd2.pag", 0, "shows 1 activity entries"},
      {"movie transcript deleted", [](const fs::path& c) { fs::remove(c / "nm" / "nmbeans.mtx"); }, "contents.txt", 30,
       "no transcript nm/nmbeans.mtx"},
      {"page damaged", [](const fs::path& c) { kntest::WriteFileBytes(c / "nm" / "nm2.pag", {1, 0, 0, 0, 99, 0}); },
       "nm/nm2.pag", 0, "not a readable resource container"},
      {"asterisk note deleted", [](const fs::path& c) { fs::remove(c / "inf" / "asterisk" / "hlt.ast"); }, "inf/inf3.pag",
       -1, "inf/asterisk/hlt.ast is missing"},
      {"glossary term removed",
       [](const fs::path& c) {
         EditContainer(c / "glossary.gls", [](std::string& t) { Replace(t, "<dt>median<dd>", "<dt>middle value<dd>"); });
       },
       "ed/ed3.pag", -1, "\"median\" finds no glossary term"},
      {"exercise answer without its choice",
       [](const fs::path& c) {
         EditContainer(c / "inf" / "infhyp.fil", [](std::string& t) {
           Replace(t, "choices:\xC7=\xC8\t\xC7\xAD\xC8\t\xC7<\xC8\t\xC7>\xC8\nhint", "choices:\xC7=\xC8\t\xC7\xAD\xC8\t\xC7>\xC8\nhint");
         });
       },
       "inf/infhyp.fil", -1, "the answer \"<\" is not among the choices"},
      {"ordering names no lesson",
       [](const fs::path& c) { EditText(c / "contents.txt", [](std::string& t) { Replace(t, "*OK:1,ed,sd,nm,", "*OK:1,ed,sd,nmx,"); }); },
       "contents.txt", 6, "\"nmx\" is no lesson code"},
      {"tenth page",
       [](const fs::path& c) {
         std::string pages;
         for (int n = 3; n <= 10; ++n) pages += "f\np=Extra " + std::to_string(n) + "\n";
         EditText(c / "contents.txt", [&](std::string& t) { Replace(t, "\nl=Inference", "\n" + pages + "l=Inference"); });
       },
       "contents.txt", -1, "a lesson holds at most 9 pages"},
      {"index reference to a page that does not exist",
       [](const fs::path& c) { EditText(c / "index.txt", [](std::string& t) { t += "variance\t150\n"; }); }, "index.txt", 28,
       "lesson 1 has 3 pages"},
      {"personality colour misspelt",
       [](const fs::path& c) {
         auto p = ResourceContainer::FromBytes(kntest::ReadFileBytes(c.parent_path() / "personal.knp"));
         ContainerWriter w;
         for (const auto& e : p.directory().entries()) {
           auto data = p.ReadEntry(e);
           if (e.type == kEntryText) data.pop_back();
           if (e.name == "Link Color") data = {'t', 'e', 'a', 'l'};
           w.AddEntry(e.type, e.name, std::move(data));
         }
         kntest::WriteFileBytes(c.parent_path() / "personal.knp", w.Build());
       },
       "../personal.knp", 0, "\"Link Color\" is \"teal\""},
  };
  ASSERT_GE(damages.size(), 10u);
  RunDamages(damages);
}

// Mistakes that leave every file in place but make the player read something else
// than the author meant.
TEST(CheckCommand, ReportsWhatThePlayerWouldReadDifferently) {
  REQUIRE_BUILT_COURSE();
  auto script = [](const char* from, const char* to) {
    return [=](const fs::path& c) {
      EditContainer(c / "nm" / "nmz.exp", [=](std::string& t) { Replace(t, from, to); });
    };
  };
  auto exercise = [](const char* from, const char* to) {
    return [=](const fs::path& c) {
      EditContainer(c / "sd" / "sdse.fil", [=](std::string& t) { Replace(t, from, to); });
    };
  };
  const std::vector<Damage> damages = {
      {"object name without quotes", script(":set title to", ":clear intro\n:set title to"), "nm/nmz.exp", 3,
       "\"intro\" is no keyword"},
      {"string left open", script("\"Measuring in standard deviations\"", "\"Measuring in standard deviations"),
       "nm/nmz.exp", 3, "a string is not closed"},
      {"symbol the tokenizer drops", script(":set title to", ":wait 1;\n:set title to"), "nm/nmz.exp", 3,
       "the symbol \";\""},
      {"timing lines out of order", script("\n+25\n", "\n+12\n"), "nm/nmz.exp", 10, "earlier than the one on line"},
      {"question without a blank", exercise("by \xC7" "4\xC8.", "by four."), "sd/sdse.fil", -1,
       "has no blank"},
      {"item open", exercise("\xC7" "1.6\xC8", "\xC7" "1.6"), "sd/sdse.fil", -1, "is not closed"},
      {"unknown exercise key", exercise("hint:Divide 9", "hnit:Divide 9"), "sd/sdse.fil", -1, "\"hnit\" is not known"},
      {"page tag read by its first letter",
       [](const fs::path& c) {
         EditContainer(c / "ed" / "ed2.pag", [](std::string& t) { Replace(t, "<b>shape</b>", "<strong>shape</strong>"); });
       },
       "ed/ed2.pag", -1, "<strong> is read by its first letter"},
      {"unknown tool", [](const fs::path& c) {
         EditContainer(c / "nm" / "nm3.pag", [](std::string& t) { Replace(t, "<! tool=table>", "<! tool=tables>"); });
       },
       "nm/nm3.pag", 2, "\"tables\" is no tool name"},
      {"homework with the wrong extension",
       [](const fs::path& c) { fs::rename(c / "ed" / "homework" / "ed2.wrk", c / "ed" / "homework" / "ed2.txt"); },
       "ed/homework/ed2.txt", 0, "files of this folder end in .wrk"},
      {"document naming an unknown bundle",
       [](const fs::path& c) {
         EditContainer(c / "ed" / "homework" / "hled.wrk", [](std::string& t) { Replace(t, "ref=hl", "ref=hx"); });
       },
       "ed/homework/hled.wrk", 1, "\"hx\" names no bundle"},
      {"asterisk note no source claims",
       [](const fs::path& c) { fs::rename(c / "sd" / "asterisk" / "okclt.ast", c / "sd" / "asterisk" / "xxclt.ast"); },
       "sd/asterisk/xxclt.ast", 0, "no source of asterisk.txt claims"},
      {"bundle without an ordering",
       [](const fs::path& c) { EditText(c / "contents.txt", [](std::string& t) { Replace(t, "*OK:", "*KO:"); }); },
       "Bundle.txt", 0, "bundle \"ok\" has no ordering line"},
      {"activity line without its file",
       [](const fs::path& c) {
         EditText(c / "contents.txt", [](std::string& t) { Replace(t, "Standard errors\tsdse.fil", "Standard errors"); });
       },
       "contents.txt", 51, "has no file"},
      {"index special reference to a page file",
       [](const fs::path& c) { EditText(c / "index.txt", [](std::string& t) { t += "variance\t109_ed1.pag\n"; }); },
       "index.txt", 28, "names an .ast, .wrk, .prj or .lab file"},
      {"personality switch that reads as false",
       [](const fs::path& c) {
         auto p = ResourceContainer::FromBytes(kntest::ReadFileBytes(c.parent_path() / "personal.knp"));
         ContainerWriter w;
         for (const auto& e : p.directory().entries()) {
           auto data = p.ReadEntry(e);
           if (e.type == kEntryText) data.pop_back();
           if (e.name == "Homework") data = {'y', 'e', 's'};
           w.AddEntry(e.type, e.name, std::move(data));
         }
         kntest::WriteFileBytes(c.parent_path() / "personal.knp", w.Build());
       },
       "../personal.knp", 0, "\"Homework\" is \"yes\", which reads as false"},
      {"glossary term defined twice",
       [](const fs::path& c) {
         EditContainer(c / "glossary.gls", [](std::string& t) { Replace(t, "<dt>outlier<dd>", "<dt>Mean<dd>"); });
       },
       "glossary.gls", -1, "\"Mean\" is defined twice"},
      {"lesson code used twice",
       [](const fs::path& c) { EditText(c / "contents.txt", [](std::string& t) { Replace(t, "d=sd\n", "d=ED\n"); }); },
       "contents.txt", -1, "\"ED\" is used twice"},
      {"exercise answer too long for its slot",
       exercise("\xC7" "1.6\xC8", "\xC7" "1.6 cm, the sample standard deviation divided by the square root of 25\xC8"), "sd/sdse.fil", -1,
       "longer than 55 characters"},
      {"second documentation page damaged",
       [](const fs::path& c) { kntest::WriteFileText(c / "ed" / "eddoc02.doc", "no container"); }, "ed/eddoc02.doc", 0,
       "not a readable resource container"},
      {"exposition picture stored as a bitmap",
       [](const fs::path& c) {
         auto x = ResourceContainer::FromBytes(kntest::ReadFileBytes(c / "ed" / "ed1.pag"));
         const auto cases = x.ReadEntry(*x.FindEntry("cases", kEntryPicture));
         auto e = ResourceContainer::FromBytes(kntest::ReadFileBytes(c / "nm" / "nmrule.exp"));
         ContainerWriter w;
         w.SetTypeCode(e.typeCode());
         w.AddEntry(kEntryPicture, "bell", cases);
         const auto text = e.ReadTextSection();
         w.SetText(text);
         kntest::WriteFileBytes(c / "nm" / "nmrule.exp", w.Build());
       },
       "nm/nmrule.exp", 0, "exposition pictures are PNG images"},
      {"clip too short for the script",
       [](const fs::path& c) { fs::copy_file(c / "sd" / "sdclt.ogg", c / "inf" / "infp.ogg", fs::copy_options::overwrite_existing); },
       "inf/infp.exp", -1, "after the narration ends"},
  };
  RunDamages(damages);
}

// Scripts that compile but would not do what they say when the exposition plays.
TEST(CheckCommand, ReportsScriptsThatMisbehaveWhenTheyRun) {
  REQUIRE_BUILT_COURSE();
  auto script = [](const char* from, const char* to) {
    return [=](const fs::path& c) {
      EditContainer(c / "nm" / "nmz.exp", [=](std::string& t) { Replace(t, from, to); });
    };
  };
  const std::vector<Damage> damages = {
      {"several names without braces", script(":set title to", ":clear \"a\" \"b\"\n:set title to"), "nm/nmz.exp", 3,
       "several names one after another uses only the first"},
      {"group members read by as", script(":set title to", ":group \"a\" as \"g\"\n:set title to"), "nm/nmz.exp", 3,
       "reads as the operator `as`"},
      {"name of no object", script(":set title to", ":clear \"nobody\"\n:set title to"), "nm/nmz.exp", 2,
       "\"nobody\" names no object"},
      {"fifth block", script(":set title to", ":if 1\n:if 1\n:repeat\n:if 1\n:if 1\n:end\n:end\n:end\n:end\n:end\n:set title to"),
       "nm/nmz.exp", 7, "a block inside 4 open blocks"},
      {"fifth block abandons its chunk",
       script(":set title to", ":if 1\n:if 1\n:repeat\n:if 1\n:if 1\n:end\n:end\n:end\n:end\n:end\n:set title to"),
       "nm/nmz.exp", 2, "abandoned with \"Error executing script\""},
      {"label that no chunk carries", script("\n+16\n", "\n+16 label later\n~\n"), "nm/nmz.exp", -1,
       "the label \"later\" goes to no chunk"},
      {"scene that does not clear", script("+54 clear\n:study", "+54 clear\n:display \"x\"\n:study"), "nm/nmz.exp", -1,
       "begins a scene (its timing line says clear) but does not begin with clear"},
      {"statement the exposition does not know", script(":set title to", ":reveal\n:set title to"), "nm/nmz.exp", 2,
       "\"reveal\" is no statement of an exposition"},
  };
  RunDamages(damages);
}

void RunDamages(const std::vector<Damage>& damages) {
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    const auto course = CopyCourse();
    d.apply(course);
    const auto r = RunKncourse({"check", course.string()});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(Reported(r.out, d.file, d.line, d.fragment)) << "expected " << d.file << ":" << d.line << " \""
                                                               << d.fragment << "\" in:\n" << r.out;
    fs::remove_all(course.parent_path());
  }
}

TEST(CheckCommand, ExerciseFilesWithCrLfLineEndsAndStrayQuotesInPages) {
  REQUIRE_BUILT_COURSE();
  const auto course = CopyCourse();
  EditContainer(course / "sd" / "sdse.fil", [](std::string& t) {
    std::string crlf;
    for (char ch : t) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    t = crlf;
  });
  EditContainer(course / "inf" / "inf1.pag", [](std::string& t) { Replace(t, "What \"95% confident\" means", "What \"95% confident means"); });
  const auto r = RunKncourse({"check", course.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Reported(r.out, "sd/sdse.fil", 0, "CR LF line ends")) << r.out;
  EXPECT_TRUE(Reported(r.out, "inf/inf1.pag", -1, "double quote is not closed")) << r.out;
  fs::remove_all(course.parent_path());
}

TEST(CheckCommand, UsageAndMissingFolders) {
  EXPECT_EQ(RunKncourse({"check"}).status, 2);
  EXPECT_EQ(RunKncourse({"check", "/nonexistent/course"}).status, 2);
  const auto help = RunKncourse({"check", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("FILE:LINE"), std::string::npos);
  // An empty folder: no contents, no lists, no glossary, no index, no personality.
  const auto empty = kntest::MakeTempDir("program") / "course";
  fs::create_directories(empty);
  const auto r = RunKncourse({"check", empty.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Reported(r.out, "contents.txt", 0, "Cannot load contents file")) << r.out;
  EXPECT_TRUE(Reported(r.out, "glossary.gls", 0, "Cannot load glossary file")) << r.out;
  EXPECT_TRUE(Reported(r.out, "../personal.knp", 0, "no personal.knp")) << r.out;
}

}  // namespace
