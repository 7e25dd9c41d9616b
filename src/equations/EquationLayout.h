// Layout and drawing of equation trees. An equation is measured once for a base font
// (a size in pixels and font flags) and drawn once into a vector picture whose frame
// is the root's box; the picture then scales like any other picture, so a new font
// size is a new rendering rather than a rescaled one.
//
// Sizes are pixels and stay within 1 to kEqMaxSize whatever the markup asks for
// (scripts of scripts, negative sizes, empty fences).
#pragma once

#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "equations/EquationTree.h"

class QPainter;
class QPicture;

// The fonts of one base face family by size and flags, created on first use. Only
// the user-interface thread lays out and draws.
class EquationFonts {
 public:
  struct Entry {
    QFont font;
    QFontMetrics metrics;
    int ascent;
    int descent;
  };
  const Entry& Get(int size, std::uint32_t flags);

 private:
  std::unordered_map<std::uint32_t, std::unique_ptr<Entry>> m_fonts;
};

constexpr int kEqMaxSize = 400;

// The text of a token as drawn: its bytes in the Symbol mapping for the Symbol face.
QString EqDisplayText(const EqNode& node);

// Measures the tree with the base font (size, flags) and places every element: each
// element's size, flags, box and top-left corner, the root at (0, 0).
void LayoutEquation(EqNode& root, int size, std::uint32_t flags, EquationFonts& fonts);
// Draws a laid-out tree (text in the painter's pen colour unless an element sets one;
// rules and radicals black).
void PaintEquation(const EqNode& root, QPainter& painter, EquationFonts& fonts);

// Lays out and draws the tree into a picture whose bounding rectangle is the root's
// box (width by ascent + descent). Null when the box is empty.
std::unique_ptr<QPicture> RenderEquation(EqNode& root, int size, std::uint32_t flags, EquationFonts& fonts);
// The same from markup, with a font cache kept for the program's lifetime.
std::unique_ptr<QPicture> RenderEquation(std::string_view markup, int size, std::uint32_t flags);

// Every element in pre-order, one line each: depth, name, x, y, width, ascent,
// descent, size, flags and the text (UTF-8, quoted).
std::string EquationListing(const EqNode& root);
