// The rules every course view shares, as plain arithmetic: the Undo menu text, what the
// mouse wheel does, middle-button automatic scrolling and keyboard scrolling.
#pragma once

#include <string>
#include <string_view>

#include "course/ResourceIds.h"

// ---- undo ----
// "Undo " or "Redo " and the command's menu text (its own shortcut part dropped) with
// "\tCtrl+Z"; "Can't Undo\tCtrl+Z" when no command was recorded (commandText empty).
std::string UndoMenuText(std::string_view commandText, bool redo);

// ---- wheel ----
inline constexpr int kMinFontSize = 8;
inline constexpr int kMaxFontSize = 24;
inline constexpr int kWheelLinePixels = 12;

// Ctrl with the wheel: the font size one point per notch (up: larger), within 8 to 24.
int WheelFontSize(int fontSize, int notches);

// Without Ctrl: 12 pixels per wheel line (the desktop's lines per notch) and notch, at
// most a page either way; a setting of one line and page-wise settings (lines < 1) scroll
// a page per notch.
// Positive: towards the end.
int WheelScrollPixels(int notches, int linesPerNotch, int pageHeight);

// ---- middle-button automatic scrolling ----
inline constexpr int kAutoScrollInterval = 15;  // ms between steps
inline constexpr int kAutoScrollDeadZone = 8;   // pixels around the marker without scrolling

struct AutoScrollStep {
  int pixels = 0;  // positive: towards the end
  int cursor = cur::kAutoScrollStill;
};
// dy: the pointer's vertical distance from the marker (positive below it). Within 8
// pixels nothing moves; otherwise the view moves dy / 8 pixels.
AutoScrollStep AutoScrollFor(int dy);

// ---- keys ----
enum class ScrollKey { None, LineBack, LineForward, PageBack, PageForward, Home, End };
// The new position for a key in a view with a scroll range [0, maxPosition].
int KeyScrollPosition(ScrollKey key, int position, int maxPosition, int pageHeight);
