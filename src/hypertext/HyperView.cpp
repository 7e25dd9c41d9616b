#include "hypertext/HyperView.h"

#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <algorithm>
#include <cctype>
#include <new>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/CommandIds.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/OutsideGate.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"
#include "hypertext/HyperServices.h"

namespace {

constexpr int kLineStep = 12;  // pixels scrolled by an arrow key or a wheel line

const QCursor& HandCursor() {
  static const QCursor cursor = [] {
    const QPixmap pixmap(QString::fromStdString(ProgramResourcePath("cursor", cur::kHand)));
    // The fingertip of the picture is the hot spot.
    return pixmap.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pixmap, 9, 1);
  }();
  return cursor;
}

}  // namespace

CHyperView::CHyperView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  m_scrollBar = new QScrollBar(Qt::Vertical, this);
  m_scrollBar->hide();
  connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int v) { ScrollTo(v); });
  m_document.SetButtonFont(font());
  m_document.SetStyle(CurrentHyperStyle(logicalDpiY()));
  m_document.SetLinks(CourseSourceLinks(m_locator));
}

CHyperView::~CHyperView() = default;

void CHyperView::SetLocator(const ActivityLocator& locator) {
  m_locator = locator;
  m_document.SetLinks(CourseSourceLinks(m_locator));
}

bool CHyperView::SetText(std::span<const std::uint8_t> source, bool skipResources) {
  m_pressed.reset();
  const bool ok = m_document.SetText(source, skipResources);
  RebuildButtons();
  m_scroll = 0;
  Relayout();
  update();
  return ok;
}

bool CHyperView::LoadFile(CourseFile& file) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = file.readAll();
  } catch (const CourseFileError&) {
    file.close();
    Clear();
    return false;
  }
  file.close();
  return SetText(bytes, !ContainsNoCase(file.path(), ".txt"));
}

void CHyperView::Clear() {
  m_pressed.reset();
  m_document.Clear();
  RebuildButtons();
  m_scroll = 0;
  Relayout();
  update();
}

void CHyperView::InsertParagraph(std::size_t index, HyperParagraph paragraph) {
  m_document.InsertParagraph(index, std::move(paragraph));
  Relayout();
  update();
}

void CHyperView::SetStyle(const HyperStyle& style) {
  if (style == m_document.style()) return;
  const bool sizeChanged = style.fontSize != m_document.style().fontSize;
  m_document.SetStyle(style);
  if (sizeChanged && m_document.sizeDependentPictures()) {
    // Equation pictures were made at the old size.
    m_document.Reload();
    RebuildButtons();
  }
  Relayout();
  update();
}

void CHyperView::Relayout() {
  m_document.Layout(width(), height());
  const bool shown = m_document.scrollBarShown();
  const int range = std::max(0, m_document.totalHeight() - height());
  m_scroll = std::clamp(m_scroll, 0, range);
  m_scrollBar->blockSignals(true);
  m_scrollBar->setRange(0, range);
  m_scrollBar->setPageStep(std::max(1, height()));
  m_scrollBar->setSingleStep(kLineStep);
  m_scrollBar->setValue(m_scroll);
  m_scrollBar->blockSignals(false);
  m_scrollBar->setGeometry(width() - HyperDocument::kScrollBarWidth, 0, HyperDocument::kScrollBarWidth, height());
  m_scrollBar->setVisible(shown);
  PlaceButtons();
}

void CHyperView::ScrollTo(int position) {
  const int range = std::max(0, m_document.totalHeight() - height());
  position = std::clamp(position, 0, range);
  if (position == m_scroll) return;
  const int dy = m_scroll - position;
  m_scroll = position;
  if (m_scrollBar->value() != position) {
    m_scrollBar->blockSignals(true);
    m_scrollBar->setValue(position);
    m_scrollBar->blockSignals(false);
  }
  // Only the uncovered strip is painted anew; the buttons move with the text.
  scroll(0, dy, QRect(0, 0, m_document.textAreaWidth(), height()));
  PlaceButtons();
}

void CHyperView::RebuildButtons() {
  for (QPushButton* b : m_buttons) delete b;
  m_buttons.clear();
  const auto& sources = m_document.sourceButtons();
  for (std::size_t i = 0; i < sources.size(); ++i) {
    auto* b = new QPushButton(QString::fromStdString(CourseToUtf8(sources[i].caption)), this);
    b->setFocusPolicy(Qt::NoFocus);
    const int index = static_cast<int>(i);
    connect(b, &QPushButton::clicked, this, [this, index] { OnCommand(cmd::kSourceFirst + index); });
    b->show();
    m_buttons.push_back(b);
  }
  PlaceButtons();
}

void CHyperView::PlaceButtons() {
  const auto& sources = m_document.sourceButtons();
  for (std::size_t i = 0; i < m_buttons.size() && i < sources.size(); ++i)
    m_buttons[i]->setGeometry(ToClient(sources[i].rect));
}

void CHyperView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  m_document.Paint(painter, event->rect(), m_scroll);
  if (m_pressed && m_pressedInside) PaintPressedTerm(painter, ToClient(m_pressed->rect));
}

