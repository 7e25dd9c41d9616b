// The layout pass of hypertext: one paragraph of normalised inline markup is
// placed word by word between a left and a right edge, optionally drawn, and
// its line widths and defined terms are measured.
//
// Rules: each word carries its trailing blanks; a word whose ink would pass the
// right edge starts a new line (blanks at the start of a wrapped line are not
// drawn); the line height is the current font's height; a font change moves
// the line's top by the difference of the ascents so that the baseline stays.
// Inline tags by first letter: "br" line break, other "b" toggles bold, "i"
// toggles italic, "d" a defined term (link colour, kept on one line), "f" font
// change (pushed, restored at its closing tag), "j" fixed pitch kept on one
// line, "l" list item number or bullet; others go to OtherTag.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "hypertext/FontDescription.h"

class QPainter;
struct HyperParagraph;
struct MarkupEvent;

// What a hypertext view lays out with: the learner's and the course's settings.
struct HyperStyle {
  int fontSize = 12;       // points: the preference FontSize
  std::string lessonFace;  // face list of the personality "Lesson Font"; empty: Times New Roman
  QRgb linkColour = qRgb(0x22, 0x22, 0xFF);  // personality "Link Color"
  int dpiY = 96;           // vertical resolution for point sizes

  friend bool operator==(const HyperStyle&, const HyperStyle&) = default;
};

// Fonts and metrics by description. Entries stay valid until Trim.
class LayoutFonts {
 public:
  struct Entry {
    Entry(const FontDescription& d, int dpiY);
    // The advance of course bytes in this font. Measuring text is the costly
    // part of a layout and words repeat, so widths are kept (a bounded number).
    int Width(std::string_view bytes);

    FontDescription description;
    QFont font;
    QFontMetrics metrics;
    CourseEncoding encoding;
    int ascent;
    int height;
    int spaceWidth;

   private:
    struct Hash {
      using is_transparent = void;
      std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_widths;
  };
  Entry& Get(const FontDescription& description, int dpiY);
  // Drops the entries when there are many; call between layouts only.
  void Trim();

 private:
  std::vector<std::unique_ptr<Entry>> m_entries;
  int m_dpiY = 0;
};

// The characters of course bytes in a font's encoding; control bytes are left out.
QString CourseBytesToQString(std::string_view bytes, CourseEncoding encoding);

// One drawn piece of text, for checks and tools.
struct PlacedRun {
  std::string text;  // course bytes
  QRect rect;        // content coordinates
  FontDescription font;
  int line = 0;
};

class ParagraphLayout {
 public:
  ParagraphLayout(const HyperStyle& style, LayoutFonts& fonts) : m_style(style), m_fonts(fonts) {}
  virtual ~ParagraphLayout() = default;

  // Lays out p.text from base font between left and right, the first line's top
  // at top (content coordinates). measure: p's line widths, terms and term
  // region are recorded anew. painter: the text is drawn too (centred lines use
  // the widths of the last measure). Returns the text height: lines x line
  // height, where a paragraph without text has only the lines its breaks make.
  int Run(HyperParagraph& p, const FontDescription& base, int left, int right, int top, bool measure,
          QPainter* painter);

  // Every piece placed by later runs is appended here (null: none).
  void SetTrace(std::vector<PlacedRun>* trace) { m_trace = trace; }

 protected:
  // Tags this layout ignores; a page layout handles more of them.
  virtual void OtherTag(const MarkupEvent& event) {}

  // For OtherTag: place text at the pen (force: even blanks at a line start).
  void Place(std::string_view text);
  void PlaceWord(std::string_view text, bool force);
  void NewLine();
  void SwitchFont(const FontDescription& font);
  void PushFont();
  void PopFont();
  const FontDescription& font() const { return m_font; }
  const LayoutFonts::Entry& fontEntry() const { return *m_entry; }
  int penX() const { return m_x; }
  int lineTop() const { return m_y; }
  bool atLineStart() const { return m_atLineStart; }
  bool measuring() const { return m_measure; }
  HyperParagraph& paragraph() { return *m_p; }

 private:
  void Handle(MarkupEvent& e);
  void Tag(const MarkupEvent& e);
  void RecordLine();
  int CentreOffset(int line) const;
  void BeginTerm();
  void EndTerm();
  void ListItem();

  const HyperStyle& m_style;
  LayoutFonts& m_fonts;
  std::vector<PlacedRun>* m_trace = nullptr;

  HyperParagraph* m_p = nullptr;
  QPainter* m_painter = nullptr;
  bool m_measure = false;
  int m_left = 0;
  int m_right = 0;
  FontDescription m_font;
  LayoutFonts::Entry* m_entry = nullptr;
  std::vector<FontDescription> m_stack;
  int m_lostPushes = 0;  // pushes beyond the stack's bound, matched by pops
  int m_x = 0;           // pen, before centring
  int m_y = 0;           // top of the current line in the current font
  int m_offset = 0;      // centring offset of the current line (drawing only)
  int m_line = 0;
  int m_lineInk = 0;     // width of the current line up to its last ink
  bool m_atLineStart = true;
  bool m_anyText = false;
  bool m_inTerm = false;
  int m_fixedDepth = 0;
  std::string m_termText;
  QRect m_termRect;
  int m_termLine = 0;
  std::vector<int> m_termLines;  // line of each recorded term, for centring after the measure
};
