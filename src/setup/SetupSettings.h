// The settings text of setup.cfg: one KEY:VALUE per line, read into the window's
// caption, size, check-box colour and the list of buttons.
//
// Lines end at CR or LF; leading spaces and TABs are skipped, a line starting "{" is
// a comment, and only the first kLineLimit characters after the indentation count
// (the rest of a longer line is dropped, never read as a line of its own). Keys
// compare without regard to ASCII case; in a value every "|" is a line break and a
// value wrapped in double quotes loses them. Unknown keys, lines without ":" and
// values that do not parse are ignored line by line.
//
// Texts stay course bytes (Windows-1252); convert with CourseToUtf8 where shown.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class SetupFunction {
  None,      // a record that no "function" line has set: clicking does nothing
  CdLaunch,  // open the target in the program's folder, then close
  HdLaunch,  // start the installed program, then close
  CheckBox,  // toggle whether an automatic start shows the window
  Readme,    // open a document in the program's folder; the window stays
  Quit,
  About,
};

// The name a "function" line uses ("cd_launch", ...); empty for None.
std::string_view SetupFunctionName(SetupFunction function);
// Case-insensitive; none for anything else.
std::optional<SetupFunction> SetupFunctionFromName(std::string_view name);

// Client-area pixels; right and bottom are exclusive edges as "size" sets them.
struct SetupRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const SetupRect&) const = default;
};

struct SetupButton {
  std::string label;        // "|" already turned into '\n'
  std::string target;       // "windows": a file in the program's folder, or what hd_launch starts
  std::string directory;    // kept, used by no function
  std::string application;  // hd_launch: an installed program's name; cd_launch: see CSetupLauncher
  SetupFunction function = SetupFunction::None;
  SetupRect rect;
  bool isDefault = false;   // kept, no effect
};

struct SetupRgb {
  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  bool operator==(const SetupRgb&) const = default;
};

struct SetupSettings {
  static constexpr int kDefaultWidth = 500;
  static constexpr int kDefaultHeight = 375;

  std::string title;  // every "title" value, appended in file order
  int clientWidth = kDefaultWidth;
  int clientHeight = kDefaultHeight;
  SetupRgb colorBox;  // background behind check boxes
  std::vector<SetupButton> buttons;

  bool hasCheckBox() const;
};

namespace setup_limits {
constexpr std::size_t kLineLimit = 256;   // characters of a line that are read
constexpr std::size_t kFieldLimit = 259;  // label, target, directory, application
constexpr std::size_t kMaxButtons = 16;   // later "button" records are dropped
constexpr int kMinWindowWidth = 201;      // smaller "window" sizes are ignored
constexpr int kMinWindowHeight = 151;
// Every coordinate and size is a signed 16-bit window coordinate; larger numbers
// make the line malformed.
constexpr int kMaxCoordinate = 32767;
}  // namespace setup_limits

// Reads the settings. quickTimeCheck, when set, runs at each "quicktime" line whose
// value is true, at that point of the reading (it shows its own messages).
SetupSettings ParseSetupSettings(std::string_view text, const std::function<void()>& quickTimeCheck = {});

// The value rules, exposed for the parser's tests and for kncourse.
std::optional<std::pair<int, int>> ParseSetupPair(std::string_view value);  // "X,Y"
bool ParseSetupFlag(std::string_view value);                                // non-zero number or "true"
std::optional<SetupRgb> ParseSetupColor(std::string_view value);            // hex RRGGBB, other characters skipped
