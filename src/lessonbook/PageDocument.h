// What the Lesson Book view shows, without the window: the paragraphs of one page, laid
// out on a canvas as wide as the view inside the page chrome, painted into any QPainter,
// hit-tested, selected, shrunk and copied. CPageView owns one and turns events into
// calls on it.
//
// Layout (pixels, canvas coordinates). Paragraphs stack from 12 below the top between
// the chrome's text edges (indented on both sides by their indent). A paragraph's text
// runs 4 inside its edges, its first line 2 below its top; a rule takes 4 more above.
// An activity entry that is not shrunk keeps a column of 100 at its left for its state
// mark (at 2) and its icon (at 30, with the icon's drop shadow); its title carries a
// small icon in 17 reserved pixels (the kind icon when shrunk, else the goal icon); its
// text is centred against a taller icon. Each paragraph is followed by 8; the canvas
// ends with the chrome's bottom strip, at least as low as the view.
//
// Fonts: the lesson font at FontSize points; + 2 for large paragraphs, - 1 for activity
// entries, - 2 and italic for the page-number line. Titles are bold: FontSize + 2 over
// explanations, FontSize + 1 over activities, in the format's title colour.
#pragma once

#include "course/ActivityKind.h"

#include <QtCore/QRect>
#include <QtGui/QRegion>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hypertext/ParagraphLayout.h"
#include "lessonbook/PageChrome.h"
#include "lessonbook/PageLoader.h"
#include "lessonbook/PageTextLayout.h"

class AsteriskSourceList;
class Picture;
class QPainter;

// The learner's settings the Lesson Book keeps its own copy of (taken when it opens and
// whenever the preferences change).
struct PageSettings {
  bool hideTime = false;
  int pageFormat = 0;
  std::uint16_t asterisks = 0;  // bit i excludes asterisk source i
  int fontSize = 12;            // points
  int bundledText = 0;
  friend bool operator==(const PageSettings&, const PageSettings&) = default;
};

// The course's switches for the Lesson Book (personality keys), and its fonts.
struct PageFeatures {
  bool goalIcon = true;
  bool dogEar = true;
  bool pageNumber = true;
  bool shrinkExplanation = true;  // chooses the help context only: entries shrink either way
  std::string lessonFace;                    // face list; empty: Times New Roman
  QRgb linkColour = qRgb(0x22, 0x22, 0xFF);  // defined terms
};

enum class PageElement { None, Icon, ShrinkBox, Term, Entry, Marker, Tab, DogEar };

struct PageHit {
  PageElement element = PageElement::None;
  int paragraph = -1;
  int index = -1;  // the term, marker or tab
  QRect rect;      // canvas coordinates
  std::string term;        // a term's text (course bytes)
  std::string termMarkup;  // the markup the term stands in, for its context phrase
};

// What the view adds to a paint: the element being pressed and what the pointer is over.
struct PagePaintState {
  int pressedIcon = -1;  // paragraph whose icon is pressed
  int iconDepth = 0;     // 0 raised to 6 pressed
  int hotTab = -1;
  DogEarState dogEar = DogEarState::Hidden;
  QRect pressedTerm;     // canvas coordinates; empty when none
};

class PageDocument {
 public:
  static constexpr int kPageTop = 12;
  static constexpr int kInset = 4;
  static constexpr int kTopGap = 2;
  static constexpr int kParagraphGap = 8;
  static constexpr int kRuleSpace = 4;
  static constexpr int kIconColumn = 100;
  static constexpr int kMarkLeft = 2;
  static constexpr int kIconLeft = 30;
  static constexpr int kTitleIconSpace = 17;
  static constexpr int kSmallIcon = 16;
  static constexpr int kFallbackIcon = 32;  // the kind icon drawn for an entry without its picture
  static constexpr int kBottomSpace = 16;
  static constexpr int kClockDial = 15;
  static constexpr int kMinClockMinutes = 3;

  PageDocument();
  ~PageDocument();
  PageDocument(const PageDocument&) = delete;
  PageDocument& operator=(const PageDocument&) = delete;

  // ---- what is shown ----
  void SetContent(PageContent content);
  void Clear();
  const PageContent& content() const { return m_content; }
  PageContent& content() { return m_content; }
  std::vector<PageParagraph>& paragraphs() { return m_content.paragraphs; }
  const std::vector<PageParagraph>& paragraphs() const { return m_content.paragraphs; }
  // The paragraph of an activity entry; -1 when the page has none with that index.
  int ParagraphOfActivity(int activityIndex) const;

