// setup: the disc start-up launcher. Started by the desktop when the course disc is
// inserted (with "autostart") or by the learner; reads setup.cfg beside itself.
#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <cstdio>
#include <cstring>

#include "course/Notice.h"
#include "setup/MovieLibraryCheck.h"
#include "setup/SetupDialog.h"
#include "setup/SetupProfile.h"
#include "setup/SetupProgram.h"
#include "setup/SetupShell.h"
#include "setup/WelcomeSound.h"

namespace {

void PrintHelp() {
  std::printf(
      "Usage: setup [autostart] [OPTIONS]\n"
      "The course disc's start-up launcher: shows the buttons of setup.cfg (beside the program)\n"
      "that start the course player, open the read-me file and so on.\n\n"
      "  autostart        started by the desktop on inserting the disc: when the learner has\n"
      "                   cleared the window's check box, only the program's folder is opened\n"
      "  --help           show this help and exit\n"
      "  --version        show the version and exit\n"
      "  --screenshot PNG save a picture of the window once it is shown, then exit (no sound)\n");
}

// Plain message boxes: no owner, the program's name as caption, an OK button.
void ShowMessageBox(const NoticeRequest& r) {
  QMessageBox box(QMessageBox::NoIcon, r.title.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(r.title),
                  QString::fromStdString(r.text), QMessageBox::Ok);
  box.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QString screenshot;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
      screenshot = QString::fromLocal8Bit(argv[++i]);
    } else if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      PrintHelp();
      return 0;
    } else if (!std::strcmp(argv[i], "--version")) {
      std::printf("setup %s\n", KN_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Setup");
  QApplication::setOrganizationName("Kestrelon");
  // In screenshot mode messages go to the error output instead of waiting for OK.
  if (screenshot.isEmpty()) SetNoticeHandler(ShowMessageBox);

  CDesktopShell shell;
  SetupProfile profile;
  CMovieComponentProbe movies;
  CWelcomeSound sound;
  SetupRun run;
  run.programFolder = QDir(QApplication::applicationDirPath()).absolutePath().toStdString();
  run.shell = &shell;
  run.profile = &profile;
  run.movieProbe = &movies;
  int status = 0;
  if (screenshot.isEmpty()) {
    run.playWelcome = [&sound] {
      if (auto wav = WelcomeSoundResource()) sound.Play(*wav);  // silence when there is no sound device
    };
    run.stopWelcome = [&sound] { sound.Stop(); };
  } else {
    run.runDialog = [&screenshot, &status](CSetupDialog& dialog) {
      QTimer::singleShot(1000, &dialog, [&dialog, &screenshot, &status] {
        if (!dialog.grab().save(screenshot, "PNG")) {
          std::fprintf(stderr, "setup: cannot write %s\n", qPrintable(screenshot));
          status = 1;
        }
        dialog.done(0);
      });
      dialog.exec();
    };
  }
  const int rc = RunSetup(QApplication::arguments(), run);
  return rc ? rc : status;
}
