#include <gtest/gtest.h>

#include <unistd.h>

#include "TestSupport.h"
#include "course/Notice.h"
#include "setup/SetupLauncher.h"
#include "setup/SetupShell.h"

namespace fs = std::filesystem;

namespace {

class RecordingShell : public CSetupShell {
 public:
  bool OpenDocument(const fs::path& path) override {
    calls.push_back("open " + path.string());
    return succeed;
  }
  bool StartProgram(const fs::path& program, const std::vector<std::string>& arguments) override {
    std::string call = "start " + program.string();
    for (const auto& a : arguments) call += " [" + a + "]";
    calls.push_back(call);
    return succeed;
  }
  std::vector<std::string> calls;
  bool succeed = true;
};

void WriteFile(const fs::path& path, const std::string& content, bool executable) {
  fs::create_directories(path.parent_path());
  kntest::WriteFileText(path, content);
  if (executable) fs::permissions(path, fs::perms::owner_all);
}

// A disc folder P holding a program, documents and a viewer, and an installed-programs
// area with one program and no RTF handler unless a test adds one.
struct Disc {
  fs::path root = kntest::MakeTempDir("disc");
  fs::path p = root / "cd";
  fs::path installed = root / "usr";
  RecordingShell shell;
  ProgramSearch search{{installed / "bin"}, {installed / "apps"}};

  Disc() {
    WriteFile(p / "kestrel" / "start.sh", "#!/bin/sh\n", true);
    WriteFile(p / "docs" / "Guide.pdf", "%PDF", false);
    WriteFile(p / "ReadMe.rtf", "{\\rtf1}", false);
    WriteFile(p / "ReadMe.txt", "read me", true);  // execute bit as a disc mount gives it
    WriteFile(p / "view.sh", "#!/bin/sh\n", true);
    WriteFile(p / "data.dat", "1 2 3", false);
    WriteFile(installed / "bin" / "kestrelon", "#!/bin/sh\n", true);
  }
  CSetupLauncher Launcher() { return CSetupLauncher(p, shell, search); }
  std::string P() const { return p.string() + "/"; }
};

SetupButton Button(SetupFunction f, std::string target = {}, std::string application = {}) {
  SetupButton b;
  b.function = f;
  b.target = std::move(target);
  b.application = std::move(application);
  return b;
}

std::string Failed(const std::string& tried) { return "Launch failed.  Try launching '" + tried + "' directly."; }

TEST(SetupLauncher, CdLaunchOpensTheTargetInTheProgramFolder) {
  struct Case {
    const char* what;
    SetupButton button;
    std::string call;     // "" when the shell is never reached
    std::string message;  // "" when there is none
  };
  Disc d;
  const Case cases[] = {
      {"a program is started, case and backslashes as on the disc",
       Button(SetupFunction::CdLaunch, "KESTREL\\Start.SH"), "start " + d.P() + "kestrel/start.sh", ""},
      {"a document is opened", Button(SetupFunction::CdLaunch, "Docs\\guide.PDF"), "open " + d.P() + "docs/Guide.pdf", ""},
      {"a read-me with its execute bit is still a document", Button(SetupFunction::CdLaunch, "readme.txt"),
       "open " + d.P() + "ReadMe.txt", ""},
      {"missing target", Button(SetupFunction::CdLaunch, "Setup\\Missing.exe"), "", Failed(d.P() + "Setup\\Missing.exe")},
      {"the folder is never left", Button(SetupFunction::CdLaunch, "..\\usr\\bin\\kestrelon"), "",
       Failed(d.P() + "..\\usr\\bin\\kestrelon")},
      {"with an application from the folder: the target is its argument",
       Button(SetupFunction::CdLaunch, "DATA.DAT", "VIEW.SH"), "start " + d.P() + "view.sh [" + d.P() + "data.dat]", ""},
      {"with an installed application", Button(SetupFunction::CdLaunch, "data.dat", "Kestrelon.exe"),
       "start " + d.installed.string() + "/bin/kestrelon [" + d.P() + "data.dat]", ""},
      {"an application that is a document is not started", Button(SetupFunction::CdLaunch, "data.dat", "ReadMe.txt"), "",
       Failed(d.P() + "ReadMe.txt " + d.P() + "data.dat")},
      {"with an application but no such target", Button(SetupFunction::CdLaunch, "nodata.dat", "view.sh"), "",
       Failed(d.P() + "view.sh " + d.P() + "nodata.dat")},
  };
  for (const auto& c : cases) {
    d.shell.calls.clear();
    NoticeRecorder notices;
    const ButtonOutcome outcome = d.Launcher().Click(c.button);
    EXPECT_EQ(outcome, c.message.empty() ? ButtonOutcome::CloseWindow : ButtonOutcome::StayOpen) << c.what;
    EXPECT_EQ(d.shell.calls, c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call}) << c.what;
    if (c.message.empty()) {
      EXPECT_TRUE(notices.notices().empty()) << c.what;
    } else {
      ASSERT_EQ(notices.notices().size(), 1u) << c.what;
      EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
      EXPECT_EQ(notices.notices()[0].text, c.message) << c.what;
    }
  }
}

TEST(SetupLauncher, AShellThatRefusesLeavesTheWindowOpenWithTheMessage) {
  Disc d;
  d.shell.succeed = false;
  NoticeRecorder notices;
  EXPECT_EQ(d.Launcher().Click(Button(SetupFunction::CdLaunch, "kestrel\\start.sh")), ButtonOutcome::StayOpen);
  EXPECT_EQ(d.shell.calls.size(), 1u);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].text, Failed(d.P() + "kestrel\\start.sh"));

  notices.clear();
  EXPECT_EQ(d.Launcher().Click(Button(SetupFunction::Readme, "docs\\guide.pdf")), ButtonOutcome::StayOpen);
  EXPECT_TRUE(notices.sawText("Launch failed."));
}

