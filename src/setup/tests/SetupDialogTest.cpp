#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include "TestSupport.h"
#include "course/Notice.h"
#include "course/ResourceContainer.h"
#include "setup/MovieLibraryCheck.h"
#include "setup/PackedDib.h"
#include "setup/SetupAboutBox.h"
#include "setup/SetupArt.h"
#include "setup/SetupConfig.h"
#include "setup/SetupDialog.h"
#include "setup/SetupProfile.h"
#include "setup/SetupProgram.h"
#include "setup/SetupShell.h"

namespace fs = std::filesystem;

namespace {

class RecordingShell : public CSetupShell {
 public:
  bool OpenDocument(const fs::path& path) override {
    calls.push_back("open " + path.string());
    return succeed;
  }
  bool StartProgram(const fs::path& program, const std::vector<std::string>&) override {
    calls.push_back("start " + program.string());
    return succeed;
  }
  std::vector<std::string> calls;
  bool succeed = true;
};

// Counts About requests instead of showing the modal box.
class TestDialog : public CSetupDialog {
 public:
  using CSetupDialog::CSetupDialog;
  int aboutShown = 0;

 protected:
  void ShowAbout() override { ++aboutShown; }
};

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

QImage Filled(QSize size, std::initializer_list<QRgb> quadrants) {
  QImage image(size, QImage::Format_RGB32);
  const QRgb* q = quadrants.begin();
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, q[(y >= size.height() / 2) * 2 + (x >= size.width() / 2)]);
  return image;
}

// A program folder with a setup.cfg made of settings text and an optional splash.
struct Folder {
  fs::path dir = kntest::MakeTempDir("setup");
  RecordingShell shell;
  SetupProfile profile;
  ProgramSearch nothingInstalled;

  Folder() { profile.setShowDialog(1); }
  void Write(std::string_view text, const std::vector<std::uint8_t>& splash = {}) {
    ContainerWriter w;
    if (!splash.empty()) w.AddEntry(kEntryPicture, "Splash", splash);
    w.SetText(Bytes(text));
    kntest::WriteFileBytes(dir / kSetupConfigName, w.Build());
  }
  std::unique_ptr<TestDialog> Dialog(CMovieLibraryProbe* probe = nullptr) {
    return std::make_unique<TestDialog>(dir, shell, profile, probe, nothingInstalled);
  }
};

const char* kFourButtons =
    "title:Statistics Disc\n"
    "button:Start|Course\nfunction:cd_launch\nwindows:player.sh\nlocation:20,30\nsize:150,40\n"
    "button:Installed\nfunction:hd_launch\napplication:no-such-player\nlocation:20,80\n"
    "button:Show at start\nfunction:checkbox\ncolorbox:#336699\nlocation:20,130\nsize:150,30\n"
    "button:About\nfunction:about\nlocation:200,30\nsize:80,25\n";

TEST(SetupDialog, WithoutAConfigurationItKeepsItsDefaults) {
  Folder f;
  NoticeRecorder notices;
  auto d = f.Dialog();
  EXPECT_FALSE(d->configurationLoaded());
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
  EXPECT_EQ(notices.notices()[0].text, "Cannot load Setup configuration file");
  EXPECT_EQ(d->windowTitle(), "Setup ");
  EXPECT_EQ(d->size(), QSize(500, 375));
  EXPECT_EQ(d->buttonCount(), 0);
  EXPECT_EQ(d->picture().size(), QSize(500, 375));
  EXPECT_EQ(d->picture(), SetupDefaultPicture());

  // A damaged file is reported the same way.
  kntest::WriteFileBytes(f.dir / kSetupConfigName, {1, 0, 0});
  notices.clear();
  auto damaged = f.Dialog();
  EXPECT_TRUE(notices.sawText("Cannot load Setup configuration file"));
  EXPECT_EQ(damaged->buttonCount(), 0);
}

