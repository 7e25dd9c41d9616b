#include "lessonbook/PageDocument.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <array>

#include "course/ActivityKind.h"
#include "course/ResourceIds.h"
#include "hypertext/FontDescription.h"
#include "hypertext/HyperDocument.h"
#include "hypertext/Picture.h"
#include "lessonbook/PageArt.h"
#include "lessonbook/PageMarkup.h"

namespace {

// Markers of further sources repeat the first ones.
constexpr int kMarkerBitmaps = bmp::kMarkerLast - bmp::kMarkerFirst + 1;

void ShiftParagraph(HyperParagraph& p, int dy) {
  for (HyperTerm& t : p.terms) t.rect.translate(0, dy);
  p.termRegion.translate(0, dy);
}

bool IsBlank(const PageParagraph& p) {
  return !p.activity && p.text.empty() && p.title.empty() && !p.picture && !p.teacherExtension;
}

// Measuring starts afresh: the places found by the last layout go.
void ForgetPlaces(PageParagraph& p) {
  p.markers.clear();
  p.iconRect = p.markRect = p.shrinkBox = p.textRect = QRect();
  p.textOffset = 0;
}

// A paragraph that is not shown keeps no terms to hit.
void ForgetTerms(PageParagraph& p) {
  p.body.terms.clear();
  p.body.termRegion = QRegion();
  p.titleBody.terms.clear();
  p.titleBody.termRegion = QRegion();
}

}  // namespace

PageDocument::PageDocument() : m_layout(m_style, m_fonts) { SetFeatures(m_features); }

PageDocument::~PageDocument() = default;

void PageDocument::SetContent(PageContent content) {
  m_content = std::move(content);
  // An entry that starts shrunk hides its explanation with it, so that they toggle together.
  for (int i = 0; i < static_cast<int>(m_content.paragraphs.size()); ++i) {
    const PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    if (!p.activity || !p.shrunk) continue;
    const auto [first, last] = ExplanationRange(i);
    for (int j = first; j < last; ++j) m_content.paragraphs[static_cast<std::size_t>(j)].shrunk = true;
  }
}

void PageDocument::Clear() { m_content = PageContent(); }

int PageDocument::ParagraphOfActivity(int activityIndex) const {
  if (activityIndex < 0) return -1;
  for (std::size_t i = 0; i < m_content.paragraphs.size(); ++i) {
    const PageParagraph& p = m_content.paragraphs[i];
    if (p.activity && !p.teacherExtension && p.activityIndex == activityIndex) return static_cast<int>(i);
  }
  return -1;
}

void PageDocument::SetSettings(const PageSettings& settings) {
  m_settings = settings;
  m_style.fontSize = settings.fontSize;
  if (m_chrome.format() != settings.pageFormat) m_chrome = PageChrome(settings.pageFormat);
  m_fonts.Trim();
}

void PageDocument::SetFeatures(const PageFeatures& features) {
  m_features = features;
  m_style.lessonFace = features.lessonFace;
  m_style.linkColour = features.linkColour;
  m_face = features.lessonFace.empty() ? std::string("Times New Roman") : FirstInstalledFace(features.lessonFace);
}

void PageDocument::SetDpiY(int dpiY) { m_style.dpiY = dpiY > 0 ? dpiY : 96; }

void PageDocument::SetStatePictures(std::unique_ptr<Picture> incomplete, std::unique_ptr<Picture> completed) {
  m_incomplete = std::move(incomplete);
  m_completed = std::move(completed);
}

FontDescription PageDocument::BodyFont(const PageParagraph& p) const {
  FontDescription f;
  f.size = m_settings.fontSize;
  if (p.large) f.size += 2;
  if (p.activity) f.size -= 1;
  f.flags = kFontSerif | kFontPoints;
  if (p.smallItalic) {
    f.size -= 2;
    f.flags |= kFontItalic;
  }
  f.size = std::max(1, f.size);
  f.SetFace(m_face);
  f.colour = qRgb(0, 0, 0);
  return f;
}

