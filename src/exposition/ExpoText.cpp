// Text objects: a paragraph of course markup drawn in the object's font.
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <algorithm>

#include "course/AsciiCase.h"
#include "course/CourseText.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/Keywords.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

constexpr std::uint32_t kFaceBits = kFontSerif | kFontSymbol | kFontFixed | kFontCode;
constexpr int kMarginMax = 1000;

// Sets a face by the word `face` takes; false when the word names a face list instead.
bool ApplyFaceWord(FontDescription& text, const std::string& word) {
  const std::string w = ToAsciiLower(word);
  std::uint32_t bits = 0;
  if (w == "code") {
    bits = kFontFixed | kFontCode;
  } else if (w == "fixed") {
    bits = kFontFixed;
  } else if (w == "serif") {
    bits = kFontSerif;
  } else if (w == "symbol") {
    bits = kFontSymbol;
  } else if (w != "sans" && w != "sansserif" && w != "plain") {
    return false;
  }
  text.flags = (text.flags & ~kFaceBits) | bits;
  text.SetFace({});
  return true;
}

}  // namespace

void CExpoText::SetAttribute(int code, ScriptValue& value) {
  std::string word;
  std::int32_t i = 0;
  bool on = false;
  switch (code) {
    case 0: {
      if (!ArgText(value, word)) return;
      bool symbol = false;
      m_textBytes = MacRomanDisplayText(word.substr(0, kTextLimit), &symbol);
      if (symbol) m_text.flags |= kFontSymbol;
      return;
    }
    case kw::bar:
      if (ArgFlag(value, on)) m_bar = on;
      return;
    case kw::head:
      if (ArgFlag(value, on)) m_head = on;
      return;
    case kw::wrap:
      if (ArgFlag(value, on)) m_wrap = on;
      return;
    case kw::bullet:
      if (ArgFlag(value, on)) m_bullet = on;
      return;
    case kw::face: {
      if (!ArgText(value, word)) return;
      if (ApplyFaceWord(m_text, word)) {
        const std::string w = ToAsciiLower(word);
        if (w == "code" || w == "plain") ApplyFaceWord(m_scene->text, word);
      } else {
        m_text.SetFace(word);
      }
      return;
    }
    case kw::margin:
      if (ArgInteger(value, i)) m_margin = std::clamp(i, 0, kMarginMax);
      return;
    case kw::size:
      if (value.is(ScriptKind::Integer) || value.is(ScriptKind::Real)) {
        if (!ArgInteger(value, i) || i <= 0) return;
        m_text.size = m_scene->text.size = std::min(i, 399);
        return;
      }
      CExpoObject::SetAttribute(code, value);
      return;
    case kw::style: {
      if (!ArgText(value, word)) return;
      const std::string w = ToAsciiLower(word);
      std::uint32_t bit = 0;
      if (w == "bold") bit = kFontBold;
      if (w == "italic") bit = kFontItalic;
      if (w == "underline") bit = kFontUnderline;
      if (bit) {
        m_text.flags |= bit;
        m_scene->text.flags |= bit;
      } else if (w == "plain") {
        m_text.flags &= ~(kFontBold | kFontItalic | kFontUnderline);
        m_scene->text.flags &= ~(kFontBold | kFontItalic | kFontUnderline);
      }
      return;
    }
    case kw::subscript:
    case kw::superscript:
      if (!ArgFlag(value, on) || !on) return;
      m_shift = code == kw::subscript ? 1 : -1;
      m_text.size = std::max(1, m_text.size * 2 / 3);
      return;
    default:
      CExpoObject::SetAttribute(code, value);
  }
}

bool CExpoText::FinishConfigure() {
  Layout();
  m_scene->pen = m_hasBreak ? QPoint(m_scene->pen.x(), m_rect.bottom) : QPoint(m_rect.right, m_rect.top);
  return true;
}