TEST(SetupDialog, BuildsTheButtonsOfTheConfiguration) {
  Folder f;
  f.Write(kFourButtons);
  NoticeRecorder notices;
  auto d = f.Dialog();
  EXPECT_TRUE(notices.notices().empty());
  EXPECT_EQ(d->windowTitle(), "Setup Statistics Disc");
  ASSERT_EQ(d->buttonCount(), 4);
  EXPECT_EQ(d->buttonFont().pixelSize(), 16);
  struct Expect {
    QString label;
    QRect geometry;
    bool checkBox;
    bool enabled;
  };
  const Expect expect[] = {
      {"Start\nCourse", QRect(20, 30, 150, 40), false, true},
      // Only "location": the edges of the first button stay, leaving nothing to show.
      {"Installed", QRect(20, 80, 150, 0), false, false},
      {"Show at start", QRect(20, 130, 150, 30), true, true},
      {"About", QRect(200, 30, 80, 25), false, true},
  };
  for (int i = 0; i < 4; ++i) {
    QAbstractButton* b = d->button(i);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->text(), expect[i].label) << i;
    EXPECT_EQ(b->geometry(), expect[i].geometry) << i;
    EXPECT_EQ(qobject_cast<QCheckBox*>(b) != nullptr, expect[i].checkBox) << i;
    EXPECT_EQ(b->isEnabled(), expect[i].enabled) << i;
    EXPECT_EQ(b->font().pixelSize(), 16) << i;
    EXPECT_EQ(b->objectName(), QString("button%1").arg(1500 + i));
  }
  EXPECT_EQ(d->button(4), nullptr);
  EXPECT_EQ(d->button(-1), nullptr);
}

TEST(SetupDialog, TheWindowSizeRule) {
  struct Case {
    const char* window;
    QSize size;
  };
  const Case cases[] = {{"200,300", {500, 375}}, {"201,151", {201, 151}}, {"640,480", {640, 480}}, {"x", {500, 375}}};
  for (const auto& c : cases) {
    Folder f;
    f.Write(std::string("window:") + c.window + "\n");
    auto d = f.Dialog();
    EXPECT_EQ(d->size(), c.size) << c.window;
    d->show();
    EXPECT_EQ(d->size(), c.size) << c.window;
  }
}

TEST(SetupDialog, TwoLineLabelsAreDrawnOnTwoLines) {
  Folder f;
  f.Write("button:Upper|Lower\nfunction:quit\nlocation:0,0\nsize:200,80\n");
  auto d = f.Dialog();
  QAbstractButton* b = d->button(0);
  ASSERT_TRUE(b);
  // Dark pixel rows of the label, grouped into runs: one run per line of text.
  QImage image = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb background = image.pixel(image.width() / 2, 10);
  int runs = 0;
  bool inRun = false;
  for (int y = 10; y < image.height() - 10; ++y) {
    bool ink = false;
    for (int x = 20; x < image.width() - 20 && !ink; ++x) ink = qGray(image.pixel(x, y)) + 60 < qGray(background);
    if (ink && !inRun) ++runs;
    inRun = ink;
  }
  EXPECT_EQ(runs, 2);
}

TEST(SetupDialog, TheCheckBoxTogglesShowDialog) {
  Folder f;
  f.Write(kFourButtons);
  auto d = f.Dialog();
  auto* box = qobject_cast<QCheckBox*>(d->button(2));
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->autoFillBackground());
  EXPECT_EQ(box->palette().color(QPalette::Window), QColor(0x33, 0x66, 0x99));
  box->click();
  EXPECT_EQ(f.profile.showDialog(), 0);
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(SetupProfile().showDialog(), 0);  // written through to the file
  box->click();
  EXPECT_EQ(f.profile.showDialog(), 1);
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(d->isHidden() || d->result() == 0);  // the window stays

  // A window made while the value is 0 starts without the mark.
  f.profile.setShowDialog(0);
  auto again = f.Dialog();
  EXPECT_FALSE(qobject_cast<QCheckBox*>(again->button(2))->isChecked());
}