void CHyperView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void CHyperView::SetPressedInside(bool inside) {
  if (!m_pressed || inside == m_pressedInside) return;
  m_pressedInside = inside;
  update(ToClient(m_pressed->rect));
}

void CHyperView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint at = ToContent(event->position().toPoint());
  if (!m_document.OverTerm(at)) return;
  m_pressed = m_document.HitTerm(at);
  m_pressedInside = false;
  // The widget keeps receiving the mouse while the button is held.
  SetPressedInside(m_pressed.has_value());
}

void CHyperView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = ToContent(event->position().toPoint());
  if (m_pressed) {
    SetPressedInside(m_pressed->rect.contains(at));
    return;
  }
  setCursor(m_document.OverTerm(at) ? HandCursor() : QCursor(Qt::ArrowCursor));
}

void CHyperView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pressed) return;
  const HyperTermHit hit = *m_pressed;
  const bool inside = hit.rect.contains(ToContent(event->position().toPoint()));
  SetPressedInside(false);
  m_pressed.reset();
  if (!inside) return;
  const std::string phrase = m_document.TermPhrase(hit);
  if (const auto& showTerm = CurrentHyperWindowLinks().showTerm) showTerm(hit.text, phrase, phrase.size());
}

void CHyperView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  const int lines = std::max(1, QApplication::wheelScrollLines());
  const int step = std::min(lines * kLineStep, std::max(1, height()));
  ScrollTo(m_scroll - notches * step);
}

void CHyperView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    OnCommand(cmd::kCopy);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: ScrollTo(m_scroll - kLineStep); break;
    case Qt::Key_Down:
    case Qt::Key_Right: ScrollTo(m_scroll + kLineStep); break;
    case Qt::Key_PageUp: ScrollTo(m_scroll - height()); break;
    case Qt::Key_PageDown: ScrollTo(m_scroll + height()); break;
    case Qt::Key_Home: ScrollTo(0); break;
    case Qt::Key_End: ScrollTo(m_document.totalHeight()); break;
    default: QWidget::keyPressEvent(event); break;
  }
}

void CHyperView::CopyAsText() {
  try {
    const std::string text = m_document.CopyAsText();
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  } catch (const std::bad_alloc&) {
    ShowNotice(str::kNoMemory);
  }
}

void CHyperView::RunSource(int index) {
  const auto& sources = m_document.sourceButtons();
  if (index < 0 || index >= static_cast<int>(sources.size())) return;
  const std::string& target = sources[static_cast<std::size_t>(index)].target;
  if (!target.empty() && target.back() == ':') {
    if (auto folder = FindHyperSource(m_locator, target)) OpenOutsideFolder(*folder, AcceptedCourseFolders(nullptr, kSearchCourse));
    return;
  }
  const auto& launch = CurrentHyperWindowLinks().launch;
  if (!launch) return;
  ActivityLocator source;
  source.lesson = m_locator.lesson;
  source.kind = static_cast<std::uint8_t>(m_locator.kind != 0 ? m_locator.kind : KindOfFileName(target));
  source.file = target;
  launch(source);
}

bool CHyperView::IsCommandEnabled(int id) const {
  const HyperWindowLinks& links = CurrentHyperWindowLinks();
  if (id == cmd::kCopy) return !m_document.paragraphs().empty();
  if (id == cmd::kAddBookmark) return static_cast<bool>(links.addBookmark) && m_locator.lesson >= 0;
  if (id == cmd::kShowInLessonBook) return static_cast<bool>(links.showInLessonBook) && m_locator.lesson >= 0;
  if (id >= cmd::kSourceFirst && id <= cmd::kSourceLast) {
    const auto index = static_cast<std::size_t>(id - cmd::kSourceFirst);
    const auto& sources = m_document.sourceButtons();
    if (index >= sources.size()) return false;
    const std::string& target = sources[index].target;
    return (!target.empty() && target.back() == ':') || static_cast<bool>(links.launch);
  }
  return false;
}

bool CHyperView::OnCommand(int id) {
  const bool ours = id == cmd::kCopy || id == cmd::kAddBookmark || id == cmd::kShowInLessonBook ||
                    (id >= cmd::kSourceFirst && id <= cmd::kSourceLast);
  if (!ours) return false;
  if (!IsCommandEnabled(id)) return true;
  const HyperWindowLinks& links = CurrentHyperWindowLinks();
  if (id == cmd::kCopy) {
    CopyAsText();
  } else if (id == cmd::kAddBookmark) {
    if (!links.addBookmark(m_locator)) ShowNotice(str::kBookmarkListFull);
  } else if (id == cmd::kShowInLessonBook) {
    ActivityLocator page(m_locator.lesson, 0, -1);
    links.showInLessonBook(page);
  } else {
    RunSource(id - cmd::kSourceFirst);
  }
  return true;
}

void CHyperView::OnCourseNotify(int code, void* data) {
  constexpr int kPreferencesChanged = 2;
  if (code != kPreferencesChanged) return;
  HyperStyle style = m_document.style();
  style.fontSize = CurrentHyperStyle(logicalDpiY()).fontSize;
  SetStyle(style);
}
