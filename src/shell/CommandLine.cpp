#include "shell/CommandLine.h"

#include <string_view>

namespace {

// The shell flags; true when word is one (sets it).
bool TakeShellFlag(std::string_view word, CommandLine& cl) {
  using S = CommandLine::ShowState;
  if (word == "minimize" || word == "minimized") {
    cl.show = S::Minimized;
  } else if (word == "maximize" || word == "maximized") {
    cl.show = S::Maximized;
  } else if (word == "normal") {
    cl.show = S::Normal;
  } else if (word == "hide") {
    cl.show = S::Hidden;
  } else if (word == "dde") {
    cl.dde = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  auto fail = [&cl](std::string why) {
    if (cl.error.empty()) cl.error = std::move(why);
  };
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!onlyFiles && a == "--") {
      onlyFiles = true;
      continue;
    }
    if (!onlyFiles && a.size() > 1 && a[0] == '-') {
      const std::string_view word = std::string_view(a).substr(a[1] == '-' ? 2 : 1);
      if (TakeShellFlag(word, cl)) continue;
      if (word == "help" || a == "-h") {
        cl.help = true;
      } else if (word == "version") {
        cl.version = true;
      } else if (word == "exit-when-idle") {
        cl.exitWhenIdle = true;
      } else if (word == "screenshot") {
        if (i + 1 >= args.size()) {
          fail("--screenshot needs a file name");
        } else {
          cl.screenshot = args[++i];
        }
      } else if (word.substr(0, 11) == "screenshot=") {
        cl.screenshot = std::string(word.substr(11));
      } else if (word == "tour") {
        if (i + 1 >= args.size()) {
          fail("--tour needs a folder for its pictures");
        } else {
          cl.tour = args[++i];
        }
      } else if (word.substr(0, 5) == "tour=") {
        cl.tour = std::string(word.substr(5));
      } else {
        fail("unknown option " + a);
      }
      continue;
    }
    // A slash flag is one of the shell words exactly; anything else beginning with "/"
    // is an absolute path.
    if (!onlyFiles && a.size() > 1 && a[0] == '/' && TakeShellFlag(std::string_view(a).substr(1), cl)) continue;
    if (a.empty()) continue;
    if (!cl.file.empty()) {
      fail("only one file can be opened: " + cl.file + " and " + a);
      continue;
    }
    cl.file = a;
  }
  if (!cl.tour.empty() && !cl.file.empty()) fail("--tour starts from no student file: " + cl.file);
  if (!cl.tour.empty() && !cl.screenshot.empty()) fail("--tour takes its own pictures; leave out --screenshot");
  return cl;
}

bool SplashWanted(const CommandLine& cl) {
  return cl.show != CommandLine::ShowState::Hidden && cl.show != CommandLine::ShowState::Minimized;
}

CommandLine::ShowState FrameShowState(const CommandLine& cl) {
  return cl.show == CommandLine::ShowState::Default ? CommandLine::ShowState::Maximized : cl.show;
}

std::string CommandLineHelp() {
  return "Usage: kestrelon [OPTIONS] [FILE]\n"
         "The interactive statistics course player.\n"
         "\n"
         "  FILE               a student progress file (.kns) to open, or a marker (.kna)\n"
         "                     or bookmark (.mrk) file; when the player is already\n"
         "                     running, the file is handed to it\n"
         "  --course DIR       use the course in DIR (personal.knp and the course folder)\n"
         "                     instead of the one beside the program\n"
         "  -maximize, -minimize, -normal, -hide\n"
         "                     the state the main window starts in (default: maximised)\n"
         "  --help             show this help and exit\n"
         "  --version          show the version and exit\n"
         "  --screenshot PNG   save a picture of the main window once it is up, then exit\n"
         "  --tour DIR         walk through a demonstration session without a display,\n"
         "                     saving a picture of each step and the progress file in DIR\n"
         "  --exit-when-idle   exit as soon as start-up is complete (timing)\n"
         "\n"
         "Holding Ctrl and Shift while the player starts skips the saved preferences.\n";
}
