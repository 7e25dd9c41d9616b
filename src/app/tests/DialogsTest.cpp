#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextEdit>

#include "TestSupport.h"
#include "app/SplashDlg.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "movies/MovieSupport.h"
#include "shell/AboutDlg.h"
#include "course/CommandIds.h"
#include "shell/NoticeDlg.h"
#include "shell/tests/ShellUiTestSupport.h"

using namespace shelltest;

namespace {

// Runs check on the next modal dialog to appear, then closes it.
void OnNextModal(std::function<void(QWidget*)> check) {
  QTimer::singleShot(0, [check] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      OnNextModal(check);
      return;
    }
    check(modal);
    modal->close();
  });
}

TEST(NoticeDialogs, ProgramNoticeShowsTheFormattedTextModally) {
  const NoticeHandler previous = SetNoticeHandler({});
  InstallNoticeDialogs();
  QString title, text;
  OnNextModal([&](QWidget* w) {
    title = w->windowTitle();
    if (auto* label = w->findChild<QLabel*>(QStringLiteral("NoticeText"))) text = label->text();
  });
  ShowNotice(str::kHelpFileMissing, "Tallyframe.hlp");
  EXPECT_EQ(title, "Program Notice");
  EXPECT_EQ(text, "Cannot find the help file 'Tallyframe.hlp'.");
  OnNextModal([&](QWidget* w) { title = w->windowTitle(); });
  ShowNoticeText("Something", "Own Title");
  EXPECT_EQ(title, "Own Title");
  OnNextModal([&](QWidget* w) { title = w->windowTitle(); });
  ShowPlainMessage("Cannot load contents file");
  EXPECT_EQ(title, "");
  SetNoticeHandler(previous);
}

TEST(Welcome, ThreeButtonsOverThePicture) {
  FrameFixture f;
  auto* welcome = new CSplashDlg(f.frame.get());
  welcome->show();
  Settle();
  EXPECT_EQ(welcome->windowTitle(), "Welcome to Kestrelon!");
  EXPECT_EQ(welcome->size(), QSize(400, 300));
  struct {
    int id;
    const char* text;
    int y;
  } expected[] = {{cmd::kOpen, "&Open student file", 206},
                  {cmd::kNew, "&New student file", 236},
                  {cmd::kExit, "E&xit Kestrelon", 266}};
  for (const auto& e : expected) {
    QPushButton* b = welcome->button(e.id);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), e.text);
    EXPECT_EQ(b->geometry(), QRect(10, e.y, 140, 22));
  }
  EXPECT_EQ(QApplication::focusWidget(), welcome->button(cmd::kOpen));
  // The built-in picture is drawn: the window is not one flat colour.
  const QImage shot = welcome->grab().toImage();
  EXPECT_NE(shot.pixelColor(200, 40), shot.pixelColor(380, 290));
  welcome->close();
}

TEST(Welcome, AMissingMovieIsReportedOncePerRun) {
  FrameFixture f;
  NoticeRecorder notices;
  MovieSupport movies;
  ScopedService<MovieSupport> movieService(&movies);
  int made = 0;
  CSplashDlg::SetMovieMaker([&made](const std::filesystem::path&, QWidget*) -> QWidget* {
    ++made;
    return nullptr;
  });
  CSplashDlg::ResetMovieNotice();
  for (int i = 0; i < 2; ++i) {
    auto* welcome = new CSplashDlg(f.frame.get());
    welcome->show();
    Settle();
    welcome->close();
  }
  CSplashDlg::SetMovieMaker({});
  EXPECT_EQ(made, 0);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kNoVolume);
  EXPECT_EQ(notices.notices()[0].text, "Cannot find the program CD-ROM or volume.  Please verify that it is mounted.");
}

TEST(Welcome, WithoutMovieSupportNoMovieIsLookedFor) {
  FrameFixture f;
  NoticeRecorder notices;
  CSplashDlg::ResetMovieNotice();
  int made = 0;
  CSplashDlg::SetMovieMaker([&made](const std::filesystem::path&, QWidget*) -> QWidget* {
    ++made;
    return nullptr;
  });
  auto* welcome = new CSplashDlg(f.frame.get());
  welcome->show();
  Settle();
  welcome->close();
  CSplashDlg::SetMovieMaker({});
  EXPECT_EQ(made, 0);
  EXPECT_TRUE(notices.notices().empty());
}

TEST(About, PanelsDisableTheirButtonAndTheCreditsRoll) {
  CAboutDlg about(QStringLiteral("2.1.7"), QString());
  EXPECT_EQ(about.windowTitle(), "About Kestrelon");
  EXPECT_EQ(about.size(), QSize(480, 360));
  const char* labels[5] = {"&About", "&Support", "&License", "&Credits", "OK"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(about.button(i)->text(), labels[i]);
    EXPECT_EQ(about.button(i)->geometry(), QRect(412, 232 + 24 * i, 60, 20));
  }
  EXPECT_FALSE(about.button(0)->isEnabled());
  about.button(2)->click();
  EXPECT_EQ(about.panel(), CAboutDlg::kLicense);
  EXPECT_FALSE(about.button(2)->isEnabled());
  EXPECT_TRUE(about.button(0)->isEnabled());
  EXPECT_EQ(about.textBox()->geometry(), QRect(32, 128, 344, 200));
  EXPECT_TRUE(about.textBox()->toPlainText().contains("WITHOUT WARRANTY"));
  about.button(3)->click();
  EXPECT_EQ(about.panel(), CAboutDlg::kCredits);
  EXPECT_TRUE(about.textBox()->toPlainText().startsWith(QString(14, QLatin1Char('\n'))));
  about.show();
  Settle();
  QScrollBar* bar = about.textBox()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  about.ScrollCredits();
  EXPECT_GT(bar->value(), 0);
  for (int i = 0; i < 1000 && bar->value() < bar->maximum(); ++i) about.ScrollCredits();
  about.ScrollCredits();  // at the end: back to the top
  EXPECT_EQ(bar->value(), 0);
  about.button(1)->click();
  EXPECT_EQ(about.panel(), CAboutDlg::kSupport);
  EXPECT_FALSE(about.textBox()->isVisible());
}

// Without a course the two panel pictures are the program's own (pictures 1134 and 1017).
TEST(About, SupportAndCreditsPicturesComeFromTheProgramWithoutACourse) {
  CAboutDlg about(QStringLiteral("2.1.7"), QString());
  about.ShowPanel(CAboutDlg::kSupport);
  EXPECT_FALSE(about.panelPicture().isNull());
  about.ShowPanel(CAboutDlg::kCreditsPicture);
  EXPECT_EQ(about.panel(), CAboutDlg::kCreditsPicture);
  EXPECT_FALSE(about.button(3)->isEnabled());
  ASSERT_FALSE(about.panelPicture().isNull());
  EXPECT_EQ(about.panelPicture().size(), QSize(348, 240));
}

TEST(About, VersionText) {
  EXPECT_EQ(AboutVersionText("0.1.0"), "0.1.0");
  EXPECT_EQ(AboutVersionText("3.04.2.9"), "3.4.2");
  EXPECT_EQ(AboutVersionText(""), "Version");
  EXPECT_EQ(AboutVersionText("x.y.z"), "Version");
}

}  // namespace