TEST(SetupDialog, ClicksLaunchAndClose) {
  Folder f;
  f.Write(kFourButtons);
  kntest::WriteFileText(f.dir / "player.sh", "#!/bin/sh\n");
  fs::permissions(f.dir / "player.sh", fs::perms::owner_all);
  auto d = f.Dialog();
  d->show();
  d->button(3)->click();
  EXPECT_EQ(d->aboutShown, 1);
  EXPECT_TRUE(d->isVisible());

  f.shell.succeed = false;
  {
    NoticeRecorder notices;
    QTest::mouseClick(d->button(0), Qt::LeftButton);
    EXPECT_TRUE(notices.sawText("Launch failed.  Try launching '" + f.dir.string() + "/player.sh' directly."));
    EXPECT_TRUE(d->isVisible());
  }
  f.shell.succeed = true;
  QTest::mouseClick(d->button(0), Qt::LeftButton);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(f.shell.calls, (std::vector<std::string>{"start " + (f.dir / "player.sh").string(),
                                                      "start " + (f.dir / "player.sh").string()}));
}

TEST(SetupDialog, PaintsTheSplashUnscaledOrStretched) {
  const QRgb red = qRgb(200, 0, 0), green = qRgb(0, 180, 0), blue = qRgb(0, 0, 190), grey = qRgb(90, 90, 90);
  struct Case {
    const char* what;
    QSize picture;
    const char* window;
  };
  const Case cases[] = {
      {"same size", {500, 375}, ""},
      {"stretched up", {2, 2}, ""},
      {"stretched to a set size", {640, 480}, "window:320,240\n"},
  };
  for (const auto& c : cases) {
    Folder f;
    const QImage picture = Filled(c.picture, {red, green, blue, grey});
    f.Write(c.window, EncodePackedDib(picture));
    auto d = f.Dialog();
    ASSERT_EQ(d->picture().size(), c.picture) << c.what;
    const QImage shown = d->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = shown.width(), h = shown.height();
    // No smoothing: every pixel has one of the four colours, by quadrant.
    EXPECT_EQ(shown.pixel(1, 1), red) << c.what;
    EXPECT_EQ(shown.pixel(w / 2 - 2, h / 2 - 2), red) << c.what;
    EXPECT_EQ(shown.pixel(w / 2 + 2, 1), green) << c.what;
    EXPECT_EQ(shown.pixel(1, h - 2), blue) << c.what;
    EXPECT_EQ(shown.pixel(w - 2, h - 2), grey) << c.what;
  }
  // A picture entry that is not a bitmap gives way to the default picture.
  Folder f;
  f.Write("", Bytes("not a bitmap"));
  EXPECT_EQ(f.Dialog()->picture(), SetupDefaultPicture());
}

class CountingProbe : public CMovieLibraryProbe {
 public:
  int checks = 0;
  bool Initialise() override {
    ++checks;
    return false;
  }
  std::uint32_t Version() override { return 0; }
  std::uint32_t MinimumVersion() const override { return 1; }
  bool StartToolbox() override { return false; }
  void StopToolbox() override {}
  void Shutdown() override {}
};

TEST(SetupDialog, QuickTimeLinesRunTheMovieLibraryCheck) {
  Folder f;
  f.Write("quicktime:0\nquicktime:true\n");
  CountingProbe probe;
  NoticeRecorder notices;
  auto d = f.Dialog(&probe);
  EXPECT_EQ(probe.checks, 1);
  EXPECT_TRUE(notices.sawText("QuickTime 3 or better is required."));
  EXPECT_TRUE(d->configurationLoaded());
}

