// The companion statistics application that opens exploration files (".ise"). It lies in
// the program folder's or the course volume's "course" folder under the name of string
// 8002 or 8003; on this system the same names without ".exe" are tried after them. It
// is started as a program with an argument list (never through a shell): the
// application's path, then the exploration file's path.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "course/OutsideGate.h"  // programs start through StartOutsideProgram

class Preferences;

// The companion application's path, or none when no course folder holds it (or what
// holds the name is not a file).
std::optional<std::filesystem::path> FindCompanionApplication(const Preferences* prefs);

