// The layout of a page paragraph's text: the hypertext layout, with what a Lesson Book
// page adds to it:
//   - "a" elements (their text already taken out, PageMarkup.h): in front of an asterisk
//     note, each attribute whose name begins with "n" and names a note of an included
//     source puts an asterisk marker at the pen, a square one line high, and moves the
//     pen past it (at most 4 markers per paragraph);
//   - "o" and "u" switch numbered and bulleted lists on and off; a list item starts a
//     new line and writes "%2d.  " with a running number, or the bullet, and nothing
//     outside a list.
#pragma once

#include <cstdint>
#include <vector>

#include "hypertext/ParagraphLayout.h"
#include "lessonbook/PageParagraph.h"

class AsteriskSourceList;

class PageTextLayout : public ParagraphLayout {
 public:
  PageTextLayout(const HyperStyle& style, LayoutFonts& fonts) : ParagraphLayout(style, fonts), m_style(style), m_fonts(fonts) {}

  // The asterisk sources and the learner's exclusions (bit i excludes source i); with no
  // list no marker is made.
  void SetAsteriskSources(const AsteriskSourceList* sources, std::uint16_t excluded) {
    m_sources = sources;
    m_excluded = excluded;
  }

  // As ParagraphLayout::Run; markers (when not null) receives the markers of a measure
  // pass, in content coordinates, already moved with their centred lines.
  int RunText(HyperParagraph& p, const FontDescription& base, int left, int right, int top, bool measure,
              QPainter* painter, std::vector<AsteriskMarker>* markers);

 protected:
  void OtherTag(const MarkupEvent& event) override;

 private:
  void Anchor(const MarkupEvent& event);
  void ListItem();

  const HyperStyle& m_style;
  LayoutFonts& m_fonts;
  const AsteriskSourceList* m_sources = nullptr;
  std::uint16_t m_excluded = 0;

  std::vector<AsteriskMarker>* m_markers = nullptr;
  std::vector<int> m_markerTops;  // line top of each marker, to find its line afterwards
  std::size_t m_markerCount = 0;
  enum class List { None, Numbered, Bulleted } m_list = List::None;
  int m_counter = 0;
};