TEST(SetupLauncher, HdLaunchStartsTheInstalledProgram) {
  Disc d;
  const CSetupLauncher launcher = d.Launcher();
  SetupButton installed = Button(SetupFunction::HdLaunch, "Kestrelon", "KESTRELON.EXE");
  ASSERT_TRUE(launcher.PrepareButton(installed));
  EXPECT_EQ(installed.target, d.installed.string() + "/bin/kestrelon");
  EXPECT_EQ(launcher.Click(installed), ButtonOutcome::CloseWindow);
  EXPECT_EQ(d.shell.calls, std::vector<std::string>{"start " + installed.target});

  SetupButton absent = Button(SetupFunction::HdLaunch, "Kestrelon", "tallyframe");
  EXPECT_FALSE(launcher.PrepareButton(absent));
  EXPECT_EQ(absent.target, "Kestrelon");

  // Without an application (or a target) the button is not tested and keeps its target,
  // which is then opened as written, relative names inside the program folder.
  SetupButton plain = Button(SetupFunction::HdLaunch, "kestrel\\start.sh");
  EXPECT_TRUE(launcher.PrepareButton(plain));
  EXPECT_EQ(plain.target, "kestrel\\start.sh");
  SetupButton noTarget = Button(SetupFunction::HdLaunch, "", "kestrelon");
  EXPECT_TRUE(launcher.PrepareButton(noTarget));
  EXPECT_TRUE(noTarget.target.empty());
  d.shell.calls.clear();
  EXPECT_EQ(launcher.Click(plain), ButtonOutcome::CloseWindow);
  EXPECT_EQ(d.shell.calls, std::vector<std::string>{"start " + d.P() + "kestrel/start.sh"});

  NoticeRecorder notices;
  EXPECT_EQ(launcher.Click(noTarget), ButtonOutcome::StayOpen);
  EXPECT_EQ(launcher.Click(Button(SetupFunction::HdLaunch, "/no/such/program")), ButtonOutcome::StayOpen);
  EXPECT_EQ(notices.notices().size(), 2u);
  EXPECT_TRUE(notices.sawText("'/no/such/program'"));
}

TEST(SetupLauncher, ReadmeFallsBackToTextWhenNothingOpensRtf) {
  Disc d;
  d.shell.calls.clear();
  EXPECT_EQ(d.Launcher().Click(Button(SetupFunction::Readme, "ReadMe.rtf")), ButtonOutcome::StayOpen);
  EXPECT_EQ(d.shell.calls, std::vector<std::string>{"open " + d.P() + "ReadMe.txt"});

  fs::create_directories(d.installed / "apps");
  kntest::WriteFileText(d.installed / "apps" / "writer.desktop", "[Desktop Entry]\nExec=writer\nMimeType=text/rtf;\n");
  d.shell.calls.clear();
  EXPECT_EQ(d.Launcher().Click(Button(SetupFunction::Readme, "ReadMe.rtf")), ButtonOutcome::StayOpen);
  EXPECT_EQ(d.shell.calls, std::vector<std::string>{"open " + d.P() + "ReadMe.rtf"});

  // A read-me is never started, even when it could be.
  d.shell.calls.clear();
  EXPECT_EQ(d.Launcher().Click(Button(SetupFunction::Readme, "view.sh")), ButtonOutcome::StayOpen);
  EXPECT_EQ(d.shell.calls, std::vector<std::string>{"open " + d.P() + "view.sh"});
}

TEST(SetupLauncher, TheOtherFunctionsTellTheWindowWhatToDo) {
  Disc d;
  const CSetupLauncher launcher = d.Launcher();
  NoticeRecorder notices;
  EXPECT_EQ(launcher.Click(Button(SetupFunction::CheckBox, "x")), ButtonOutcome::ToggleCheckBox);
  EXPECT_EQ(launcher.Click(Button(SetupFunction::Quit, "x")), ButtonOutcome::CloseWindow);
  EXPECT_EQ(launcher.Click(Button(SetupFunction::About, "x")), ButtonOutcome::ShowAbout);
  EXPECT_EQ(launcher.Click(Button(SetupFunction::None, "kestrel\\start.sh")), ButtonOutcome::Nothing);
  EXPECT_TRUE(d.shell.calls.empty());
  EXPECT_TRUE(notices.notices().empty());
}

}  // namespace

namespace {

// The real shell: programs get their arguments as a list, never through a command
// interpreter, and run in their own folder.
TEST(DesktopShell, StartsProgramsWithAnArgumentListInTheirFolder) {
  const fs::path dir = kntest::MakeTempDir("shell");
  const fs::path out = dir / "out.txt";
  WriteFile(dir / "record.sh", "#!/bin/sh\nprintf '%s|%s|%s' \"$#\" \"$1\" \"$(pwd)\" > out.tmp && mv out.tmp out.txt\n", true);
  CDesktopShell shell;
  const std::string argument = "a b; touch injected $(echo x)";
  ASSERT_TRUE(shell.StartProgram(dir / "record.sh", {argument}));
  // The program runs detached; give it up to ten seconds to write its answer.
  for (int i = 0; i < 1000 && !fs::exists(out); ++i) usleep(10000);
  ASSERT_TRUE(fs::exists(out));
  const auto bytes = kntest::ReadFileBytes(out);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "1|" + argument + "|" + dir.string());
  EXPECT_FALSE(fs::exists(dir / "injected"));

  EXPECT_FALSE(shell.StartProgram(dir / "missing.sh", {}));
  // A missing document is refused before any handler is started.
  EXPECT_FALSE(shell.OpenDocument(dir / "missing.txt"));
}

}  // namespace
