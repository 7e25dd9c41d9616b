// kestrelon: the course player.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstring>

#include "course/ProgramResources.h"
#include "shell/MainFrame.h"

namespace {
void PrintHelp() {
  std::printf(
      "Usage: kestrelon [OPTIONS] [FILE]\n"
      "The interactive statistics course player.\n\n"
      "  FILE             a student progress (.kns), bookmark (.mrk) or marker (.kna) file to open\n"
      "  --help           show this help and exit\n"
      "  --version        show the version and exit\n"
      "  --screenshot PNG save a picture of the main window once it is shown, then exit\n");
}
}  // namespace

int main(int argc, char** argv) {
  QString screenshot;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
      screenshot = QString::fromLocal8Bit(argv[++i]);
      continue;
    }
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      PrintHelp();
      return 0;
    }
    if (!std::strcmp(argv[i], "--version")) {
      std::printf("kestrelon %s\n", KN_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kestrelon");
  QApplication::setOrganizationName("Kestrelon");
  CMainFrame frame;
  frame.show();
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(1500, &frame, [&frame, screenshot] {
      const bool ok = frame.grab().save(screenshot, "PNG");
      if (!ok) std::fprintf(stderr, "kestrelon: cannot write %s\n", qPrintable(screenshot));
      QApplication::exit(ok ? 0 : 1);
    });
  }
  return app.exec();
}
