#include "equations/EquationLayout.h"

#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <algorithm>

#include "course/CourseText.h"
#include "hypertext/FontDescription.h"

namespace {

constexpr std::uint32_t kStyleFlags = kEqBold | kEqItalic | kEqSymbol;

int ClampSize(long long size) { return static_cast<int>(std::clamp<long long>(size, 1, kEqMaxSize)); }

// Two thirds of n, as scripts and limits take it.
int TwoThirds(int n) { return (2 * n) / 3; }

struct Font {
  int size;
  std::uint32_t flags;
};

// The element's own font from the inherited one: unchanged unless the element sets
// its size, weight, style or family.
Font ApplyStyle(const EqStyle& s, int size, std::uint32_t flags) {
  if (!s.SetsFont()) return {ClampSize(size), flags};
  long long n = size;
  if (s.absoluteSize)
    n = s.size;
  else if (s.relativeSize)
    n = static_cast<long long>(size) + s.size;
  std::uint32_t f = flags;
  if (s.weightSet) f = s.bold ? (f | kEqBold) : (f & ~std::uint32_t(kEqBold));
  if (s.styleSet) f = s.italic ? (f | kEqItalic) : (f & ~std::uint32_t(kEqItalic));
  if (s.familySet) f = s.symbol ? (f | kEqSymbol) : (f & ~std::uint32_t(kEqSymbol));
  return {ClampSize(n), f};
}

QString Display(std::string_view bytes, std::uint32_t flags) {
  const std::string utf8 =
      CourseToUtf8(bytes, (flags & kEqSymbol) ? CourseEncoding::Symbol : CourseEncoding::Windows1252);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int TextWidth(EquationFonts& fonts, Font font, std::string_view bytes) {
  if (bytes.empty()) return 0;
  return fonts.Get(font.size, font.flags).metrics.horizontalAdvance(Display(bytes, font.flags));
}

// The element kinds whose children must come in a fixed number; with any other count
// the children are laid out plainly and the element itself takes no room.
std::size_t RequiredChildren(EqType t) {
  switch (t) {
    case EqType::Frac: return 2;
    case EqType::Sqrt: return 1;
    case EqType::Sub:
    case EqType::Sup: return 2;
    case EqType::SubSup:
    case EqType::UnderOver: return 3;
    default: return 0;
  }
}

bool Plain(const EqNode& n) {
  const std::size_t need = RequiredChildren(n.type);
  return need != 0 && n.children.size() != need;
}

// The first byte of a marker child's text, passing the padding of "mo".
bool MarkerText(const EqNode& child, char marker) {
  const std::string& t = child.text;
  return (!t.empty() && t[0] == marker) || (t.size() > 1 && t[0] == ' ' && t[1] == marker);
}

class Layout {
 public:
  explicit Layout(EquationFonts& fonts) : m_fonts(fonts) {}

  void Measure(EqNode& n, int size, std::uint32_t flags);
  void Place(EqNode& n, int x, int y);

 private:
  void MeasureChildren(EqNode& n, Font font);
  void MaximaOfChildren(EqNode& n);
  void MeasureToken(EqNode& n, Font font);
  void MeasureRow(EqNode& n);
  void MeasureFenced(EqNode& n, Font font);
  void MeasureFrac(EqNode& n);
  void MeasureSqrt(EqNode& n);
  void MeasureScripts(EqNode& n, Font font);
  void MeasureOver(EqNode& n, Font font);
  void MeasureUnder(EqNode& n, Font font);
  void MeasureUnderOver(EqNode& n, Font font);
  void MeasurePadded(EqNode& n);
  void MeasureRowOfCells(EqNode& n);
  void MeasureTable(EqNode& n);

  void PlaceRowOfCells(EqNode& row, int rowAlignDefault, int columnAlignDefault);
  void PlaceTable(EqNode& n);

  EquationFonts& m_fonts;
};

void Layout::Measure(EqNode& n, int size, std::uint32_t flags) {
  const Font font = ApplyStyle(n.style, size, flags);
  n.size = font.size;
  n.flags = font.flags;
  n.width = n.ascent = n.descent = 0;
  if (Plain(n)) {
    MeasureChildren(n, font);
    return;
  }
  if (IsEqToken(n.type)) MeasureToken(n, font);
  switch (n.type) {
    case EqType::Math:
    case EqType::Row:
      MeasureChildren(n, font);
      MeasureRow(n);
      break;
    case EqType::Fenced: MeasureFenced(n, font); break;
    case EqType::Frac:
      MeasureChildren(n, font);
      MeasureFrac(n);
      break;
    case EqType::Sqrt:
      MeasureChildren(n, font);
      MeasureSqrt(n);
      break;
    case EqType::Sub:
    case EqType::Sup:
    case EqType::SubSup: MeasureScripts(n, font); break;
    case EqType::Over: MeasureOver(n, font); break;
    case EqType::Under: MeasureUnder(n, font); break;
    case EqType::UnderOver: MeasureUnderOver(n, font); break;
    case EqType::Padded:
      MeasureChildren(n, font);
      MeasurePadded(n);
      break;
    case EqType::Space:
      // A space has no content; what is written inside it is measured but not shown.
      MeasureChildren(n, font);
      n.width = n.padWidth;
      n.ascent = n.padHeight;
      break;
    case EqType::Td:
      MeasureChildren(n, font);
      MaximaOfChildren(n);
      break;
    case EqType::Tr:
      MeasureChildren(n, font);
      MeasureRowOfCells(n);
      break;
    case EqType::Table:
      MeasureChildren(n, font);
      MeasureTable(n);
      break;
    default:  // tokens, measured above
      break;
  }
  n.width = std::max(0, n.width);
  n.ascent = std::max(0, n.ascent);
  n.descent = std::max(0, n.descent);
}

void Layout::MeasureChildren(EqNode& n, Font font) {
  for (auto& c : n.children) Measure(*c, font.size, font.flags);
}

void Layout::MaximaOfChildren(EqNode& n) {
  for (auto& c : n.children) {
    n.width = std::max(n.width, c->width);
    n.ascent = std::max(n.ascent, c->ascent);
    n.descent = std::max(n.descent, c->descent);
  }
}

void Layout::MeasureToken(EqNode& n, Font font) {
  MeasureChildren(n, font);
  const EquationFonts::Entry& f = m_fonts.Get(font.size, font.flags);
  n.width = n.lspace + n.rspace + TextWidth(m_fonts, font, n.text);
  n.ascent = f.ascent;
  n.descent = f.descent;
  MaximaOfChildren(n);
}

void Layout::MeasureRow(EqNode& n) {
  for (auto& c : n.children) {
    n.width += c->width;
    n.ascent = std::max(n.ascent, c->ascent);
  }
  // Children are centred on the ascent; what hangs below the baseline is the part of
  // a child's descent its offset does not take up.
  for (auto& c : n.children) {
    const int offset = (n.ascent - c->ascent) / 2;
    if (c->descent > offset) n.descent = std::max(n.descent, c->descent - offset);
  }
}

void Layout::MeasureFenced(EqNode& n, Font font) {
  MeasureChildren(n, font);
  const EquationFonts::Entry& f = m_fonts.Get(font.size, font.flags);
  const int separator = TextWidth(m_fonts, font, n.separators);
  for (std::size_t i = 0; i < n.children.size(); ++i) {
    const EqNode& c = *n.children[i];
    if (i > 0) n.width += separator;
    n.width += c.width;
    n.ascent = std::max(n.ascent, c.ascent);
    n.descent = std::max(n.descent, c.descent);
  }
  if (n.children.size() > 1 && !n.separators.empty()) n.descent = std::max(n.descent, f.descent);
  n.fenceSize = ClampSize(n.ascent);
  if (!n.open.empty() || !n.close.empty()) {
    const Font fence{n.fenceSize, font.flags};
    n.width += TextWidth(m_fonts, fence, n.open) + TextWidth(m_fonts, fence, n.close);
    n.descent = std::max(n.descent, m_fonts.Get(fence.size, fence.flags).descent);
  }
}

void Layout::MeasureFrac(EqNode& n) {
  const EqNode& num = *n.children[0];
  const EqNode& den = *n.children[1];
  const int gap = std::max(1, num.descent - 1);
  n.width = std::max(num.width, den.width) + 4;
  n.ascent = n.lineThickness + num.ascent + gap + den.ascent;
  n.descent = den.descent;
}

void Layout::MeasureSqrt(EqNode& n) {
  const EqNode& c = *n.children[0];
  const int f = (n.lineThickness + 3) / 2;
  const int g = TwoThirds(c.ascent) + f + 2;
  n.width = c.width + f + g;
  n.ascent = c.ascent + 2 * f;
  n.descent = std::max(2, c.descent);
}

void Layout::MeasureScripts(EqNode& n, Font font) {
  EqNode& base = *n.children[0];
  EqNode* sub = n.type == EqType::Sup ? nullptr : n.children[1].get();
  EqNode* sup = n.type == EqType::Sub ? nullptr : n.children.back().get();
  Measure(base, font.size, font.flags);
  // Scripts inherit two thirds of the size; their own increments apply to that, an
  // absolute size of their own replaces it.
  const int scriptSize = ClampSize(TwoThirds(font.size));
  if (sub) Measure(*sub, scriptSize, font.flags);
  if (sup) Measure(*sup, scriptSize, font.flags);
  n.width = base.width;
  if (sub) n.width = std::max(n.width, sub->width + base.width + 1);
  if (sup) n.width = std::max(n.width, sup->width + base.width + 1);
  n.ascent = base.ascent;
  if (sup) n.ascent = std::max(base.ascent + base.ascent / 3, sup->ascent);
  n.descent = base.descent;
  if (sub) n.descent = std::max(n.descent, sub->descent + sub->ascent + TwoThirds(base.ascent) - n.ascent);
}

void Layout::MeasureOver(EqNode& n, Font font) {
  if (n.mark == EqNode::Mark::None && n.children.size() == 2) {
    const EqNode& second = *n.children[1];
    if (MarkerText(second, '^'))
      n.mark = EqNode::Mark::Hat;
    else if (MarkerText(second, '_'))
      n.mark = EqNode::Mark::Bar;
    if (n.mark != EqNode::Mark::None) n.children.pop_back();
  }
  MeasureChildren(n, font);
  MaximaOfChildren(n);
}

void Layout::MeasureUnder(EqNode& n, Font font) {
  if (n.mark == EqNode::Mark::None && n.children.size() == 2 && MarkerText(*n.children[1], '\xA4')) {
    n.mark = EqNode::Mark::Brace;
    n.children.pop_back();
  }
  MeasureChildren(n, font);
  MaximaOfChildren(n);
  const int t = std::clamp(n.width / 12, 1, 4);
  const int h = 2 * t + 5 + (n.accentUnder == 0 ? t : 0);
  n.ascent += h;
  n.descent = std::max(0, n.descent - h);
}

void Layout::MeasureUnderOver(EqNode& n, Font font) {
  EqNode& base = *n.children[0];
  EqNode& under = *n.children[1];
  EqNode& over = *n.children[2];
  Measure(base, font.size, font.flags);
  const int scriptSize = ClampSize(TwoThirds(font.size));
  Measure(under, scriptSize, font.flags);
  Measure(over, scriptSize, font.flags);
  n.width = base.width + std::max(under.width, over.width);
  n.ascent = std::max(base.ascent, under.ascent + over.ascent + 2);
  n.descent = std::max(under.descent, base.descent - (n.ascent - base.ascent) / 2);
}

void Layout::MeasurePadded(EqNode& n) {
  MaximaOfChildren(n);
  n.width += n.padLspace;
  n.width = n.widthRelative ? n.width + n.padWidth : std::max(n.width, n.padWidth);
  n.ascent = n.heightRelative ? n.ascent + n.padHeight : std::max(n.ascent, n.padHeight);
  if (n.depthRelative)
    n.ascent += n.padDepth;
  else if (n.depthSet)
    n.descent = std::max(n.descent, n.padDepth);
}

void Layout::MeasureRowOfCells(EqNode& n) {
  n.columnWidths.clear();
  for (auto& c : n.children) n.columnWidths.push_back(c->width);
  MaximaOfChildren(n);
  n.width = 0;
  for (int w : n.columnWidths) n.width += w;
}

void Layout::MeasureTable(EqNode& n) {
  std::vector<int>& columns = n.columnWidths;
  columns.clear();
  int tallest = 0;
  for (auto& c : n.children) {
    if (c->type == EqType::Tr) {
      if (columns.size() < c->columnWidths.size()) columns.resize(c->columnWidths.size(), 0);
      for (std::size_t i = 0; i < c->columnWidths.size(); ++i) columns[i] = std::max(columns[i], c->columnWidths[i]);
    } else {
      if (columns.empty()) columns.push_back(0);
      columns[0] = std::max(columns[0], c->width);
    }
    n.ascent += c->ascent;
    tallest = std::max(tallest, c->ascent);
  }
  if (!n.children.empty()) n.descent = n.children.back()->descent;
  if (n.equalRows) n.ascent = tallest * static_cast<int>(n.children.size());
  if (n.equalColumns && !columns.empty()) {
    const int widest = *std::max_element(columns.begin(), columns.end());
    std::fill(columns.begin(), columns.end(), widest);
  }
  for (int w : columns) n.width += w;
}

// ---- placing ----

void Layout::Place(EqNode& n, int x, int y) {
  n.x = x;
  n.y = y;
  if (Plain(n)) {
    for (auto& c : n.children) Place(*c, x, y);
    return;
  }
  switch (n.type) {
    case EqType::Math:
    case EqType::Row: {
      int at = x;
      for (auto& c : n.children) {
        Place(*c, at, y + (n.ascent - c->ascent) / 2);
        at += c->width;
      }
      break;
    }
    case EqType::Fenced: {
      const Font fence{n.fenceSize, n.flags};
      int at = x + TextWidth(m_fonts, fence, n.open);
      const int separator = TextWidth(m_fonts, {n.size, n.flags}, n.separators);
      for (std::size_t i = 0; i < n.children.size(); ++i) {
        EqNode& c = *n.children[i];
        if (i > 0) at += separator;
        Place(c, at, y + n.ascent - c.ascent);
        at += c.width;
      }
      break;
    }
    case EqType::Frac: {
      EqNode& num = *n.children[0];
      EqNode& den = *n.children[1];
      const int gap = std::max(1, num.descent - 1);
      Place(num, x + (n.width - num.width) / 2, y);
      Place(den, x + (n.width - den.width) / 2, y + gap + num.ascent + n.lineThickness);
      break;
    }
    case EqType::Sqrt: {
      const EqNode& c = *n.children[0];
      const int f = (n.lineThickness + 3) / 2;
      const int g = TwoThirds(c.ascent) + f + 2;
      Place(*n.children[0], x + g, y + f);
      break;
    }
    case EqType::Sub:
    case EqType::Sup:
    case EqType::SubSup: {
      EqNode& base = *n.children[0];
      EqNode* sub = n.type == EqType::Sup ? nullptr : n.children[1].get();
      EqNode* sup = n.type == EqType::Sub ? nullptr : n.children.back().get();
      const int shift = sup ? base.ascent / 3 : 0;
      Place(base, x, y + shift);
      if (sub) Place(*sub, x + base.width, y + shift + TwoThirds(base.ascent));
      if (sup) Place(*sup, x + base.width, y);
      break;
    }
    case EqType::Over:
      for (auto& c : n.children) Place(*c, x + (n.width - c->width) / 2, y + n.ascent - c->ascent);
      break;
    case EqType::Under: {
      const int t = std::clamp(n.width / 12, 1, 4);
      const int h = 2 * t + 5 + (n.accentUnder == 0 ? t : 0);
      for (auto& c : n.children) Place(*c, x + (n.width - c->width) / 2, y + n.ascent - h - c->ascent);
      break;
    }
    case EqType::UnderOver: {
      EqNode& base = *n.children[0];
      EqNode& under = *n.children[1];
      EqNode& over = *n.children[2];
      Place(base, x, y + (n.ascent - base.ascent) / 2);
      Place(over, x + base.width, y);
      Place(under, x + base.width, y + n.ascent - under.ascent);
      break;
    }
    case EqType::Padded:
      for (auto& c : n.children) {
        const int top = n.depthRelative ? y + n.ascent + n.padDepth - c->ascent : y + n.ascent - n.padDepth - c->ascent;
        Place(*c, x + n.padLspace, top);
      }
      break;
    case EqType::Tr: PlaceRowOfCells(n, 1, 1); break;
    case EqType::Table: PlaceTable(n); break;
    default:  // tokens and cells: children at the element's own corner
      for (auto& c : n.children) Place(*c, x, y);
      break;
  }
}

void Layout::PlaceRowOfCells(EqNode& row, int rowAlignDefault, int columnAlignDefault) {
  const int rowAlign = row.rowAlign != kAlignUnset ? row.rowAlign : rowAlignDefault;
  const int columnAlign = row.columnAlign != kAlignUnset ? row.columnAlign : columnAlignDefault;
  int start = row.x;
  for (std::size_t i = 0; i < row.children.size(); ++i) {
    EqNode& cell = *row.children[i];
    const int column = i < row.columnWidths.size() ? row.columnWidths[i] : cell.width;
    const int a = cell.columnAlign != kAlignUnset ? cell.columnAlign : columnAlign;
    const int v = cell.rowAlign != kAlignUnset ? cell.rowAlign : rowAlign;
    Place(cell, start + a * (column - cell.width) / 2, row.y + v * (row.ascent - cell.ascent) / 2);
    start += column;
  }
}

void Layout::PlaceTable(EqNode& n) {
  int tallest = 0;
  for (auto& c : n.children) tallest = std::max(tallest, c->ascent);
  int top = n.y;
  for (auto& c : n.children) {
    if (c->type == EqType::Tr) {
      // The row takes the table's columns.
      c->columnWidths = n.columnWidths;
      c->width = 0;
      for (int w : c->columnWidths) c->width += w;
      c->x = n.x;
      c->y = top;
      PlaceRowOfCells(*c, 1, 1);
    } else {
      Place(*c, n.x, top);
    }
    top += n.equalRows ? tallest : c->ascent;
  }
}

// ---- drawing ----

class Painter {
 public:
  Painter(QPainter& p, EquationFonts& fonts) : m_p(p), m_fonts(fonts) {}
  void Draw(const EqNode& n);

 private:
  void Text(Font font, int x, int y, std::string_view bytes);
  void Line(QPoint a, QPoint b, int width);
  void DrawMarks(const EqNode& n);
  void DrawBrace(const EqNode& n);

  QPainter& m_p;
  EquationFonts& m_fonts;
};

void Painter::Text(Font font, int x, int y, std::string_view bytes) {
  if (bytes.empty()) return;
  const EquationFonts::Entry& f = m_fonts.Get(font.size, font.flags);
  m_p.setFont(f.font);
  m_p.drawText(QPoint(x, y + f.ascent), Display(bytes, font.flags));
}

void Painter::Line(QPoint a, QPoint b, int width) {
  m_p.save();
  m_p.setPen(QPen(QColor(0, 0, 0), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  m_p.drawLine(a, b);
  m_p.restore();
}

void Painter::Draw(const EqNode& n) {
  const bool coloured = n.style.colourSet;
  if (coloured) {
    m_p.save();
    m_p.setPen(QColor(n.style.colour));
  }
  const Font font{n.size, n.flags};
  for (const auto& c : n.children)
    if (n.type != EqType::Space) Draw(*c);
  if (!Plain(n)) {
    if (IsEqToken(n.type)) Text(font, n.x + n.lspace, n.y, n.text);
    switch (n.type) {
      case EqType::Fenced: {
        const Font fence{n.fenceSize, n.flags};
        Text(fence, n.x, n.y, n.open);
        Text(fence, n.x + n.width - TextWidth(m_fonts, fence, n.close), n.y, n.close);
        if (n.separators.empty()) break;
        const int top = n.y + n.ascent - m_fonts.Get(font.size, font.flags).ascent;
        for (std::size_t i = 0; i + 1 < n.children.size(); ++i) {
          const EqNode& c = *n.children[i];
          Text(font, c.x + c.width, top, n.separators);
        }
        break;
      }
      case EqType::Frac:
        if (n.lineThickness > 0) {
          const EqNode& num = *n.children[0];
          const int gap = std::max(1, num.descent - 1);
          m_p.fillRect(QRect(n.x, n.y + gap + num.ascent, n.width, n.lineThickness), QColor(0, 0, 0));
        }
        break;
      case EqType::Sqrt: {
        const int e = n.children[0]->ascent;
        const QPoint points[] = {{n.x, n.y + e / 2},
                                 {n.x + e / 15 + 1, n.y + e / 2 - e / 12},
                                 {n.x + e / 3, n.y + n.ascent + 1},
                                 {n.x + TwoThirds(e), n.y},
                                 {n.x + n.width, n.y}};
        m_p.save();
        m_p.setPen(QPen(QColor(0, 0, 0), n.lineThickness, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        m_p.drawPolyline(points, 5);
        m_p.restore();
        break;
      }
      case EqType::Over: DrawMarks(n); break;
      case EqType::Under:
        if (n.mark == EqNode::Mark::Brace) DrawBrace(n);
        break;
      default: break;
    }
  }
  if (coloured) m_p.restore();
}

void Painter::DrawMarks(const EqNode& n) {
  if (n.mark != EqNode::Mark::Bar && n.mark != EqNode::Mark::Hat) return;
  // A bar or hat sits closer over a capital. The element's own text decides, or the
  // text of what it covers when it has none.
  const std::string& own = n.text.empty() && !n.children.empty() ? n.children[0]->text : n.text;
  const bool capital = !own.empty() && own[0] >= 'A' && own[0] <= 'Z';
  const int size = n.size;
  const int d = size == 9 ? n.y - 1 : n.y;
  if (n.mark == EqNode::Mark::Bar) {
    const int at = capital ? d : d + size / 6;
    Line({n.x, at}, {n.x + n.width, at}, 1);
    return;
  }
  const int f = capital ? 0 : size / 10;
  const int e = d + size / 7 + f;
  const int repeats = size / 7 >= 2 ? 2 : 1;
  for (int r = 0; r < repeats; ++r) {
    Line({n.x, e - r}, {n.x + n.width / 2, d + f - r}, 1);
    Line({n.x + n.width / 2, d + f - r}, {n.x + n.width, e - r}, 1);
  }
}

void Painter::DrawBrace(const EqNode& n) {
  const int t = std::clamp(n.width / 12, 1, 4);
  const int h = 2 * t + 5 + (n.accentUnder == 0 ? t : 0);
  const int b = n.y + n.ascent - h + 2 + (n.accentUnder == 0 ? t : 0);
  const int m = n.x + n.width / 2;
  const int x = n.x;
  const int w = n.width;
  const QPoint left[] = {{x, b}, {x + t, b + t}, {m - t, b + t}, {m, b + 2 * t}};
  const QPoint right[] = {{x + w - 1, b}, {x + w - t - 1, b + t}, {m + t, b + t}, {m, b + 2 * t}};
  m_p.save();
  m_p.setPen(QPen(QColor(0, 0, 0), 1));
  m_p.drawPolyline(left, 4);
  m_p.drawPolyline(right, 4);
  m_p.restore();
}

void ListNode(const EqNode& n, int depth, std::string& out) {
  out += std::to_string(depth);
  out += ' ';
  out += n.name.empty() ? std::string(EqTypeName(n.type)) : n.name;
  for (int v : {n.x, n.y, n.width, n.ascent, n.descent, n.size, static_cast<int>(n.flags)}) {
    out += ' ';
    out += std::to_string(v);
  }
  out += " \"";
  const QString shown = Display(n.text, IsEqToken(n.type) ? n.flags : 0);
  out += shown.toStdString();
  out += "\"\n";
  for (const auto& c : n.children) ListNode(*c, depth + 1, out);
}

}  // namespace

const EquationFonts::Entry& EquationFonts::Get(int size, std::uint32_t flags) {
  size = ClampSize(size);
  const std::uint32_t f = flags & (kStyleFlags | kEqSerif);
  const std::uint32_t key = (static_cast<std::uint32_t>(size) << 8) | f;
  auto it = m_fonts.find(key);
  if (it != m_fonts.end()) return *it->second;
  FontDescription d;
  d.size = size;
  d.flags = f;
  QFont font = CreateFont(d, 96);
  QFontMetrics metrics(font);
  const int ascent = metrics.ascent();
  const int descent = metrics.descent();
  auto entry = std::make_unique<Entry>(Entry{std::move(font), std::move(metrics), ascent, descent});
  return *m_fonts.emplace(key, std::move(entry)).first->second;
}

QString EqDisplayText(const EqNode& node) { return Display(node.text, node.flags); }

void LayoutEquation(EqNode& root, int size, std::uint32_t flags, EquationFonts& fonts) {
  Layout layout(fonts);
  layout.Measure(root, size, flags);
  layout.Place(root, 0, 0);
}

void PaintEquation(const EqNode& root, QPainter& painter, EquationFonts& fonts) {
  Painter p(painter, fonts);
  p.Draw(root);
}

std::unique_ptr<QPicture> RenderEquation(EqNode& root, int size, std::uint32_t flags, EquationFonts& fonts) {
  LayoutEquation(root, size, flags, fonts);
  const int height = root.ascent + root.descent;
  if (root.width <= 0 || height <= 0) return nullptr;
  auto picture = std::make_unique<QPicture>();
  {
    QPainter painter(picture.get());
    painter.setPen(QColor(0, 0, 0));
    // Text is drawn over whatever lies behind the equation.
    painter.setBackgroundMode(Qt::TransparentMode);
    PaintEquation(root, painter, fonts);
  }
  picture->setBoundingRect(QRect(0, 0, root.width, height));
  return picture;
}

std::unique_ptr<QPicture> RenderEquation(std::string_view markup, int size, std::uint32_t flags) {
  static EquationFonts fonts;
  std::unique_ptr<EqNode> root = BuildEquation(markup);
  if (!root) return nullptr;
  return RenderEquation(*root, size, flags, fonts);
}

std::string EquationListing(const EqNode& root) {
  std::string out;
  ListNode(root, 0, out);
  return out;
}
