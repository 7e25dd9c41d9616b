// The definition pane's text: the display text (GlossaryDisplayText) run through the
// markup tokenizer and drawn word by word. A word that would pass the right edge starts
// a new line; "b" toggles bold, and "br" (a "b" with more to its name) breaks the line
// as "p" does, 2 pixels further down; "dfn" draws a cross-reference in the link colour,
// underlined and never split, and records where it is; "font" changes face, size and
// colour for one level; "i" toggles italic; "img" names the definition's picture (the
// first one only); the first equation ("math") takes the picture's place when there is
// none, and any other is drawn as its text in italic.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QColor>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

struct GlossaryCrossReference {
  QRect rect;        // pane coordinates
  std::string text;  // the whole phrase, as written (course bytes)
};

struct GlossaryPaneLayout {
  int textBottom = 0;  // below the last line of text
  std::vector<GlossaryCrossReference> references;
  std::string picture;   // the first picture a definition names (empty: none)
  std::string equation;  // or the markup of its first equation, which takes the picture's place
};

struct GlossaryPaneStyle {
  std::string face = "Times New Roman";  // the course's "Glossary Font", or this
  int pixelSize = 12;
  QRgb linkColour = qRgb(0x22, 0x22, 0xff);
  int dpiY = 96;
};

// Lays the text out in a pane width pixels wide, starting 4 pixels below top; draws it
// when painter is given. Every measurement is the same with and without a painter.
GlossaryPaneLayout LayGlossaryText(std::string_view displayText, int width, int top, const GlossaryPaneStyle& style,
                                   QPainter* painter);
