// kestrelon: the course player.
#include <QtWidgets/QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CourseApp.h"
#include "app/Wiring.h"
#include "course/CourseLocations.h"
#include "shell/CommandLine.h"
#include "shell/InstanceChannel.h"
#include "shell/InstanceMessage.h"
#include "tour/DemoTour.h"

namespace {

// When the program already runs, this launch hands its file (or just itself) over.
// True when the running program took it and this one should end.
bool HandOver(const CommandLine& cl) {
  std::string command(kActivateCommand);
  if (!cl.file.empty()) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(cl.file, ec);
    command = OpenCommandText(ec ? cl.file : path.lexically_normal().string());
  }
  switch (HandOverToRunningInstance(InstanceSocketPath(), command)) {
    case ForwardResult::Delivered:
      return true;
    case ForwardResult::Refused:
      std::fprintf(stderr, "kestrelon: the running program refused %s\n", command.c_str());
      return true;
    case ForwardResult::Failed:
      std::fprintf(stderr, "kestrelon: the running program does not answer; starting anew\n");
      return false;
    case ForwardResult::NoInstance:
      return false;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const CourseFolderOption course = TakeCourseFolderOption(argc, argv);
  const CommandLine cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!course.ok || !cl.error.empty()) {
    std::fprintf(stderr, "kestrelon: %s\nTry 'kestrelon --help'.\n", (course.ok ? cl.error : course.error).c_str());
    return 2;
  }
  if (cl.help) {
    std::fputs(CommandLineHelp().c_str(), stdout);
    return 0;
  }
  if (cl.version) {
    std::printf("kestrelon %s\n", KN_VERSION);
    return 0;
  }

  // The tour draws offscreen whatever the display, with settings of its own.
  if (!cl.tour.empty()) {
    std::string why;
    if (!PrepareTourEnvironment(cl.tour, why)) {
      std::fprintf(stderr, "kestrelon: %s\n", why.c_str());
      return 1;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kestrelon"));
  QApplication::setOrganizationName(QStringLiteral("Kestrelon"));
  QApplication::setApplicationVersion(QStringLiteral(KN_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrelon.Kestrelon"));
  // Timing, screenshot and tour runs stand alone.
  const bool tool = cl.exitWhenIdle || !cl.screenshot.empty() || !cl.tour.empty();
  if (!tool && HandOver(cl)) return 0;

  // Nobody answers dialogs in these runs: notices go to the error stream (and the tour's list).
  std::unique_ptr<CDemoTour> tour;
  ConnectNotices(!tool, [&tour](const std::string& text) {
    if (tour) tour->AddNotice(text);
  });
  CCourseApp::Environment env;
  env.singleInstance = !tool;
  env.version = QStringLiteral(KN_VERSION);
  ConnectSubsystems();
  CCourseApp player(cl, env);
  if (!player.Startup()) return player.exitCode();
  if (!cl.tour.empty()) {
    tour = std::make_unique<CDemoTour>(player, cl.tour);
    tour->Start();
  }
  const int rc = app.exec();
  player.Exit();
  return rc;
}
