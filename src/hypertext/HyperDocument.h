// What a hypertext view shows, without the window: the source text, the
// paragraphs of its first pass, their layout for a client size, painting into
// any QPainter, defined-term hit testing, and the text the learner copies.
// CHyperView owns one and turns events into calls on it.
//
// Layout (pixels): the text of a paragraph runs from indent + 4 to the client
// width - indent - 4 (less 20 for the scroll bar), its first line 2 below the
// paragraph's top; a heading draws a two-pixel rule and starts its text 4
// lower; a picture is centred below the text. A paragraph's height is its text
// height + its picture's height + 8, + 4 for headings. When the paragraphs are
// taller than the client, the scroll bar is shown and the layout repeated for
// the narrower width.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QFont>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hypertext/HyperFirstPass.h"
#include "hypertext/HyperParagraph.h"
#include "hypertext/ParagraphLayout.h"

class QPainter;

// A defined term under the pointer.
struct HyperTermHit {
  int paragraph = -1;
  int term = -1;
  QRect rect;        // content coordinates
  std::string text;  // the term as drawn (course bytes)
};

class HyperDocument {
 public:
  static constexpr int kInset = 4;
  static constexpr int kTopGap = 2;
  static constexpr int kScrollBarWidth = 20;
  static constexpr int kParagraphGap = 8;
  static constexpr int kHeadingRule = 4;
  static constexpr int kHeadingSizeStep = 2;  // points above body text

  HyperDocument();
  HyperDocument(const HyperDocument&) = delete;
  HyperDocument& operator=(const HyperDocument&) = delete;

  void SetStyle(const HyperStyle& style);
  const HyperStyle& style() const { return m_style; }
  void SetLinks(HyperSourceLinks links) { m_links = std::move(links); }
  void SetButtonFont(const QFont& font) { m_buttonFont = font; }

  // Discards the paragraphs and buttons, copies the source and runs the first
  // pass. skipResources: the source is a resource container whose text starts
  // at its header's text offset and whose picture entries "img" names. A
  // container that does not parse leaves the document empty and returns false.
  // The caller lays the document out afterwards.
  bool SetText(std::span<const std::uint8_t> source, bool skipResources);
  bool SetText(std::string_view markup) {
    return SetText({reinterpret_cast<const std::uint8_t*>(markup.data()), markup.size()}, false);
  }
  // Runs the first pass again over the kept source (pictures made at the font
  // size); false as for SetText.
  bool Reload();
  void Clear();

  // Windows add their own lines before or after the text (headings, hints).
  void InsertParagraph(std::size_t index, HyperParagraph paragraph);

  // Lays every paragraph out for the client size; returns the total height.
  int Layout(int clientWidth, int clientHeight);
  // Lays paragraph index out at its top and draws it unless measureOnly (or
  // painter is null); returns its text height.
  int DrawParagraph(QPainter* painter, int index, bool measureOnly, bool scrollBarShown);
  // Paints the paragraphs meeting invalid (client coordinates) at scroll
  // position scroll, on white.
  void Paint(QPainter& painter, const QRect& invalid, int scroll);

  bool OverTerm(QPoint content) const;
  // Measures the paragraph under the point again and finds the term there.
  std::optional<HyperTermHit> HitTerm(QPoint content);
  // The context phrase of a hit term in its paragraph's markup.
  std::string TermPhrase(const HyperTermHit& hit) const;

  // Every paragraph's text followed by CR LF, in UTF-8.
  std::string CopyAsText() const;

  const std::string& title() const { return m_content.title; }
  const std::string& nameDirective() const { return m_content.nameDirective; }
  const std::string& pageDirective() const { return m_content.pageDirective; }
  const std::vector<HyperSourceButton>& sourceButtons() const { return m_content.buttons; }
  bool sizeDependentPictures() const { return m_content.sizeDependentPictures; }
  const std::vector<HyperParagraph>& paragraphs() const { return m_content.paragraphs; }
  std::vector<HyperParagraph>& paragraphs() { return m_content.paragraphs; }

  int totalHeight() const { return m_totalHeight; }
  bool scrollBarShown() const { return m_scrollBarShown; }
  int clientWidth() const { return m_clientWidth; }
  int clientHeight() const { return m_clientHeight; }
  // The text area's width for the current layout.
  int textAreaWidth() const { return m_clientWidth - (m_scrollBarShown ? kScrollBarWidth : 0); }

  // The font of body text and of headings.
  FontDescription BodyFont(bool heading) const;

  // Every text piece the next layouts place (null: none); for checks.
  void SetTrace(std::vector<PlacedRun>* trace) { m_layout.SetTrace(trace); }

 private:
  int Stack(bool scrollBarShown);

  HyperStyle m_style;
  std::string m_lessonFace;  // the installed face of the style's face list
  HyperSourceLinks m_links;
  QFont m_buttonFont;
  std::vector<std::uint8_t> m_source;
  bool m_skipResources = false;
  HyperContent m_content;
  LayoutFonts m_fonts;
  ParagraphLayout m_layout;
  int m_clientWidth = 0;
  int m_clientHeight = 0;
  int m_totalHeight = 0;
  bool m_scrollBarShown = false;
};

// Draws a pressed term: its rectangle and the rectangle one pixel inside it
// inverted, which leaves a one-pixel inverted frame.
void PaintPressedTerm(QPainter& painter, const QRect& rect);