  void SetSettings(const PageSettings& settings);
  const PageSettings& settings() const { return m_settings; }
  void SetFeatures(const PageFeatures& features);
  const PageFeatures& features() const { return m_features; }
  void SetAsteriskSources(const AsteriskSourceList* sources) { m_sources = sources; }
  // The state pictures: the personality's "Incomplete Icon" and "Checkmark Icon" when it
  // has them; null: the built-in pictures 1084 and 1011.
  void SetStatePictures(std::unique_ptr<Picture> incomplete, std::unique_ptr<Picture> completed);
  const PageChrome& chrome() const { return m_chrome; }
  int dpiY() const { return m_style.dpiY; }
  void SetDpiY(int dpiY);

  // ---- layout ----
  // Lays every paragraph out for a canvas canvasWidth wide and a view viewHeight high;
  // returns the canvas height.
  int Layout(int canvasWidth, int viewHeight);
  QSize canvasSize() const { return {m_canvasWidth, m_canvasHeight}; }
  // Lays out and draws paragraph index (at its top), or only measures it.
  int LayParagraph(QPainter* painter, int index, bool measureOnly, const PagePaintState& state);

  // ---- painting ----
  // Paints the canvas part area (canvas coordinates), for a view scrolled to scroll
  // showing viewHeight pixels.
  void Paint(QPainter& painter, const QRect& area, int scroll, int viewHeight, const PagePaintState& state);

  // ---- the learner's actions ----
  PageHit HitTest(QPoint canvas, int scroll, int viewHeight) const;
  // Selects an activity entry (with explanation: also the paragraphs above it up to the
  // previous entry); keep: the earlier selection stays. False when the page has no such entry.
  bool SelectActivity(int activityIndex, bool withExplanation, bool keep);
  void ClearSelection();
  // The rectangle the selected paragraphs cover; none without a selection.
  std::optional<QRect> SelectionRect() const;
  // Shrinks or expands the entry at paragraph index together with the explanation above
  // it (up to the previous entry). Returns the entry's new state; the caller lays out again.
  bool ToggleShrink(int paragraphIndex);
  // The paragraphs an entry shrinks with: [first, entry].
  std::pair<int, int> ExplanationRange(int entryParagraph) const;
  // The page as plain text (UTF-8): titles and texts, paragraphs separated by an empty
  // line; only the selected ones when some are selected.
  std::string CopyText() const;

 private:
  FontDescription BodyFont(const PageParagraph& p) const;
  FontDescription TitleFont(const PageParagraph& p) const;
  QSize StateMarkSize(const PageParagraph& p) const;
  void DrawStateMark(QPainter& painter, const PageParagraph& p) const;
  void DrawClock(QPainter& painter, const QRect& rect, int minutes) const;
  void DrawIcon(QPainter& painter, const PageParagraph& p, int depth) const;
  void DrawPicture(QPainter& painter, const Picture& picture, int left, int right, int top, PictureAlign align) const;
  const Picture* FallbackIcon(int kind) const;
  // The steps of laying out one paragraph.
  struct ParagraphPass;
  ParagraphPass PlaceParagraph(const PageParagraph& p, QPainter* painter, bool measureOnly) const;
  int LayRule(const ParagraphPass& pass) const;
  void PaintSelection(QPainter& ink, const PageParagraph& p, const ParagraphPass& pass) const;
  int LayTitle(PageParagraph& p, const ParagraphPass& pass);
  int LayBody(PageParagraph& p, const ParagraphPass& pass, int titleHeight);
  int LayIconColumn(PageParagraph& p, const ParagraphPass& pass, int contentHeight, int depth);

  PageContent m_content;
  PageSettings m_settings;
  PageFeatures m_features;
  const AsteriskSourceList* m_sources = nullptr;
  std::unique_ptr<Picture> m_incomplete;
  std::unique_ptr<Picture> m_completed;
  mutable std::vector<std::pair<int, std::unique_ptr<Picture>>> m_fallbackIcons;  // by kind
  PageChrome m_chrome;
  HyperStyle m_style;
  std::string m_face;  // the installed face of the lesson face list
  LayoutFonts m_fonts;
  PageTextLayout m_layout;
  int m_canvasWidth = 0;
  int m_canvasHeight = 0;
  int m_viewHeight = 0;
};

