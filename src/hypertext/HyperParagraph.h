// The records of a hypertext view: paragraphs of normalised inline markup made
// by the first pass, with what the layout pass measured, and source buttons.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QRegion>
#include <memory>
#include <string>
#include <vector>

#include "hypertext/Picture.h"

// A defined term as laid out: its text and where it was drawn (content coordinates).
struct HyperTerm {
  static constexpr std::size_t kTextLimit = 47;
  std::string text;  // course bytes, at most kTextLimit
  QRect rect;
};

struct HyperParagraph {
  static constexpr std::size_t kLineWidthLimit = 32;
  static constexpr std::size_t kTermLimit = 20;

  std::string text;  // normalised inline markup, course bytes
  int indent = 0;    // pixels, applied on both sides
  int listNumber = 0;  // the item's number in an ordered list, else 0
  bool heading = false;
  bool centred = false;
  std::unique_ptr<Picture> picture;  // drawn centred below the text at its own size

  // Set by the layout, in content coordinates (pixels).
  int top = 0;
  int height = 0;
  std::vector<int> lineWidths;  // the first kLineWidthLimit lines, for centring
  QRegion termRegion;           // union of the term rectangles
  std::vector<HyperTerm> terms;  // at most kTermLimit
};

// A button that opens the text's source (a file of the window's lesson, or a
// course folder): command 9043 + its index.
struct HyperSourceButton {
  int command = 0;
  std::string target;   // the "s" value as written
  std::string caption;  // course bytes
  QRect rect;           // content coordinates: the button row moves with the text
};
