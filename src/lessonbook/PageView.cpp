#include "lessonbook/PageView.h"

#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtWidgets/QScrollBar>

#include "course/AsteriskSourceList.h"
#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "hypertext/HyperServices.h"
#include "hypertext/Picture.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/CoursePage.h"
#include "shell/DragOutline.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageTurn.h"
#include "lessonbook/PageWnd.h"

namespace {

constexpr const char* kIncompletePicture = "Incomplete Icon";
constexpr const char* kCheckmarkPicture = "Checkmark Icon";
constexpr int kTurnFrameInterval = 15;  // ms between frames of a page turn

std::unique_ptr<Picture> PersonalityPicture(const CoursePersonality* personality, const char* name) {
  if (!personality) return nullptr;
  const auto bytes = personality->ReadEntry(0, name);
  if (!bytes) return nullptr;
  auto picture = std::make_unique<Picture>();
  if (!picture->LoadFromMemory(*bytes)) return nullptr;
  picture->ReplaceKeyColour(QColor(255, 255, 255));
  return picture;
}

}  // namespace

CPageView::CPageView(QWidget* parent) : CCoreView(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  TakeSettings();
}

CPageView::~CPageView() {
  StopDrag();
  FinishTurn();
}

CPageWnd* CPageView::window() const {
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* book = dynamic_cast<CPageWnd*>(w)) return book;
  return nullptr;
}

int CPageView::helpContext() const {
  return m_document.features().shrinkExplanation ? kHelpContext : kHelpContextNoShrink;
}

// ---- settings ----

void CPageView::TakeSettings() {
  PageSettings settings;
  if (const Preferences* prefs = Service<Preferences>()) {
    settings.hideTime = prefs->hideTime;
    settings.pageFormat = prefs->pageFormat % Preferences::kPageFormats;
    settings.asterisks = prefs->asterisks;
    settings.fontSize = prefs->fontSize;
    settings.bundledText = prefs->bundledText;
  } else {
    settings.pageFormat = std::clamp(PersonalityInt(kKeyPageFormat, 0), 0, kPageFormatCount - 1);
  }
  PageFeatures features;
  const CoursePersonality* personality = Service<CoursePersonality>();
  if (personality) {
    features.goalIcon = personality->goalIcon();
    features.dogEar = personality->dogEar();
    features.pageNumber = personality->pageNumber();
    features.shrinkExplanation = personality->shrinkExplanation();
    features.lessonFace = personality->GetString(kKeyLessonFont);
    features.linkColour = personality->GetColor(kKeyLinkColor).rgb();
  } else {
    features.goalIcon = PersonalityBool(kKeyGoalIcon, true);
    features.dogEar = PersonalityBool(kKeyDogEar, true);
    features.pageNumber = PersonalityBool(kKeyPageNumber, true);
    features.shrinkExplanation = PersonalityBool(kKeyShrinkExplanation, true);
    features.lessonFace = PersonalityString(kKeyLessonFont);
    if (auto c = ParsePersonalityColor(PersonalityString(kKeyLinkColor))) features.linkColour = c->rgb();
  }
  m_document.SetDpiY(logicalDpiY());
  m_document.SetFeatures(features);
  m_document.SetSettings(settings);
  m_document.SetAsteriskSources(Service<AsteriskSourceList>());
  m_document.SetStatePictures(PersonalityPicture(personality, kIncompletePicture),
                              PersonalityPicture(personality, kCheckmarkPicture));
}

// ---- the page ----

bool CPageView::LoadPage(const ActivityLocator& page) {
  CancelPress();
  m_page = page;
  m_page.activity = -1;
  PageLoadLinks links;
  links.expandName = [](std::string_view name) {
    const CoursePersonality* personality = Service<CoursePersonality>();
    return personality ? personality->ExpandName(name) : std::string();
  };
  links.renderEquation = CurrentEquationRenderer();
  CoursePageOptions options;
  options.pageNumber = m_document.features().pageNumber;
  options.fontSize = m_document.settings().fontSize;
  CoursePage loaded = LoadCoursePage(m_page, CurrentContents(), CurrentCompletionRecord(), links, options);
  m_loaded = loaded.loaded;
  m_titleLine = std::move(loaded.titleLine);
  m_extensionFile = std::move(loaded.extensionFile);
  m_document.SetContent(std::move(loaded.content));
  m_menuParagraph = -1;
  Relayout();
  ScrollTo(0);
  UpdatePaintState();
  viewport()->update();
  if (!m_loaded) ShowNotice(str::kPageMissing);
  return m_loaded;
}

void CPageView::Relayout() {
  const QSize client = viewport()->size();
  const int height = m_document.Layout(client.width(), client.height());
  SetContentSize(QSize(client.width(), height));
  UpdatePaintState();
  viewport()->update();
}

void CPageView::resizeEvent(QResizeEvent* event) {
  CCoreView::resizeEvent(event);
  if (turning()) FinishTurn();
  Relayout();
}

void CPageView::changeEvent(QEvent* event) {
  CCoreView::changeEvent(event);
  if (event->type() == QEvent::FontChange) Relayout();
}

void CPageView::SelectActivity(int activityIndex, bool withExplanation) {
  m_document.SelectActivity(activityIndex, withExplanation, false);
  viewport()->update();
  ScrollSelectionIntoView();
}

