#include "hypertext/ParagraphLayout.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cstdio>

#include "hypertext/HyperParagraph.h"
#include "hypertext/MarkupTokenizer.h"

LayoutFonts::Entry::Entry(const FontDescription& d, int dpiY)
    : description(d),
      font(CreateFont(d, dpiY)),
      metrics(font),
      encoding(FontEncoding(d)),
      ascent(metrics.ascent()),
      height(metrics.height()),
      spaceWidth(metrics.horizontalAdvance(QLatin1Char(' '))) {}

int LayoutFonts::Entry::Width(std::string_view bytes) {
  if (auto it = m_widths.find(bytes); it != m_widths.end()) return it->second;
  if (m_widths.size() >= 8192) m_widths.clear();
  const int width = metrics.horizontalAdvance(CourseBytesToQString(bytes, encoding));
  m_widths.emplace(std::string(bytes), width);
  return width;
}

LayoutFonts::Entry& LayoutFonts::Get(const FontDescription& description, int dpiY) {
  if (dpiY != m_dpiY) {
    m_entries.clear();
    m_dpiY = dpiY;
  }
  for (const auto& e : m_entries)
    if (e->description == description) return *e;
  m_entries.push_back(std::make_unique<Entry>(description, dpiY));
  return *m_entries.back();
}

void LayoutFonts::Trim() {
  if (m_entries.size() > 64) m_entries.clear();
}

QString CourseBytesToQString(std::string_view bytes, CourseEncoding encoding) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char ch : bytes) {
    const auto b = static_cast<std::uint8_t>(ch);
    if (b < 32) continue;
    const char32_t c = CourseCharToUnicode(b, encoding);
    if (c < 0x10000)
      out += QChar(static_cast<char16_t>(c));
    else
      out += QString::fromUcs4(&c, 1);
  }
  return out;
}

int ParagraphLayout::Run(HyperParagraph& p, const FontDescription& base, int left, int right, int top,
                         bool measure, QPainter* painter) {
  m_p = &p;
  m_painter = painter;
  m_measure = measure;
  m_left = left;
  m_right = std::max(right, left);
  m_font = base;
  m_entry = &m_fonts.Get(base, m_style.dpiY);
  m_stack.clear();
  m_lostPushes = 0;
  m_x = left;
  m_y = top;
  m_line = 0;
  m_lineInk = 0;
  m_atLineStart = true;
  m_anyText = false;
  m_inTerm = false;
  m_fixedDepth = 0;
  m_termLines.clear();
  if (measure) {
    p.lineWidths.clear();
    p.terms.clear();
    p.termRegion = QRegion();
  }
  m_offset = CentreOffset(0);

  Tokenize(p.text, [this](MarkupEvent& e) { Handle(e); });
  if (m_inTerm) EndTerm();
  RecordLine();

  if (measure && p.centred) {
    // Terms were measured before their lines' widths were known.
    for (std::size_t i = 0; i < p.terms.size(); ++i) {
      const int line = m_termLines[i];
      if (line < static_cast<int>(p.lineWidths.size()))
        p.terms[i].rect.translate(std::max(0, (m_right - m_left - p.lineWidths[line]) / 2), 0);
    }
    p.termRegion = QRegion();
    for (const HyperTerm& t : p.terms) p.termRegion += t.rect;
  }
  // A paragraph without text ("<p><p>", a picture alone) takes only the lines
  // its breaks made.
  if (!m_anyText) return std::max(m_y - top, 0);
  return std::max(m_y + m_entry->height - top, 0);
}

int ParagraphLayout::CentreOffset(int line) const {
  if (m_measure || !m_p->centred || line >= static_cast<int>(m_p->lineWidths.size())) return 0;
  return std::max(0, (m_right - m_left - m_p->lineWidths[line]) / 2);
}

void ParagraphLayout::RecordLine() {
  if (m_measure && m_p->lineWidths.size() < HyperParagraph::kLineWidthLimit) m_p->lineWidths.push_back(m_lineInk);
}

void ParagraphLayout::NewLine() {
  RecordLine();
  ++m_line;
  m_y += m_entry->height;
  m_x = m_left;
  m_lineInk = 0;
  m_atLineStart = true;
  m_offset = CentreOffset(m_line);
}

void ParagraphLayout::SwitchFont(const FontDescription& font) {
  LayoutFonts::Entry& next = m_fonts.Get(font, m_style.dpiY);
  m_y += m_entry->ascent - next.ascent;
  m_font = font;
  m_entry = &next;
}

void ParagraphLayout::PushFont() {
  if (m_stack.size() < 64)
    m_stack.push_back(m_font);
  else
    ++m_lostPushes;
}

void ParagraphLayout::PopFont() {
  if (m_lostPushes > 0) {
    --m_lostPushes;
    return;
  }
  if (m_stack.empty()) return;
  const FontDescription f = m_stack.back();
  m_stack.pop_back();
  SwitchFont(f);
}