TEST(SetupDialog, TheAboutBox) {
  CSetupAboutBox about(nullptr);
  EXPECT_EQ(about.windowTitle(), "About Setup");
  auto* version = about.findChild<QLabel*>("version");
  ASSERT_TRUE(version);
  EXPECT_EQ(version->text(), "Version 2.0");
  auto* icon = about.findChild<QLabel*>("icon");
  ASSERT_TRUE(icon);
  EXPECT_FALSE(icon->pixmap().isNull());
  const auto buttons = about.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->text(), "OK");
  about.show();
  buttons[0]->click();
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(SetupStart, AutostartAfterClearingTheCheckBoxOnlyOpensTheFolder) {
  Folder f;
  f.Write(kFourButtons);
  int played = 0, stopped = 0, shown = 0;
  SetupRun run;
  run.programFolder = f.dir;
  run.shell = &f.shell;
  run.profile = &f.profile;
  run.playWelcome = [&] { ++played; };
  run.stopWelcome = [&] { ++stopped; };
  // The learner clears the check box and closes the window.
  run.runDialog = [&](CSetupDialog& d) {
    ++shown;
    d.button(2)->click();
  };
  EXPECT_EQ(RunSetup({"setup", "autostart"}, run), 0);
  EXPECT_EQ(std::make_tuple(played, shown, stopped), std::make_tuple(1, 1, 1));
  EXPECT_EQ(f.profile.showDialog(), 0);
  EXPECT_TRUE(f.shell.calls.empty());

  // The next automatic start: no sound, no window, only the folder.
  run.runDialog = [&](CSetupDialog&) { ++shown; };
  EXPECT_EQ(RunSetup({"setup", "autostart"}, run), 0);
  EXPECT_EQ(std::make_tuple(played, shown, stopped), std::make_tuple(1, 1, 1));
  EXPECT_EQ(f.shell.calls, std::vector<std::string>{"open " + f.dir.string()});

  // Started by the learner, or with other words, the window still shows.
  for (const QStringList& args : {QStringList{"setup"}, QStringList{"setup", "Autostart"},
                                  QStringList{"autostart"}, QStringList{"setup", "autostart2"}}) {
    EXPECT_EQ(RunSetup(args, run), 0);
  }
  EXPECT_EQ(std::make_tuple(played, shown, stopped), std::make_tuple(5, 5, 5));

  // A folder that cannot be opened gives a failing exit status.
  f.shell.succeed = false;
  EXPECT_EQ(RunSetup({"setup", "autostart"}, run), 1);
}

TEST(SetupSample, TheBuiltSampleConfigurationLoads) {
  const char* env = std::getenv("KN_BINARY_DIR");
  const fs::path bin = fs::path(env && *env ? env : KN_SETUP_BINARY_DIR) / "bin";
  const auto config = LoadSetupConfig(bin / kSetupConfigName);
  ASSERT_TRUE(config) << (bin / kSetupConfigName);
  const SetupSettings& s = config->settings;
  EXPECT_EQ(s.title, "Kestrelon Sample Course");
  ASSERT_EQ(s.buttons.size(), 6u);
  const SetupFunction functions[] = {SetupFunction::CdLaunch, SetupFunction::HdLaunch, SetupFunction::Readme,
                                     SetupFunction::About,    SetupFunction::Quit,     SetupFunction::CheckBox};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(s.buttons[i].function, functions[i]) << i;
    const SetupRect& r = s.buttons[i].rect;
    EXPECT_GT(r.right - r.left, 50) << i;
    EXPECT_GT(r.bottom - r.top, 20) << i;
    EXPECT_LE(r.right, s.clientWidth) << i;
    EXPECT_LE(r.bottom, s.clientHeight) << i;
  }
  EXPECT_EQ(DecodePackedDib(config->splash).size(), QSize(s.clientWidth, s.clientHeight));
  EXPECT_TRUE(fs::exists(bin / "README.md"));
  EXPECT_TRUE(fs::exists(bin / "kestrelon"));
}

}  // namespace