void CExpoText::Layout() {
  const QFont font = ExpoFont(m_text);
  const QFontMetrics fm(font);
  const CourseEncoding encoding = FontEncoding(m_text);
  std::string bytes = m_textBytes;
  if (m_bullet) bytes = std::string("\x95 ") + bytes;
  // A line feed (a pilcrow in the source) breaks the line; the markup reader would
  // read it as a blank.
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 4))
    bytes.replace(at, 1, "<br>");

  // Lines as the markup breaks them; words keep their trailing blank.
  std::vector<std::vector<QString>> paragraphs(1);
  QString word;
  m_hasBreak = false;
  auto flush = [&] {
    if (!word.isEmpty()) paragraphs.back().push_back(word);
    word.clear();
  };
  Tokenize(std::string_view(bytes), [&](MarkupEvent& e) {
    word += QString::fromStdString(CourseToUtf8(e.Text(), encoding));
    e.ConsumeText();
    if (e.IsWordBoundary()) {
      flush();
    } else if (e.IsLineEnd()) {
      word += QLatin1Char(' ');
      flush();
    } else if (e.IsTag() && (e.Tag() == "br" || e.Tag() == "p")) {
      flush();
      m_hasBreak = true;
      paragraphs.emplace_back();
    }
  });
  flush();
  // A break at the very end ends the paragraph; it adds no empty line.
  if (paragraphs.size() > 1 && paragraphs.back().empty()) paragraphs.pop_back();

  const int limit = std::max(1, m_scene->area.width() - m_margin);
  m_lines.clear();
  for (const auto& words : paragraphs) {
    QString line;
    for (const QString& w : words) {
      if (m_wrap && !line.isEmpty() && fm.horizontalAdvance((line + w).trimmed()) > limit) {
        m_lines.push_back(line.trimmed());
        line.clear();
      }
      line += w;
    }
    m_lines.push_back(m_wrap ? line.trimmed() : line);
  }
  int widest = 0;
  for (const QString& l : m_lines) widest = std::max(widest, fm.horizontalAdvance(l));
  m_rect.right = m_rect.left + widest;
  m_rect.bottom = m_rect.top + int(m_lines.size()) * fm.height();
}

void CExpoText::Paint(QPainter& p, const ExpoPaint& paint) const {
  if (m_lines.empty()) return;
  const QFont font = ExpoFont(m_text);
  const QFontMetrics fm(font);
  p.save();
  p.setFont(font);
  p.setPen(QColor(paint.colour));
  // Sub- and superscripts move by a third and two thirds of the ascent.
  const int shift = m_shift > 0 ? fm.ascent() / 3 : m_shift < 0 ? -(fm.ascent() * 2 / 3) : 0;
  const double shown = 1.0 - std::clamp(paint.grow, 0.0, 1.0);
  if (shown < 1) p.setClipRect(QRect(m_rect.left, m_rect.top, m_rect.width(), int(m_rect.height() * shown)),
                               Qt::IntersectClip);
  int y = m_rect.top + fm.ascent() + shift;
  for (const QString& line : m_lines) {
    p.drawText(QPoint(m_rect.left, y), line);
    y += fm.height();
  }
  p.restore();
}

void CExpoText::SetTextAttributes(const FontDescription& text) {
  Invalidate();
  const bool relayout = text.size != m_text.size || text.flags != m_text.flags || text.Face() != m_text.Face();
  const std::uint32_t symbol = m_text.flags & kFontSymbol;
  m_text = text;
  m_text.flags |= symbol;  // a text with Symbol characters stays in that face
  if (relayout) Layout();
  Invalidate();
}

bool CExpoText::AppendText(std::string_view bytes) {
  if (m_textBytes.size() + bytes.size() > kTextLimit) return false;
  bool symbol = false;
  m_textBytes += MacRomanDisplayText(bytes, &symbol);
  if (symbol) m_text.flags |= kFontSymbol;
  Invalidate();
  Layout();
  Invalidate();
  return true;
}

void CExpoText::AppendHint(std::string_view hint) {
  m_hint += hint;
  if (m_hint.size() > kTextLimit) m_hint.resize(kTextLimit);
}

bool CExpoText::Clickable() const { return !m_hint.empty() && CExpoObject::Clickable(); }

bool CExpoText::MouseDown(QPoint p) {
  if (!Clickable() || !m_rect.Contains(p)) return false;
  m_pressed = true;
  return true;
}

ExpoMouseResult CExpoText::MouseUp(QPoint p) {
  if (!m_pressed) return {};
  m_pressed = false;
  if (!m_rect.Contains(p)) return {};
  return {ExpoMouseResult::ShowHint, m_hint};
}

int CExpoText::Cursor() const {
  if (!Clickable()) return 0;
  return m_pressed ? kPressedHandCursor : kPointingHandCursor;
}

void CExpoText::WriteSnapshot(QJsonObject& out) const {
  QStringList lines(m_lines.begin(), m_lines.end());
  out["lines"] = QJsonValue::fromVariant(lines);
  if (!m_hint.empty()) out["hint"] = QString::fromStdString(CourseToUtf8(m_hint));
  if (m_question) out["question"] = m_question;
}