void ParagraphLayout::PlaceWord(std::string_view text, bool force) {
  if (text.empty()) return;
  std::size_t trailing = 0;
  while (trailing < text.size() && text[text.size() - 1 - trailing] == ' ') ++trailing;
  const int width = m_entry->Width(text);
  const int ink = std::max(0, width - static_cast<int>(trailing) * m_entry->spaceWidth);
  if (!m_atLineStart && m_x + ink > m_right) NewLine();
  if (!force && m_atLineStart && m_line > 0 && trailing == text.size()) return;

  const QRect rect(m_x + m_offset, m_y, width, m_entry->height);
  if (m_painter) {
    const QString shown = CourseBytesToQString(text, m_entry->encoding);
    m_painter->setFont(m_entry->font);
    m_painter->setPen(QColor::fromRgb(m_font.colour));
    m_painter->drawText(QPoint(rect.x(), m_y + m_entry->ascent), shown);
  }
  if (m_trace) m_trace->push_back({std::string(text), rect, m_font, m_line});
  if (m_inTerm) {
    if (m_termRect.isNull()) m_termLine = m_line;
    m_termText.append(text);
    m_termRect |= rect;
  }
  if (ink > 0) m_lineInk = m_x + ink - m_left;
  m_x += width;
  m_atLineStart = false;
  m_anyText = true;
}

void ParagraphLayout::Place(std::string_view text) {
  if (m_inTerm || m_fixedDepth > 0) {
    PlaceWord(text, false);
    return;
  }
  // A quoted stretch reaches the layout as one piece with blanks inside; it is
  // still broken between its words.
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != ' ') ++end;
    while (end < text.size() && text[end] == ' ') ++end;
    PlaceWord(text.substr(start, end - start), false);
    start = end;
  }
}

void ParagraphLayout::BeginTerm() {
  if (m_inTerm) return;
  m_inTerm = true;
  m_termText.clear();
  m_termRect = QRect();
  FontDescription f = m_font;
  f.colour = m_style.linkColour;
  SwitchFont(f);
}

void ParagraphLayout::EndTerm() {
  if (!m_inTerm) return;
  m_inTerm = false;
  if (m_measure && !m_termRect.isNull() && m_p->terms.size() < HyperParagraph::kTermLimit) {
    m_p->terms.push_back({m_termText.substr(0, HyperTerm::kTextLimit), m_termRect});
    m_p->termRegion += m_termRect;
    m_termLines.push_back(m_termLine);
  }
  FontDescription f = m_font;
  f.colour = qRgb(0, 0, 0);
  SwitchFont(f);
}

void ParagraphLayout::ListItem() {
  if (!m_atLineStart) NewLine();
  if (m_p->listNumber > 0) {
    char number[16];
    std::snprintf(number, sizeof number, "%2d.  ", m_p->listNumber);
    PlaceWord(number, true);
    return;
  }
  PlaceWord(" ", true);
  PushFont();
  FontDescription symbol = m_font;
  symbol.flags |= kFontSymbol;
  symbol.SetFace({});
  SwitchFont(symbol);
  PlaceWord("\xB7", true);  // the Symbol font's bullet
  PopFont();
  PlaceWord("  ", true);
}

void ParagraphLayout::Tag(const MarkupEvent& e) {
  FontDescription f = m_font;
  switch (e.Letter()) {
    case 'b':
      if (e.Tag() == "br") {
        NewLine();
      } else {
        f.flags ^= kFontBold;
        SwitchFont(f);
      }
      break;
    case 'i':
      f.flags ^= kFontItalic;
      SwitchFont(f);
      break;
    case 'd': e.closing ? EndTerm() : BeginTerm(); break;
    case 'f':
      if (e.closing) {
        PopFont();
      } else {
        PushFont();
        ApplyFontAttributes(f, e);
        SwitchFont(f);
      }
      break;
    case 'j':
      if (e.closing) {
        if (m_fixedDepth > 0) {
          --m_fixedDepth;
          PopFont();
        }
      } else {
        PushFont();
        ++m_fixedDepth;
        f.flags |= kFontFixed;
        f.SetFace({});  // the fixed-pitch face, not the lesson's
        f.colour = qRgb(0, 0, 0);
        SwitchFont(f);
      }
      break;
    case 'l':
      if (!e.closing) ListItem();
      break;
    default: OtherTag(e); break;
  }
}

void ParagraphLayout::Handle(MarkupEvent& e) {
  if (e.IsWordBoundary() || e.IsLineEnd()) {
    // A defined term and a fixed-pitch run are not broken at blanks: their text
    // collects until the next tag.
    if (m_inTerm || m_fixedDepth > 0) return;
    Place(e.Text());
    e.ConsumeText();
    return;
  }
  Place(e.Text());
  e.ConsumeText();
  if (e.IsTag()) Tag(e);
}
