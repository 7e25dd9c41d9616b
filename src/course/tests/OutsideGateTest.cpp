#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

#include "TestSupport.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/OutsideGate.h"
#include "course/Preferences.h"

namespace fs = std::filesystem;

namespace {

// Records what would have gone to the desktop or been started.
struct Recorder {
  std::vector<std::string> opened, started;
  DocumentOpener previousOpener;
  ProgramStarter previousStarter;
  Recorder() {
    previousOpener = SetDocumentOpener([this](const QString& p) {
      opened.push_back(p.toStdString());
      return true;
    });
    previousStarter = SetProgramStarter([this](const std::string& p, const std::vector<std::string>&, int*) {
      started.push_back(p);
      return true;
    });
  }
  ~Recorder() {
    SetDocumentOpener(std::move(previousOpener));
    SetProgramStarter(std::move(previousStarter));
  }
};

struct Course {
  fs::path program = kntest::MakeTempDir("program");
  fs::path outside = kntest::MakeTempDir("outside");
  fs::path course = program / "course";
  Preferences prefs;
  Course() {
    fs::create_directories(course);
    prefs.SetFolder(Preferences::kProgramFolder, program.string() + "/");
  }
  fs::path Write(const fs::path& at, const std::string& bytes, bool executable = false) {
    kntest::WriteFileText(at, bytes);
    if (executable) fs::permissions(at, fs::perms::owner_exec, fs::perm_options::add);
    return at;
  }
};

}  // namespace