FontDescription PageDocument::TitleFont(const PageParagraph& p) const {
  FontDescription f;
  f.size = m_settings.fontSize + (p.activity ? 1 : 2);
  f.flags = kFontSerif | kFontPoints | kFontBold;
  f.SetFace(m_face);
  f.colour = m_chrome.style().title.rgb();
  return f;
}

const Picture* PageDocument::FallbackIcon(int kind) const {
  for (const auto& [k, picture] : m_fallbackIcons)
    if (k == kind) return picture.get();
  m_fallbackIcons.emplace_back(kind, LessonArtPicture("icon", ActivityKindIcon(kind), QSize(kFallbackIcon, kFallbackIcon)));
  return m_fallbackIcons.back().second.get();
}

int PageDocument::Layout(int canvasWidth, int viewHeight) {
  m_canvasWidth = std::max(0, canvasWidth);
  m_viewHeight = std::max(0, viewHeight);
  m_fonts.Trim();
  m_layout.SetAsteriskSources(m_sources, m_settings.asterisks);
  int y = kPageTop;
  const PagePaintState none;
  for (int i = 0; i < static_cast<int>(m_content.paragraphs.size()); ++i) {
    PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    p.top = y;
    p.height = LayParagraph(nullptr, i, true, none);
    y += p.height;
  }
  m_canvasHeight = std::max(m_viewHeight, y + kBottomSpace + m_chrome.bottomHeight());
  return m_canvasHeight;
}

// Where one paragraph goes on the page in one pass, measuring or painting.
struct PageDocument::ParagraphPass {
  QPainter* ink = nullptr;  // null while measuring
  bool measure = false;
  int left = 0;             // the paragraph's column on the page, indent applied
  int right = 0;
  int textLeft = 0;         // its text, right of the icon column of an expanded entry
  int textRight = 0;
  int top = 0;              // below the rule
  int offset = 0;           // the text's shift down beside a taller icon (as measured)
  bool entry = false;       // an activity entry
  bool column = false;      // an expanded entry: the icon column beside the text
};

int PageDocument::LayParagraph(QPainter* painter, int index, bool measureOnly, const PagePaintState& state) {
  if (index < 0 || index >= static_cast<int>(m_content.paragraphs.size())) return 0;
  PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(index)];
  if (measureOnly) ForgetPlaces(p);
  const bool hidden = !p.activity && p.shrunk;
  if (hidden || IsBlank(p)) {
    if (measureOnly) ForgetTerms(p);
    return 0;
  }
  ParagraphPass pass = PlaceParagraph(p, painter, measureOnly);
  if (p.rule) pass.top += LayRule(pass);
  if (pass.ink && p.selected && p.height > 0) PaintSelection(*pass.ink, p, pass);
  const int titleHeight = LayTitle(p, pass);
  const int contentHeight = titleHeight + (p.shrunk ? 0 : LayBody(p, pass, titleHeight));
  const int depth = state.pressedIcon == index ? state.iconDepth : 0;
  const int blockHeight = pass.column ? LayIconColumn(p, pass, contentHeight, depth) : contentHeight;
  if (pass.measure) p.textRect = QRect(pass.textLeft, pass.top + p.textOffset, pass.textRight - pass.textLeft, contentHeight);
  return (pass.top - p.top) + blockHeight + kParagraphGap;
}

PageDocument::ParagraphPass PageDocument::PlaceParagraph(const PageParagraph& p, QPainter* painter, bool measureOnly) const {
  ParagraphPass pass;
  pass.measure = measureOnly;
  pass.ink = measureOnly ? nullptr : painter;
  pass.left = m_chrome.textLeft() + p.indent;
  pass.right = std::max(pass.left, m_chrome.textRight(m_canvasWidth) - p.indent);
  pass.top = p.top + kTopGap;
  pass.entry = p.activity;
  pass.column = pass.entry && !p.shrunk;
  pass.textLeft = pass.column ? pass.left + kIconColumn : pass.left + kInset;
  pass.textRight = std::max(pass.textLeft, pass.right - kInset);
  pass.offset = measureOnly ? 0 : p.textOffset;
  return pass;
}

