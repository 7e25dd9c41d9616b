// Tool codes: a tool activity's script file begins with a 12-byte header whose
// third 32-bit little-endian field is a four-character code (stored as a number
// whose most significant byte is the first character, "tftb" = 0x74667462). The
// code chooses the window that runs the tool.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

enum class ToolWindow {
  Expo,  // the plain exposition window: every code not in the table
  Expo1,
  Expo2,
  Expo3,
  Code,
  Central,
  Cond,
  Dotplot,
  Density,
  Guess,
  Histo,
  Line,
  Least,
  Prob,
  Process,
  Random,
  Scatter,
  Table,
  Target,
};

ToolWindow ToolWindowClass(std::uint32_t code);
// "CExpoWnd", "CTableWnd", ...
std::string_view ToolWindowClassName(ToolWindow window);
// The code of a script file's header; none when the file is shorter than the header.
std::optional<std::uint32_t> ToolCodeOfScript(std::span<const std::uint8_t> fileStart);
