#include "glossary/GlossaryLayout.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <algorithm>
#include <optional>

#include "course/CourseText.h"
#include "hypertext/FontDescription.h"
#include "hypertext/MathElement.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

constexpr int kInset = 4;
constexpr int kParagraphGap = 2;

struct Pen {
  const GlossaryPaneStyle* style = nullptr;
  QPainter* painter = nullptr;
  int width = 0;
  int x = kInset, y = 0;
  int lineHeight = 0;
  FontDescription font;
  FontDescription saved;  // the font before an open "font" tag (one level)
  bool inFont = false;
  bool inReference = false;
  bool inEquation = false;
  std::optional<MathElement> math;  // an equation being collected
  std::string reference;  // the phrase of the open cross-reference
  GlossaryPaneLayout* out = nullptr;

  QFont Font() const {
    FontDescription f = font;
    if (inReference) f.flags |= kFontUnderline;
    if (inEquation) f.flags |= kFontItalic;
    return CreateFont(f, style->dpiY);
  }
  QColor Colour() const { return inReference ? QColor(style->linkColour) : QColor(font.colour); }

  void NewLine(int extra) {
    x = kInset;
    y += std::max(lineHeight, QFontMetrics(Font()).height()) + extra;
    lineHeight = 0;
  }

  // Draws a run of course bytes at the pen, moving to the next line first when it would
  // pass the right edge (unless the line is still empty). Returns where it went.
  QRect Draw(std::string_view bytes) {
    if (bytes.empty()) return {};
    const QFont f = Font();
    const QFontMetrics m(f);
    const QString text = QString::fromStdString(CourseToUtf8(bytes, FontEncoding(font)));
    // A trailing blank takes room after the word but never forces a line break.
    QString word = text;
    while (word.endsWith(QLatin1Char(' '))) word.chop(1);
    const int wordWidth = m.horizontalAdvance(word);
    if (x > kInset && x + wordWidth > width - kInset) NewLine(0);
    const QRect box(x, y, wordWidth, m.height());
    if (painter) {
      painter->setFont(f);
      painter->setPen(Colour());
      painter->drawText(QPoint(x, y + m.ascent()), text);
    }
    x += m.horizontalAdvance(text);
    lineHeight = std::max(lineHeight, m.height());
    return box;
  }
};

void OnEvent(MarkupEvent& e) {
  Pen& pen = *static_cast<Pen*>(e.data);
  if (pen.math) {
    if (!pen.math->Take(e)) return;
    // The first equation is the definition's picture unless it has one; others stay in
    // the line as their text.
    if (pen.out->picture.empty() && pen.out->equation.empty()) {
      pen.out->equation = pen.math->markup();
    } else {
      pen.inEquation = true;
      pen.Draw(pen.math->InlineText() + " ");
      pen.inEquation = false;
    }
    pen.math.reset();
    return;
  }
  if (pen.inReference) {
    // A cross-reference is one unit: its words are gathered and drawn at its end.
    pen.reference.append(e.text, e.textLength);
    e.ConsumeText();
  } else if (e.textLength > 0) {
    pen.Draw(e.Text());
    e.ConsumeText();
  }
  if (!e.IsTag()) return;
  const std::string_view tag = e.Tag();
  switch (e.Letter()) {
    case 'b':
      if (tag.size() > 1) {
        pen.NewLine(kParagraphGap);
      } else {
        pen.font.flags ^= kFontBold;
      }
      break;
    case 'p':
      pen.NewLine(kParagraphGap);
      break;
    case 'd':
      if (!e.closing && !pen.inReference) {
        pen.inReference = true;
        pen.reference.clear();
      } else if (e.closing && pen.inReference) {
        std::string phrase = pen.reference;
        while (!phrase.empty() && phrase.back() == ' ') phrase.pop_back();
        const QRect box = pen.Draw(pen.reference);
        pen.inReference = false;
        if (!phrase.empty()) pen.out->references.push_back({box, phrase});
      }
      break;
    case 'f':
      if (!e.closing) {
        pen.saved = pen.font;
        pen.inFont = true;
        ApplyFontAttributes(pen.font, e);
      } else if (pen.inFont) {
        pen.font = pen.saved;
        pen.inFont = false;
      }
      break;
    case 'i':
      if (tag.size() == 1) {
        pen.font.flags ^= kFontItalic;
      } else if (!e.closing && pen.out->picture.empty() && pen.out->equation.empty()) {
        if (const MarkupAttribute* source = e.LastAttribute('s')) pen.out->picture = std::string(source->Value());
      }
      break;
    case 'm':
      if (tag == "math" && !e.closing) {
        pen.math.emplace();
        pen.math->Start(e);
      }
      break;
    default:
      break;
  }
}

}  // namespace

GlossaryPaneLayout LayGlossaryText(std::string_view displayText, int width, int top, const GlossaryPaneStyle& style,
                                   QPainter* painter) {
  GlossaryPaneLayout out;
  Pen pen;
  pen.style = &style;
  pen.painter = painter;
  pen.width = width;
  pen.y = top + kInset;
  pen.font.SetFace(style.face);
  pen.font.size = style.pixelSize;
  pen.out = &out;
  Tokenize(displayText.data(), static_cast<std::ptrdiff_t>(displayText.size()), OnEvent, &pen);
  // An unclosed cross-reference is still drawn.
  if (pen.inReference) pen.Draw(pen.reference);
  out.textBottom = pen.y + std::max(pen.lineHeight, QFontMetrics(pen.Font()).height());
  return out;
}
