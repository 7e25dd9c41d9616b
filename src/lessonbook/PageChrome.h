// The page chrome of the Lesson Book: the look of a bound book in one of seven formats
// (the preference PageFormat: "Spiral-bound", "Leather-bound", "Plain Vanilla", "High
// Tech", "Notebook", "Stylish", "Cream"). Each format has five pictures: a binding strip
// tiled down the left edge, a bottom-left corner, a bottom strip tiled along the bottom,
// a bottom-right corner (not drawn in format 6) and a right edge strip tiled down the
// right. The right edge carries four tabs, one per tear-off bar (Table of Contents,
// Index, Glossary, Bookmarks); the bottom-right corner of the paper shows the dog ear.
//
// Geometry (pixels). The page is a canvas as wide as the view and at least as tall; the
// chrome scrolls with it except the tabs, which stay in the visible part of the right
// edge. Text starts 8 pixels right of the binding (format 6: at the binding).
#pragma once

#include <QtCore/QRect>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <array>

#include "course/CommandIds.h"
#include "course/ResourceIds.h"

class QPainter;

struct PageFormatPictures {
  int binding;
  int bottomLeft;
  int bottom;
  int bottomRight;
  int rightEdge;
};

inline constexpr int kPageFormatCount = 7;
inline constexpr std::array<PageFormatPictures, kPageFormatCount> kPageFormatPictures = {{
    // 0 Spiral-bound
    {bmp::kSpiralBinding, bmp::kSpiralBottomLeft, bmp::kSpiralBottom, bmp::kSpiralBottomRight, bmp::kSpiralRightEdge},
    // 1 Leather-bound
    {bmp::kLeatherBinding, bmp::kLeatherBottomLeft, bmp::kLeatherBottom, bmp::kLeatherBottomRight, bmp::kLeatherRightEdge},
    // 2 Plain Vanilla
    {bmp::kVanillaBinding, bmp::kVanillaBottomLeft, bmp::kVanillaBottom, bmp::kVanillaBottomRight, bmp::kVanillaRightEdge},
    // 3 High Tech
    {bmp::kHighTechBinding, bmp::kHighTechBottomLeft, bmp::kHighTechBottom, bmp::kHighTechBottomRight, bmp::kHighTechRightEdge},
    // 4 Notebook
    {bmp::kNotebookBinding, bmp::kNotebookBottomLeft, bmp::kNotebookBottom, bmp::kNotebookBottomRight, bmp::kNotebookRightEdge},
    // 5 Stylish
    {bmp::kStylishBinding, bmp::kStylishBottomLeft, bmp::kStylishBottom, bmp::kStylishBottomRight, bmp::kStylishRightEdge},
    // 6 Cream
    {bmp::kCreamBinding, bmp::kCreamBottomLeft, bmp::kCreamBottom, bmp::kCreamBottomRight, bmp::kCreamRightEdge},
}};

// The tear-off bars the tabs float, top to bottom.
inline constexpr std::array<int, 4> kPageTabBars = {cmd::kContentsBar, cmd::kIndexBar, cmd::kGlossaryBar,
                                                    cmd::kBookmarksBar};

// Colours a format draws its text accents with.
struct PageStyle {
  QColor title;       // titles of explanations and activities
  QColor rule;        // the dark line of a rule; the light one is drawn below it
  QColor selection;   // background of a selected entry
  QColor selectionEdge;
  std::array<QColor, 4> tabs;  // tab faces, by tab
  QColor tabEdge;
  QColor tabIcon;     // background of a tab's icon
};
const PageStyle& PageStyleOf(int format);

enum class DogEarState { Hidden, Shown, Pressed };

class PageChrome {
 public:
  static constexpr int kTextMargin = 8;     // between binding and text (not format 6)
  static constexpr int kDogEarSize = 32;
  static constexpr int kTabHeight = 40;
  static constexpr int kTabGap = 6;
  static constexpr int kTabTop = 14;

  explicit PageChrome(int format = 0);

  int format() const { return m_format; }
  const PageStyle& style() const { return PageStyleOf(m_format); }

  int bindingWidth() const { return m_bindingWidth; }
  int rightWidth() const { return m_rightWidth; }
  int bottomHeight() const { return m_bottomHeight; }
  // Where text may start and end for a canvas of that width.
  int textLeft() const;
  int textRight(int canvasWidth) const;

  // The paper: between the binding and the right edge, above the bottom strip.
  QRect PaperRect(const QSize& canvas) const;
  // Tab i (0 to 3) in canvas coordinates, for the view scrolled to scroll.
  QRect TabRect(int i, const QSize& canvas, int scroll) const;
  // The dog ear at the paper's bottom-right corner.
  QRect DogEarRect(const QSize& canvas) const;

  // Draws the chrome meeting area (canvas coordinates), the tabs for a view scrolled to
  // scroll showing viewHeight pixels (hotTab: the tab under the pointer, or -1), and the
  // dog ear in its state. The paper is filled white.
  void Paint(QPainter& painter, const QRect& area, const QSize& canvas, int scroll, int viewHeight, int hotTab,
             DogEarState dogEar) const;

 private:
  void Tile(QPainter& painter, const QImage& image, const QRect& target, const QRect& clip) const;
  void PaintTab(QPainter& painter, int i, const QRect& rect, bool hot) const;

  int m_format = 0;
  QImage m_binding, m_bottomLeft, m_bottom, m_bottomRight, m_right;
  int m_bindingWidth = 0;
  int m_rightWidth = 0;
  int m_bottomHeight = 0;
};