void CPageView::ScrollSelectionIntoView() {
  const std::optional<QRect> selection = m_document.SelectionRect();
  if (!selection) return;
  const int top = scroll();
  const int height = viewport()->height();
  const QRect want = selection->adjusted(0, -kScrollSpare, 0, kScrollSpare);
  if (want.top() < top)
    ScrollTo(want.top());
  else if (want.bottom() > top + height)
    ScrollTo(std::min(want.top(), want.bottom() - height + 1));
  UpdatePaintState();
}

std::optional<ActivityLocator> CPageView::LocatorOf(int paragraph) const {
  const auto& list = m_document.paragraphs();
  if (paragraph < 0 || paragraph >= static_cast<int>(list.size())) return std::nullopt;
  const PageParagraph& p = list[static_cast<std::size_t>(paragraph)];
  if (!p.activity || p.teacherExtension || p.activityIndex < 0) return std::nullopt;
  return ActivityLocator(m_page.lesson, m_page.page, p.activityIndex);
}

void CPageView::RefreshCompletion() {
  std::vector<bool> before;
  for (const PageParagraph& p : m_document.paragraphs()) before.push_back(p.completed);
  UpdateEntries(m_document.content(), m_page, CurrentContents(), CurrentCompletionRecord());
  std::size_t i = 0;
  for (const PageParagraph& p : m_document.paragraphs())
    if (p.completed != before[i++]) {
      // A completed entry may show its other text, and its mark changes size.
      Relayout();
      return;
    }
}

// ---- painting ----

bool CPageView::DogEarShown() const {
  if (!m_document.features().dogEar || !m_loaded) return false;
  if (scroll() < verticalScrollBar()->maximum()) return false;
  return NavigationTarget(cmd::kNextPage, m_page, CurrentContents()).has_value();
}

void CPageView::UpdatePaintState() {
  if (!DogEarShown())
    m_state.dogEar = DogEarState::Hidden;
  else if (m_press && m_press->hit.element == PageElement::DogEar && m_press->inside)
    m_state.dogEar = DogEarState::Pressed;
  else
    m_state.dogEar = DogEarState::Shown;
}

void CPageView::PaintContent(QPainter& painter, const QRect& rect, bool printing) {
  if (m_turnTimer && !printing) {
    const double t = PageTurnProgress(m_turnClock.elapsed(), kTurnDuration);
    painter.save();
    painter.translate(scrollOffset());
    PaintPageTurn(painter, m_turnFrom, m_turnTo, t, m_turnForward);
    painter.restore();
    return;
  }
  UpdatePaintState();
  PagePaintState state = m_state;
  if (printing) state = PagePaintState();
  m_document.Paint(painter, rect, scroll(), viewport()->height(), state);
}

int CPageView::PrintContentHeight() const { return m_document.canvasSize().height(); }

QImage CPageView::Snapshot() {
  const qreal ratio = devicePixelRatioF();
  QImage image(viewport()->size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(-scrollOffset());
  PaintContent(painter, QRect(scrollOffset(), viewport()->size()), false);
  return image;
}

void CPageView::StartTurn(const QImage& before, bool forward) {
  FinishTurn();
  if (before.isNull() || !isVisible()) return;
  m_turnTo = Snapshot();
  if (m_turnTo.size() != before.size()) return;
  m_turnFrom = before;
  m_turnForward = forward;
  m_turnClock.start();
  m_turnTimer = new QTimer(this);
  connect(m_turnTimer, &QTimer::timeout, this, &CPageView::TurnTick);
  m_turnTimer->start(kTurnFrameInterval);
  viewport()->update();
}

void CPageView::TurnTick() {
  if (m_turnClock.elapsed() >= kTurnDuration) {
    FinishTurn();
    return;
  }
  viewport()->update();
}

void CPageView::FinishTurn() {
  if (!m_turnTimer) return;
  m_turnTimer->stop();
  m_turnTimer->deleteLater();
  m_turnTimer = nullptr;
  m_turnFrom = QImage();
  m_turnTo = QImage();
  viewport()->update();
}

// ---- notifications and the timer ----

void CPageView::OnCourseNotify(int code, void* data) {
  CCoreView::OnCourseNotify(code, data);
  switch (code) {
    case 2: {  // the preferences changed
      const int oldFontSize = m_document.settings().fontSize;
      TakeSettings();
      if (m_loaded && m_document.settings().fontSize != oldFontSize && m_document.content().sizeDependentPictures) {
        // Equation pictures were made at the old size.
        const int scrolled = verticalScrollBar()->value();
        LoadPage(m_page);
        ScrollTo(scrolled);
      }
      Relayout();
      break;
    }
    case 3:  // a completion mark changed
      RefreshCompletion();
      viewport()->update();
      break;
    default: break;
  }
}

void CPageView::Tick() {
  if (m_press) return;
  const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
  int hot = -1;
  if (viewport()->rect().contains(pos)) {
    const PageHit hit = m_document.HitTest(ToCanvas(pos), scroll(), viewport()->height());
    if (hit.element == PageElement::Tab) hot = hit.index;
  }
  if (hot != m_state.hotTab) {
    m_state.hotTab = hot;
    viewport()->update();
  }
}

QRect CPageView::BarTabRect(int barId) const {
  for (std::size_t i = 0; i < kPageTabBars.size(); ++i) {
    if (kPageTabBars[i] != barId) continue;
    const QRect tab = m_document.chrome().TabRect(static_cast<int>(i), m_document.canvasSize(), scroll());
    if (tab.bottom() > scroll() + viewport()->height() || !isVisible()) return {};
    const QRect inView = tab.translated(0, -scroll());
    return QRect(viewport()->mapToGlobal(inView.topLeft()), inView.size());
  }
  return {};
}
