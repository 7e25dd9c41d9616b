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

int PageDocument::LayParagraph(QPainter* painter, int index, bool measureOnly, const PagePaintState& state) {
  if (index < 0 || index >= static_cast<int>(m_content.paragraphs.size())) return 0;
  PageParagraph& p = m_content.paragraphs[static_cast<std::size_t>(index)];
  const bool measure = measureOnly;
  QPainter* ink = measureOnly ? nullptr : painter;
  if (measure) {
    p.markers.clear();
    p.iconRect = p.markRect = p.shrinkBox = p.textRect = QRect();
    p.textOffset = 0;
  }
  const bool hidden = !p.activity && p.shrunk;
  if (hidden || IsBlank(p)) {
    if (measure) {
      p.body.terms.clear();
      p.body.termRegion = QRegion();
      p.titleBody.terms.clear();
      p.titleBody.termRegion = QRegion();
    }
    return 0;
  }

  const int left = m_chrome.textLeft() + p.indent;
  const int right = std::max(left, m_chrome.textRight(m_canvasWidth) - p.indent);
  int y = p.top + kTopGap;
  if (p.rule) {
    if (ink) {
      ink->fillRect(QRect(left + kInset, y, right - left - 2 * kInset, 1), m_chrome.style().rule);
      ink->fillRect(QRect(left + kInset, y + 1, right - left - 2 * kInset, 1), m_chrome.style().rule.lighter(165));
    }
    y += kRuleSpace;
  }
  const bool entry = p.activity;
  const bool column = entry && !p.shrunk;
  const int textLeft = column ? left + kIconColumn : left + kInset;
  const int textRight = std::max(textLeft, right - kInset);
  const int offset = measure ? 0 : p.textOffset;

  if (ink && p.selected && p.height > 0) {
    // The selection lies behind the text; the icon column keeps its white paper.
    const QRect band(textLeft - 6, p.top, right - textLeft + 6, p.height - kParagraphGap / 2);
    ink->save();
    ink->setRenderHint(QPainter::Antialiasing);
    ink->setPen(QPen(m_chrome.style().selectionEdge, 1.0));
    ink->setBrush(m_chrome.style().selection);
    ink->drawRoundedRect(QRectF(band).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    ink->restore();
  }

  // ---- title ----
  int titleHeight = 0;
  if (!p.title.empty() || (entry && p.shrunk)) {
    const FontDescription titleFont = TitleFont(p);
    const int titleLeft = textLeft + (entry ? kTitleIconSpace : 0);
    const int lineHeight = m_fonts.Get(titleFont, m_style.dpiY).height;
    const int top = y + offset;
    if (!p.title.empty()) {
      titleHeight = m_layout.RunText(p.titleBody, titleFont, titleLeft, textRight, top, measure, ink, nullptr);
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
    if (entry) {
      const QRect box(textLeft, top + std::max(0, (lineHeight - kSmallIcon) / 2), kSmallIcon, kSmallIcon);
      if (measure) p.shrinkBox = box;
      const int iconId = p.shrunk ? ActivityKindIcon(p.kind) : (m_features.goalIcon ? bmp::kGoal : 0);
      if (ink && iconId) {
        const QImage icon = LessonArtImage(p.shrunk ? "icon" : "bitmap", iconId, box.size(),
                                           ink->device() ? ink->device()->devicePixelRatioF() : 1.0);
        if (!icon.isNull()) ink->drawImage(box.topLeft(), icon);
      }
    }
  }

  // ---- text, picture and markers ----
  int textHeight = 0;
  int pictureHeight = 0;
  if (!p.shrunk) {
    textHeight = m_layout.RunText(p.shownBody(), BodyFont(p), textLeft, textRight, y + offset + titleHeight, measure,
                                  ink, measure ? &p.markers : nullptr);
    if (const Picture* picture = p.shownPicture(); picture && picture->IsLoaded()) {
      pictureHeight = picture->Size().height() + kInset;
      if (ink) DrawPicture(*ink, *picture, textLeft, textRight, y + offset + titleHeight + textHeight + kInset / 2, p.align);
    }
    if (ink) {
      const qreal ratio = ink->device() ? ink->device()->devicePixelRatioF() : 1.0;
      for (const AsteriskMarker& m : p.markers) {
        const QImage image = LessonArtImage("bitmap", bmp::kMarkerFirst + std::max(0, m.source) % kMarkerBitmaps,
                                            m.rect.size(), ratio);
        if (!image.isNull()) ink->drawImage(m.rect.topLeft(), image);
      }
    }
  }
  const int contentHeight = titleHeight + textHeight + pictureHeight;

  // ---- the icon column ----
  int blockHeight = contentHeight;
  if (column) {
    const Picture* icon = p.icon ? p.icon.get() : FallbackIcon(p.kind);
    const QSize iconSize = icon && icon->IsLoaded() ? icon->Size() : QSize(kFallbackIcon, kFallbackIcon);
    const int shadowHeight = iconSize.height() + 10;
    if (measure) {
      p.iconRect = QRect(QPoint(left + kIconLeft, y), iconSize);
      if (!p.teacherExtension) {
        const QSize markSize = StateMarkSize(p);
        p.markRect = QRect(QPoint(left + kMarkLeft, y + (iconSize.height() - markSize.height()) / 2), markSize);
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
    if (ink) {
      if (!p.teacherExtension) DrawStateMark(*ink, p);
      DrawIcon(*ink, p, state.pressedIcon == index ? state.iconDepth : 0);
    }
    blockHeight = std::max(shadowHeight, contentHeight);
  }
  if (measure) p.textRect = QRect(textLeft, y + p.textOffset, textRight - textLeft, contentHeight);
  return (y - p.top) + blockHeight + kParagraphGap;
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
