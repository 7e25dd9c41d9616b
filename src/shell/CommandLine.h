// The course player's command line:
//   kestrelon [FLAGS] [FILE]
// FILE is a student progress file to open, or a marker or bookmark file for the marker
// opener. Flags (after "-", "--" or "/", exact lower case): minimize, minimized,
// maximize, maximized, normal, hide, dde; and the program's own options --help,
// --version, --screenshot FILE, --tour DIR, --exit-when-idle. The course folder option (--course)
// is taken out before this parser runs (course/CourseLocations.h).
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  enum class ShowState { Default, Minimized, Maximized, Normal, Hidden };
  ShowState show = ShowState::Default;
  bool dde = false;          // accepted and ignored: the request arrives as an open command
  std::string file;          // as given; empty: none
  bool help = false;
  bool version = false;
  std::string screenshot;    // save a picture of the main frame once it is up, then exit
  std::string tour;          // walk through the demonstration tour offscreen, its pictures in this folder
  bool exitWhenIdle = false; // exit 0 as soon as start-up has reached the idle Welcome window
  std::string error;         // non-empty: the arguments are unusable; say so and exit 2
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The start-up splash is shown unless the program starts hidden or minimised.
bool SplashWanted(const CommandLine& cl);

// The state the main frame is shown in: the command line's, else maximised.
CommandLine::ShowState FrameShowState(const CommandLine& cl);

// The usage text of --help.
std::string CommandLineHelp();