int PageDocument::LayRule(const ParagraphPass& pass) const {
  if (pass.ink) {
    const int width = pass.right - pass.left - 2 * kInset;
    pass.ink->fillRect(QRect(pass.left + kInset, pass.top, width, 1), m_chrome.style().rule);
    pass.ink->fillRect(QRect(pass.left + kInset, pass.top + 1, width, 1), m_chrome.style().rule.lighter(165));
  }
  return kRuleSpace;
}

void PageDocument::PaintSelection(QPainter& ink, const PageParagraph& p, const ParagraphPass& pass) const {
  // The selection lies behind the text; the icon column keeps its white paper.
  const QRect band(pass.textLeft - 6, p.top, pass.right - pass.textLeft + 6, p.height - kParagraphGap / 2);
  ink.save();
  ink.setRenderHint(QPainter::Antialiasing);
  ink.setPen(QPen(m_chrome.style().selectionEdge, 1.0));
  ink.setBrush(m_chrome.style().selection);
  ink.drawRoundedRect(QRectF(band).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  ink.restore();
}

// The title line, with the entry's small icon (its kind when shrunk, the goal when
// expanded) at its left. Returns its height.
int PageDocument::LayTitle(PageParagraph& p, const ParagraphPass& pass) {
  if (p.title.empty() && !(pass.entry && p.shrunk)) return 0;
  QPainter* ink = pass.ink;
  const FontDescription titleFont = TitleFont(p);
  const int titleLeft = pass.textLeft + (pass.entry ? kTitleIconSpace : 0);
  const int lineHeight = m_fonts.Get(titleFont, m_style.dpiY).height;
  const int top = pass.top + pass.offset;
  int titleHeight = 0;
  if (!p.title.empty()) {
    titleHeight = m_layout.RunText(p.titleBody, titleFont, titleLeft, pass.textRight, top, pass.measure, ink, nullptr);
  } else {
    // A shrunk entry without a title still shows a line: its kind.
    titleHeight = lineHeight;
    if (ink) {
      LayoutFonts::Entry& f = m_fonts.Get(titleFont, m_style.dpiY);
      ink->setFont(f.font);
      ink->setPen(QColor::fromRgb(titleFont.colour));
      ink->drawText(QPoint(titleLeft, top + f.ascent), QString::fromStdString(ActivityKindName(p.kind)));
    }
  }
  if (pass.entry) {
    const QRect box(pass.textLeft, top + std::max(0, (lineHeight - kSmallIcon) / 2), kSmallIcon, kSmallIcon);
    if (pass.measure) p.shrinkBox = box;
    const int iconId = p.shrunk ? ActivityKindIcon(p.kind) : (m_features.goalIcon ? bmp::kGoal : 0);
    if (ink && iconId) {
      const QImage icon = LessonArtImage(p.shrunk ? "icon" : "bitmap", iconId, box.size(),
                                         ink->device() ? ink->device()->devicePixelRatioF() : 1.0);
      if (!icon.isNull()) ink->drawImage(box.topLeft(), icon);
    }
  }
  return titleHeight;
}

// The text below the title, its picture, and the asterisk markers in the text. Returns
// the height of text and picture.
int PageDocument::LayBody(PageParagraph& p, const ParagraphPass& pass, int titleHeight) {
  QPainter* ink = pass.ink;
  const int top = pass.top + pass.offset + titleHeight;
  const int textHeight = m_layout.RunText(p.shownBody(), BodyFont(p), pass.textLeft, pass.textRight, top, pass.measure,
                                          ink, pass.measure ? &p.markers : nullptr);
  int pictureHeight = 0;
  if (const Picture* picture = p.shownPicture(); picture && picture->IsLoaded()) {
    pictureHeight = picture->Size().height() + kInset;
    if (ink) DrawPicture(*ink, *picture, pass.textLeft, pass.textRight, top + textHeight + kInset / 2, p.align);
  }
  if (ink) {
    const qreal ratio = ink->device() ? ink->device()->devicePixelRatioF() : 1.0;
    for (const AsteriskMarker& m : p.markers) {
      const QImage image = LessonArtImage("bitmap", bmp::kMarkerFirst + std::max(0, m.source) % kMarkerBitmaps,
                                          m.rect.size(), ratio);
      if (!image.isNull()) ink->drawImage(m.rect.topLeft(), image);
    }
  }
  return textHeight + pictureHeight;
}

// The icon and completion mark of an expanded entry. Measuring centres the text on a
// taller icon (moving what was laid out with it). Returns the height of the block.
int PageDocument::LayIconColumn(PageParagraph& p, const ParagraphPass& pass, int contentHeight, int depth) {
  const Picture* icon = p.icon ? p.icon.get() : FallbackIcon(p.kind);
  const QSize iconSize = icon && icon->IsLoaded() ? icon->Size() : QSize(kFallbackIcon, kFallbackIcon);
  const int shadowHeight = iconSize.height() + 10;
  if (pass.measure) {
    p.iconRect = QRect(QPoint(pass.left + kIconLeft, pass.top), iconSize);
    if (!p.teacherExtension) {
      const QSize markSize = StateMarkSize(p);
      p.markRect = QRect(QPoint(pass.left + kMarkLeft, pass.top + (iconSize.height() - markSize.height()) / 2), markSize);
    }
    p.textOffset = std::max(0, (shadowHeight - contentHeight) / 2);
    if (p.textOffset) {
      ShiftParagraph(p.titleBody, p.textOffset);
      ShiftParagraph(p.body, p.textOffset);
      ShiftParagraph(p.altBody, p.textOffset);
      for (AsteriskMarker& m : p.markers) m.rect.translate(0, p.textOffset);
      p.shrinkBox.translate(0, p.textOffset);
    }
  }
  if (pass.ink) {
    if (!p.teacherExtension) DrawStateMark(*pass.ink, p);
    DrawIcon(*pass.ink, p, depth);
  }
  return std::max(shadowHeight, contentHeight);
}

void PageDocument::Paint(QPainter& painter, const QRect& area, int scroll, int viewHeight, const PagePaintState& state) {
  const QSize canvas = canvasSize();
  m_chrome.Paint(painter, area, canvas, scroll, viewHeight, state.hotTab, DogEarState::Hidden);
  painter.save();
  painter.setBackground(Qt::white);  // the key colour of 8-bit pictures shows as this
  painter.setClipRect(area & m_chrome.PaperRect(canvas));
  for (int i = 0; i < static_cast<int>(m_content.paragraphs.size()); ++i) {
    const PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    // Fonts reach a little past a paragraph's edges, so neighbours are drawn with it.
    if (p.top - kParagraphGap > area.bottom()) break;
    if (p.height == 0 || p.top + p.height + kParagraphGap <= area.top()) continue;
    LayParagraph(&painter, i, false, state);
  }
  if (!state.pressedTerm.isEmpty()) PaintPressedTerm(painter, state.pressedTerm);
  painter.restore();
  if (state.dogEar != DogEarState::Hidden) {
    // The ear is drawn over the paper's corner, above any text that reaches it.
    m_chrome.Paint(painter, area & m_chrome.DogEarRect(canvas), canvas, scroll, viewHeight, state.hotTab,
                   state.dogEar);
  }
}

PageHit PageDocument::HitTest(QPoint pt, int scroll, int viewHeight) const {
  PageHit hit;
  const QSize canvas = canvasSize();
  for (int i = 0; i < 4; ++i) {
    const QRect tab = m_chrome.TabRect(i, canvas, scroll);
    if (tab.bottom() > scroll + viewHeight) break;
    if (tab.contains(pt)) return {PageElement::Tab, -1, i, tab, {}, {}};
  }
  if (const QRect ear = m_chrome.DogEarRect(canvas); ear.contains(pt)) return {PageElement::DogEar, -1, -1, ear, {}, {}};
  for (int i = 0; i < static_cast<int>(m_content.paragraphs.size()); ++i) {
    const PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(i)];
    if (p.height == 0 || pt.y() < p.top || pt.y() >= p.top + p.height) continue;
    if (p.activity && !p.shrunk && p.iconRect.contains(pt)) {
      const Picture* icon = p.icon ? p.icon.get() : FallbackIcon(p.kind);
      const bool opaque = !icon || !icon->IsLoaded() || icon->OpaqueRegion().contains(pt - p.iconRect.topLeft());
      if (opaque) return {PageElement::Icon, i, -1, p.iconRect, {}, {}};
    }
    if (p.activity && !p.teacherExtension && p.shrinkBox.contains(pt))
      return {PageElement::ShrinkBox, i, -1, p.shrinkBox, {}, {}};
    for (std::size_t m = 0; m < p.markers.size(); ++m)
      if (p.markers[m].rect.contains(pt)) return {PageElement::Marker, i, static_cast<int>(m), p.markers[m].rect, {}, {}};
    for (const HyperParagraph* body : {&p.titleBody, &p.shownBody()}) {
      if (!body->termRegion.contains(pt)) continue;
      for (std::size_t t = 0; t < body->terms.size(); ++t)
        if (body->terms[t].rect.contains(pt))
          return {PageElement::Term, i, static_cast<int>(t), body->terms[t].rect, body->terms[t].text, body->text};
    }
    if (p.activity) return {PageElement::Entry, i, -1, QRect(0, p.top, canvas.width(), p.height), {}, {}};
    break;
  }
  return hit;
}

