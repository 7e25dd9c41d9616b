#include "hypertext/HyperDocument.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>

#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "hypertext/MarkupText.h"

HyperDocument::HyperDocument() : m_layout(m_style, m_fonts) {
  if (QGuiApplication::instance()) m_buttonFont = QGuiApplication::font();
  SetStyle(m_style);
}

void HyperDocument::SetStyle(const HyperStyle& style) {
  m_style = style;
  m_lessonFace = style.lessonFace.empty() ? std::string("Times New Roman") : FirstInstalledFace(style.lessonFace);
  m_fonts.Trim();
}

FontDescription HyperDocument::BodyFont(bool heading) const {
  FontDescription f;
  f.size = m_style.fontSize + (heading ? kHeadingSizeStep : 0);
  f.flags = kFontSerif | kFontPoints;
  f.SetFace(m_lessonFace);
  f.colour = qRgb(0, 0, 0);
  return f;
}

void HyperDocument::Clear() {
  m_source.clear();
  m_skipResources = false;
  m_content = HyperContent();
  m_totalHeight = 0;
  m_scrollBarShown = false;
}

bool HyperDocument::SetText(std::span<const std::uint8_t> source, bool skipResources) {
  Clear();
  m_source.assign(source.begin(), source.end());
  m_skipResources = skipResources;
  return Reload();
}

bool HyperDocument::Reload() {
  m_content = HyperContent();
  std::string_view text(reinterpret_cast<const char*>(m_source.data()), m_source.size());
  if (!m_skipResources) {
    m_content = RunFirstPass(text, nullptr, {}, m_links, m_buttonFont, m_style.fontSize);
    return true;
  }
  try {
    const ContainerDirectory directory = ContainerDirectory::Parse(m_source, m_source.size());
    text.remove_prefix(directory.textOffset());
    m_content = RunFirstPass(text, &directory, m_source, m_links, m_buttonFont, m_style.fontSize);
    return true;
  } catch (const CourseFileError&) {
    // Not a container: nothing is shown.
    m_source.clear();
    return false;
  }
}

void HyperDocument::InsertParagraph(std::size_t index, HyperParagraph paragraph) {
  auto& list = m_content.paragraphs;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size())), std::move(paragraph));
}

int HyperDocument::DrawParagraph(QPainter* painter, int index, bool measureOnly, bool scrollBarShown) {
  if (index < 0 || index >= static_cast<int>(m_content.paragraphs.size())) return 0;
  HyperParagraph& p = m_content.paragraphs[static_cast<std::size_t>(index)];
  const int width = m_clientWidth - (scrollBarShown ? kScrollBarWidth : 0);
  const int left = p.indent + kInset;
  const int right = std::max(left, width - p.indent - kInset);
  int top = p.top + kTopGap;
  const bool draw = painter && !measureOnly;
  if (p.heading) {
    if (draw) {
      painter->fillRect(QRect(left, top, right - left, 1), QColor(128, 128, 128));
      painter->fillRect(QRect(left, top + 1, right - left, 1), QColor(224, 224, 224));
    }
    top += kHeadingRule;
  }
  const int textHeight = m_layout.Run(p, BodyFont(p.heading), left, right, top, measureOnly, draw ? painter : nullptr);
  if (draw && p.picture && p.picture->IsLoaded()) {
    const QSize size = p.picture->Size();
    p.picture->DrawAt(*painter, QPoint(left + (right - left - size.width()) / 2, top + textHeight));
  }
  return textHeight;
}

int HyperDocument::Stack(bool scrollBarShown) {
  int y = 0;
  const int count = static_cast<int>(m_content.paragraphs.size());
  for (int i = 0; i < count; ++i) {
    HyperParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    p.top = y;
    const int textHeight = DrawParagraph(nullptr, i, true, scrollBarShown);
    const int pictureHeight = p.picture && p.picture->IsLoaded() ? p.picture->Size().height() : 0;
    p.height = textHeight + pictureHeight + kParagraphGap + (p.heading ? kHeadingRule : 0);
    y += p.height;
  }
  return y;
}

int HyperDocument::Layout(int clientWidth, int clientHeight) {
  m_clientWidth = clientWidth;
  m_clientHeight = clientHeight;
  m_fonts.Trim();
  m_scrollBarShown = false;
  m_totalHeight = Stack(false);
  if (m_totalHeight > clientHeight) {
    m_scrollBarShown = true;
    m_totalHeight = Stack(true);
  }
  return m_totalHeight;
}

void HyperDocument::Paint(QPainter& painter, const QRect& invalid, int scroll) {
  painter.fillRect(invalid, Qt::white);
  painter.save();
  painter.setBackground(Qt::white);  // the key colour of 8-bit pictures shows as this
  painter.setClipRect(invalid);
  painter.translate(0, -scroll);
  const QRect area = invalid.translated(0, scroll);
  const int count = static_cast<int>(m_content.paragraphs.size());
  for (int i = 0; i < count; ++i) {
    const HyperParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    // Fonts may reach a little above a paragraph's top (a larger first word)
    // and below its bottom, so a neighbour's strip is painted with it.
    if (p.top - kParagraphGap > area.bottom()) break;
    if (p.top + p.height + kParagraphGap <= area.top()) continue;
    DrawParagraph(&painter, i, false, m_scrollBarShown);
  }
  painter.restore();
}

bool HyperDocument::OverTerm(QPoint content) const {
  for (const HyperParagraph& p : m_content.paragraphs)
    if (p.termRegion.contains(content)) return true;
  return false;
}

std::optional<HyperTermHit> HyperDocument::HitTerm(QPoint content) {
  const int count = static_cast<int>(m_content.paragraphs.size());
  for (int i = 0; i < count; ++i) {
    HyperParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    if (!p.termRegion.contains(content)) continue;
    DrawParagraph(nullptr, i, true, m_scrollBarShown);
    for (std::size_t t = 0; t < p.terms.size(); ++t)
      if (p.terms[t].rect.contains(content))
        return HyperTermHit{i, static_cast<int>(t), p.terms[t].rect, p.terms[t].text};
  }
  return std::nullopt;
}

std::string HyperDocument::TermPhrase(const HyperTermHit& hit) const {
  if (hit.paragraph < 0 || hit.paragraph >= static_cast<int>(m_content.paragraphs.size())) return {};
  return FindTermPhrase(hit.text, m_content.paragraphs[static_cast<std::size_t>(hit.paragraph)].text);
}

std::string HyperDocument::CopyAsText() const {
  std::string out;
  for (const HyperParagraph& p : m_content.paragraphs) {
    out += MarkupToCopyText(p.text);
    out += "\r\n";
  }
  return out;
}

void PaintPressedTerm(QPainter& painter, const QRect& rect) {
  if (rect.isEmpty()) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(rect, Qt::white);
  painter.fillRect(rect.adjusted(1, 1, -1, -1), Qt::white);
  painter.restore();
}
