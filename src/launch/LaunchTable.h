// The launcher's table of activity types: how a file is opened, chosen by the text after
// the first "." of its name, the sound that accompanies a launch of each kind, the
// message shown when the desktop cannot open an outside document, and the application
// name that labels links to activities.
#pragma once

#include <string>
#include <string_view>

enum class LaunchHandler {
  None,         // not opened at all
  Window,       // an activity window of the program (windowClass names it)
  Movie,        // the movie window, once the sound player is quiet
  Tool,         // the window chosen by the script file's tool code
  Exploration,  // the companion statistics application
  OpenAction,   // the desktop's open action (outside packages, web pages)
};

struct LaunchRoute {
  LaunchHandler handler = LaunchHandler::None;
  std::string_view windowClass;  // for Window and Movie: "CQuizWnd", "CMovieWnd", ...
  int failureMessage = 0;        // for OpenAction: the notice when the desktop cannot open it
};

// The extension as the launcher sees it: everything from the first "." on, ASCII
// lower-cased ("notes.final.exp" gives ".final.exp"); empty without a ".".
std::string LaunchExtension(std::string_view fileName);
LaunchRoute RouteForExtension(std::string_view extension);
inline LaunchRoute RouteForFile(std::string_view fileName) { return RouteForExtension(LaunchExtension(fileName)); }

// The activity kind (0 to 17) of a file name by its launcher extension; 0 for one not in
// the table (".htm" included: it has no kind of its own).
int LaunchKindOfFile(std::string_view fileName);

// The program sound (7000-7043) that accompanies a launch of kind; 0 for none.
int LaunchSoundOfKind(int kind);

// "Tallyframe" for a name holding ".ise" after its first character (case-sensitive);
// exploreName for any other exploration file; otherwise the name of the file's kind.
std::string ApplicationName(std::string_view fileName, std::string_view exploreName);