std::pair<int, int> PageDocument::ExplanationRange(int entry) const {
  int first = entry;
  while (first > 0 && !m_content.paragraphs[static_cast<std::size_t>(first - 1)].activity) --first;
  return {first, entry};
}

bool PageDocument::SelectActivity(int activityIndex, bool withExplanation, bool keep) {
  if (!keep) ClearSelection();
  const int entry = ParagraphOfActivity(activityIndex);
  if (entry < 0) return false;
  const int first = withExplanation ? ExplanationRange(entry).first : entry;
  for (int i = first; i <= entry; ++i) m_content.paragraphs[static_cast<std::size_t>(i)].selected = true;
  return true;
}

void PageDocument::ClearSelection() {
  for (PageParagraph& p : m_content.paragraphs) p.selected = false;
}

std::optional<QRect> PageDocument::SelectionRect() const {
  QRect r;
  for (const PageParagraph& p : m_content.paragraphs)
    if (p.selected && p.height > 0) r |= QRect(0, p.top, std::max(1, m_canvasWidth), p.height);
  if (r.isNull()) return std::nullopt;
  return r;
}

bool PageDocument::ToggleShrink(int index) {
  if (index < 0 || index >= static_cast<int>(m_content.paragraphs.size())) return false;
  PageParagraph& entry = m_content.paragraphs[static_cast<std::size_t>(index)];
  if (!entry.activity) return false;
  const bool shrink = !entry.shrunk;
  const auto [first, last] = ExplanationRange(index);
  for (int i = first; i <= last; ++i) m_content.paragraphs[static_cast<std::size_t>(i)].shrunk = shrink;
  return shrink;
}

std::string PageDocument::CopyText() const {
  const bool selectedOnly =
      std::any_of(m_content.paragraphs.begin(), m_content.paragraphs.end(), [](const PageParagraph& p) { return p.selected; });
  std::string out;
  for (const PageParagraph& p : m_content.paragraphs) {
    if (selectedOnly && !p.selected) continue;
    std::string block;
    if (!p.title.empty()) block = PageCopyText(p.title);
    const std::string text = PageCopyText(p.showsAlt() ? p.altText : p.text);
    if (!text.empty()) {
      if (!block.empty()) block += "\r\n";
      block += text;
    }
    if (block.empty()) continue;
    if (!out.empty()) out += "\r\n\r\n";
    out += block;
  }
  if (!out.empty()) out += "\r\n";
  return out;
}