TEST(OutsideGate, OnlyPlainDocumentsInsideTheCourseFoldersReachTheDesktop) {
  Course c;
  Recorder rec;
  const std::string longComments = [] {
    std::string s;
    for (int i = 0; i < 100; ++i) s += "# a comment line that pushes the header far past the first bytes\n";
    return s;
  }();
  fs::create_symlink(c.outside / "elsewhere.htm", c.course / "link.htm");
  c.Write(c.outside / "elsewhere.htm", "<html></html>");
  struct Case {
    const char* name;
    std::string bytes;
    bool executable;
    HandOff expected;
  } cases[] = {
      {"page.htm", "<html><body>Hello</body></html>", false, HandOff::Done},
      {"data.xls", std::string("\xd0\xcf\x11\xe0", 4) + "sheet", false, HandOff::Done},
      {"run.htm", "<html></html>", true, HandOff::Refused},
      {"script.htm", "#!/bin/sh\nrm -rf ~\n", false, HandOff::Refused},
      {"prog.xls", std::string("\x7f" "ELF\x02\x01\x01", 7), false, HandOff::Refused},
      {"win.sav", "MZ\x90", false, HandOff::Refused},
      {"entry.htm", "# comment\n\n[Desktop Entry]\nExec=sh -c evil\n", false, HandOff::Refused},
      // Past the first 256 bytes: the whole content counts.
      {"late-entry.htm", longComments + "[Desktop Entry]\nExec=sh -c evil\n", false, HandOff::Refused},
      {"viewer.desktop", "<html></html>", false, HandOff::Refused},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const fs::path path = c.Write(c.course / k.name, k.bytes, k.executable);
    std::string why;
    EXPECT_EQ(OpenOutsideDocument(path, AcceptedCourseFolders(&c.prefs), &why), k.expected) << why;
    if (k.expected == HandOff::Refused) {
      EXPECT_FALSE(why.empty());
    }
  }
  EXPECT_EQ(rec.opened.size(), 2u);
  // Outside the course folders, directly or through a link, nothing goes.
  const fs::path out = c.Write(c.outside / "page.htm", "<html></html>");
  EXPECT_EQ(OpenOutsideDocument(out, AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  EXPECT_EQ(OpenOutsideDocument(c.course / "link.htm", AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  EXPECT_EQ(OpenOutsideDocument(c.course / "absent.htm", AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  EXPECT_EQ(OpenOutsideDocument(c.course, AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  // Folders go only when they are course folders.
  EXPECT_EQ(OpenOutsideFolder(c.course, AcceptedCourseFolders(&c.prefs)), HandOff::Done);
  EXPECT_EQ(OpenOutsideFolder(c.outside, AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  EXPECT_EQ(OpenOutsideFolder(c.course / "page.htm", AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  // Programs: inside, a file.
  const fs::path app = c.Write(c.course / "Tallyframe", "#!/bin/sh\n", true);
  const fs::path foreign = c.Write(c.outside / "Tallyframe", "#!/bin/sh\n", true);
  EXPECT_EQ(StartOutsideProgram(app, {}, AcceptedCourseFolders(&c.prefs)), HandOff::Done);
  EXPECT_EQ(StartOutsideProgram(foreign, {}, AcceptedCourseFolders(&c.prefs)), HandOff::Refused);
  EXPECT_EQ(rec.opened.size(), 3u);
  EXPECT_EQ(rec.started, std::vector<std::string>{fs::canonical(app).string()});
}

TEST(OutsideGate, TheTeacherFolderCountsOnlyWhileItIsTheOneInUse) {
  Course c;
  const fs::path teacher = kntest::MakeTempDir("teacher");
  const fs::path doc = c.Write(teacher / "notes.htm", "<html></html>");
  EXPECT_FALSE(IsInsideFolders(doc, AcceptedCourseFolders(&c.prefs)));
  c.prefs.SetFileTeacherFolder(teacher.string() + "/");
  EXPECT_TRUE(IsInsideFolders(doc, AcceptedCourseFolders(&c.prefs)));
  EXPECT_FALSE(IsInsideFolders(doc, AcceptedCourseFolders(&c.prefs, kSearchCourse)));
}

// FIFOs, devices and sockets are refused at once, never waited on.
TEST(OutsideGate, CourseFilesOpenOnlyWhenTheyAreRegularFiles) {
  Course c;
  const fs::path fifo = c.course / "pipe.fil";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path sock = c.course / "sock.fil";
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(sock.string().size(), sizeof addr.sun_path);
  std::strcpy(addr.sun_path, sock.c_str());
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  fs::create_symlink("/dev/zero", c.course / "zero.fil");
  for (const char* name : {"pipe.fil", "sock.fil", "zero.fil"}) {
    SCOPED_TRACE(name);
    try {
      CourseFile::Open(c.course / name);
      ADD_FAILURE() << "opened";
    } catch (const CourseFileError& e) {
      EXPECT_EQ(e.kind(), CourseFileError::Kind::Access);
    }
    CourseFile f;
    EXPECT_FALSE(OpenCourseFileWith(&c.prefs, f, name, kSearchProgramFolder));
    EXPECT_FALSE(IsPlainDocument(c.course / name));
  }
  ::close(s);
  // A writer on the other end changes nothing: still not a regular file.
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  EXPECT_THROW(CourseFile::Open(fifo, CourseFile::Mode::ReadWrite), CourseFileError);
  ::close(writer);
}

// Every desktop open and process start of the program goes through the gate: the
// calls themselves stand in OutsideGate.cpp alone.
TEST(OutsideGate, NoCallInTheTreeBypassesTheGate) {
  const fs::path top = kntest::SourceDir();
  const std::regex call(
      R"(openUrl\s*\(|startDetached\s*\(|QProcess\s*::\s*execute|QProcess\s+\w+|\.start\s*\(\s*QString|\bsystem\s*\(|\bpopen\s*\(|\bexec[lv]p?e?\s*\(|posix_spawnp?\s*\(|\bfork\s*\()");
  std::vector<std::string> bypassing;
  int gateCalls = 0;
  for (const char* folder : {"src", "authoring"}) {
    for (const auto& entry : fs::recursive_directory_iterator(top / folder)) {
      const fs::path& p = entry.path();
      if (!entry.is_regular_file() || (p.extension() != ".cpp" && p.extension() != ".h")) continue;
      if (p.string().find("/tests/") != std::string::npos) continue;
      std::ifstream in(p);
      std::string line;
      int number = 0;
      while (std::getline(in, line)) {
        ++number;
        const auto comment = line.find("//");
        const std::string code = comment == std::string::npos ? line : line.substr(0, comment);
        if (!std::regex_search(code, call)) continue;
        if (p.filename() == "OutsideGate.cpp") {
          ++gateCalls;
          continue;
        }
        bypassing.push_back(fs::relative(p, top).string() + ":" + std::to_string(number) + ": " + line);
      }
    }
  }
  std::ostringstream list;
  for (const auto& b : bypassing) list << b << "\n";
  EXPECT_TRUE(bypassing.empty()) << list.str();
  EXPECT_GE(gateCalls, 3) << "the gate's own calls were not found: the pattern is wrong";
}
