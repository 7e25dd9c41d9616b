#include "lessonbook/PageTextLayout.h"

#include <algorithm>
#include <cstdio>

#include "course/AsteriskSourceList.h"
#include "hypertext/MarkupTokenizer.h"
#include "lessonbook/PageMarkup.h"

int PageTextLayout::RunText(HyperParagraph& p, const FontDescription& base, int left, int right, int top,
                            bool measure, QPainter* painter, std::vector<AsteriskMarker>* markers) {
  m_markers = measure ? markers : nullptr;
  m_markerTops.clear();
  m_markerCount = 0;
  m_list = List::None;
  m_counter = 0;
  const int height = Run(p, base, left, right, top, measure, painter);
  if (m_markers && p.centred && !m_markerTops.empty()) {
    // Markers were placed before their lines' widths were known; move them with their
    // lines. A paragraph keeps one line height unless its fonts change inside it.
    const int lineHeight = std::max(1, m_fonts.Get(base, m_style.dpiY).height);
    const std::size_t first = m_markers->size() - m_markerTops.size();
    for (std::size_t i = 0; i < m_markerTops.size(); ++i) {
      const int line = std::max(0, (m_markerTops[i] - top + lineHeight / 2) / lineHeight);
      if (line < static_cast<int>(p.lineWidths.size()))
        (*m_markers)[first + i].rect.translate(std::max(0, (right - left - p.lineWidths[static_cast<std::size_t>(line)]) / 2), 0);
    }
  }
  m_markers = nullptr;
  return height;
}

void PageTextLayout::OtherTag(const MarkupEvent& e) {
  switch (e.Letter()) {
    case 'a':
      if (!e.closing) Anchor(e);
      break;
    case 'o':
      m_list = e.closing ? List::None : List::Numbered;
      m_counter = 0;
      break;
    case 'u':
      m_list = e.closing ? List::None : List::Bulleted;
      break;
    case '!':
      if (!e.closing && e.Tag() == kPageListItemTag) ListItem();
      break;
    default: break;
  }
}

void PageTextLayout::ListItem() {
  if (!atLineStart()) NewLine();
  if (m_list == List::Numbered) {
    char number[16];
    std::snprintf(number, sizeof number, "%2d.  ", ++m_counter);
    PlaceWord(number, true);
  } else if (m_list == List::Bulleted) {
    PlaceWord(" ", true);
    PushFont();
    FontDescription symbol = font();
    symbol.flags |= kFontSymbol;
    symbol.SetFace({});
    SwitchFont(symbol);
    PlaceWord("\xB7", true);  // the Symbol font's bullet
    PopFont();
    PlaceWord("  ", true);
  }
}

void PageTextLayout::Anchor(const MarkupEvent& e) {
  if (!m_sources) return;
  for (int i = 0; i < e.attributeCount && m_markerCount < PageParagraph::kMarkerLimit; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    if (a.Letter() != 'n' || !m_sources->IsIncluded(a.Value(), m_excluded)) continue;
    // The pen moves by a square one line high: a run of no-break spaces at least that
    // wide, which wraps to the next line like a word.
    LayoutFonts::Entry& entry = m_fonts.Get(font(), m_style.dpiY);
    const int side = std::max(1, entry.height);
    const int nbsp = std::max(1, entry.Width("\xA0"));
    const std::string run(static_cast<std::size_t>((side + nbsp - 1) / nbsp), '\xA0');
    PlaceWord(run, true);
    ++m_markerCount;
    if (!m_markers) continue;
    AsteriskMarker marker;
    marker.source = m_sources->IndexOf(a.Value());
    marker.rect = QRect(penX() - entry.Width(run), lineTop(), side, side);
    // The note of this marker first, then the anchor's other notes in their order.
    marker.files.emplace_back(a.Value());
    for (int j = 0; j < e.attributeCount; ++j)
      if (j != i && e.attributes[j].Letter() == 'n') marker.files.emplace_back(e.attributes[j].Value());
    m_markers->push_back(std::move(marker));
    m_markerTops.push_back(lineTop());
  }
}
