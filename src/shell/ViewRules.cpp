#include "shell/ViewRules.h"

#include <algorithm>
#include <cstdlib>

#include "course/ResourceIds.h"

std::string UndoMenuText(std::string_view commandText, bool redo) {
  const std::size_t tab = commandText.find('\t');
  if (tab != std::string_view::npos) commandText = commandText.substr(0, tab);
  if (commandText.empty()) return "Can't Undo\tCtrl+Z";
  std::string out = redo ? "Redo " : "Undo ";
  out.append(commandText);
  out.append("\tCtrl+Z");
  return out;
}

int WheelFontSize(int fontSize, int notches) {
  const long wanted = static_cast<long>(fontSize) + notches;
  return static_cast<int>(std::clamp<long>(wanted, kMinFontSize, kMaxFontSize));
}

int WheelScrollPixels(int notches, int linesPerNotch, int pageHeight) {
  if (notches == 0) return 0;
  const int page = std::max(1, pageHeight);
  // One line per notch is too little to be of use: such a wheel turns pages, as a page-wise one does.
  if (linesPerNotch <= 1) return notches * page;
  const long pixels = static_cast<long>(notches) * linesPerNotch * kWheelLinePixels;
  return static_cast<int>(std::clamp<long>(pixels, -page, page));
}

AutoScrollStep AutoScrollFor(int dy) {
  AutoScrollStep step;
  if (std::abs(dy) <= kAutoScrollDeadZone) return step;
  step.pixels = dy / 8;
  step.cursor = dy < 0 ? cur::kAutoScrollUp : cur::kAutoScrollDown;
  return step;
}

int KeyScrollPosition(ScrollKey key, int position, int maxPosition, int pageHeight) {
  int p = position;
  switch (key) {
    case ScrollKey::None:
      break;
    case ScrollKey::LineBack:
      p -= kWheelLinePixels;
      break;
    case ScrollKey::LineForward:
      p += kWheelLinePixels;
      break;
    case ScrollKey::PageBack:
      p -= pageHeight;
      break;
    case ScrollKey::PageForward:
      p += pageHeight;
      break;
    case ScrollKey::Home:
      p = 0;
      break;
    case ScrollKey::End:
      p = maxPosition;
      break;
  }
  return std::clamp(p, 0, std::max(0, maxPosition));
}
