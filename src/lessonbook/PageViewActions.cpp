// The learner's actions on a page: pressing, dragging and releasing its elements, the
// activity menu and the commands behind it.
#include <QtCore/QTimer>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QMenu>

#include "audio/SoundService.h"
#include "course/AsteriskSourceList.h"
#include "course/CommandIds.h"
#include "course/ContentsServices.h"
#include "course/CourseLocations.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/OutsideGate.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "hypertext/HyperServices.h"
#include "hypertext/MarkupText.h"
#include "hypertext/Picture.h"
#include "lessonbook/CompletionRecord.h"
#include "shell/DragOutline.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageView.h"
#include "lessonbook/PageWnd.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"
#include "shell/WindowTools.h"

namespace {

constexpr const char* kAsteriskLabel = "Asterisk Bookmark";

int DistanceBeyond(const QRect& r, QPoint p) {
  return std::max({r.left() - p.x(), p.x() - r.right(), r.top() - p.y(), p.y() - r.bottom(), 0});
}

bool Draggable(PageElement e) { return e == PageElement::Icon || e == PageElement::Entry || e == PageElement::Marker; }

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---- pressing ----

void CPageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    CCoreView::mousePressEvent(event);
    return;
  }
  if (turning()) FinishTurn();
  const QPoint canvas = ToCanvas(event->position().toPoint());
  PressElement(m_document.HitTest(canvas, scroll(), viewport()->height()), canvas, event->modifiers());
  event->accept();
}

void CPageView::PressElement(const PageHit& hit, QPoint canvas, Qt::KeyboardModifiers modifiers) {
  CancelPress();
  const bool keep = modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::ShiftModifier);
  const auto& list = m_document.paragraphs();
  const bool onEntry = hit.paragraph >= 0 && list[static_cast<std::size_t>(hit.paragraph)].activity;
  if (!keep) m_document.ClearSelection();
  if (onEntry) m_document.paragraphs()[static_cast<std::size_t>(hit.paragraph)].selected = true;
  viewport()->update();

  switch (hit.element) {
    case PageElement::None: return;
    case PageElement::DogEar:
      if (!DogEarShown()) return;
      break;
    default: break;
  }
  m_press = Press{hit, true, false, canvas};
  switch (hit.element) {
    case PageElement::Icon:
      m_state.pressedIcon = hit.paragraph;
      SetDepth(1);
      break;
    case PageElement::Term: m_state.pressedTerm = hit.rect; break;
    case PageElement::DogEar: UpdatePaintState(); break;
    default: break;
  }
  viewport()->update();
}

void CPageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint canvas = ToCanvas(event->position().toPoint());
  if (m_press) {
    MoveWhilePressed(canvas, event->globalPosition().toPoint());
    event->accept();
    return;
  }
  // The pointer over something that answers a click.
  const PageHit hit = m_document.HitTest(canvas, scroll(), viewport()->height());
  switch (hit.element) {
    case PageElement::Term: viewport()->setCursor(ProgramCursor(cur::kHand)); break;
    case PageElement::Icon:
    case PageElement::ShrinkBox:
    case PageElement::Marker:
    case PageElement::Tab: viewport()->setCursor(Qt::PointingHandCursor); break;
    case PageElement::DogEar:
      viewport()->setCursor(DogEarShown() ? QCursor(Qt::PointingHandCursor) : QCursor(Qt::ArrowCursor));
      break;
    default: viewport()->unsetCursor(); break;
  }
  const int hot = hit.element == PageElement::Tab ? hit.index : -1;
  if (hot != m_state.hotTab) {
    m_state.hotTab = hot;
    viewport()->update();
  }
  CCoreView::mouseMoveEvent(event);
}

void CPageView::MoveWhilePressed(QPoint canvas, QPoint global) {
  Press& press = *m_press;
  const QRect& rect = press.hit.rect;
  const bool inside = rect.contains(canvas);
  if (Draggable(press.hit.element) && DragLocator(press.hit)) {
    if (!press.dragging && DistanceBeyond(rect, canvas) > kDragDistance) {
      StartDrag(global);
      return;
    }
    if (press.dragging) {
      if (inside) {
        // Back on the element: the press goes on.
        StopDrag();
        press.dragging = false;
        QGuiApplication::setOverrideCursor(ProgramCursor(cur::kPress));
      } else if (m_outline) {
        m_outline->MoveTo(global);
      }
      return;
    }
  }
  switch (press.hit.element) {
    case PageElement::Icon:
      // Each movement on the icon sinks it a step; each one off it raises it a step.
      SetDepth(m_state.iconDepth + (inside ? 1 : -1));
      break;
    case PageElement::Term:
      if (inside != press.inside) {
        m_state.pressedTerm = inside ? rect : QRect();
        viewport()->update();
      }
      break;
    case PageElement::DogEar:
      if (inside != press.inside) {
        press.inside = inside;
        UpdatePaintState();
        viewport()->update();
      }
      break;
    default: break;
  }
  press.inside = inside;
}

void CPageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_press) {
    CCoreView::mouseReleaseEvent(event);
    return;
  }
  ReleaseElement(ToCanvas(event->position().toPoint()), event->globalPosition().toPoint());
  event->accept();
}

void CPageView::ReleaseElement(QPoint canvas, QPoint global) {
  const Press press = *m_press;
  m_press.reset();
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  const bool inside = press.hit.rect.contains(canvas);
  const int paragraph = press.hit.paragraph;
  if (press.dragging) {
    StopDrag();
    if (press.hit.element == PageElement::Icon) AnimateDepth(0);
    const std::optional<ActivityLocator> locator = DragLocator(press.hit);
    const LessonBookLinks& links = CurrentLessonBookLinks();
    if (locator && links.dropLocator) links.dropLocator(*locator, global);
    return;
  }
  switch (press.hit.element) {
    case PageElement::Icon:
      if (!inside) {
        AnimateDepth(0);
        break;
      }
      // The icon stays pressed while the activity starts, and rises afterwards.
      SetDepth(kMaxDepth);
      viewport()->repaint();
      Execute(paragraph);
      AnimateDepth(0);
      break;
    case PageElement::ShrinkBox:
      if (inside) ToggleShrink(paragraph);
      break;
    case PageElement::Term:
      m_state.pressedTerm = QRect();
      viewport()->update();
      if (inside) OpenTerm(press.hit);
      break;
    case PageElement::DogEar:
      UpdatePaintState();
      viewport()->update();
      if (inside && DogEarShown())
        if (CPageWnd* book = window()) book->OnCommand(cmd::kNextPage);
      break;
    case PageElement::Marker:
      if (inside) OpenMarker(press.hit);
      break;
    case PageElement::Tab: FloatBar(press.hit.index, global); break;
    default: break;
  }
}

void CPageView::CancelPress() {
  if (!m_press) return;
  const bool dragging = m_press->dragging;
  m_press.reset();
  if (dragging) StopDrag();
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  m_state.pressedTerm = QRect();
  if (m_state.pressedIcon >= 0) AnimateDepth(0);
  UpdatePaintState();
  viewport()->update();
}

void CPageView::SetDepth(int depth) {
  depth = std::clamp(depth, 0, kMaxDepth);
  if (m_depthTimer) {
    m_depthTimer->stop();
    m_afterDepth = {};
  }
  if (depth == m_state.iconDepth) return;
  m_state.iconDepth = depth;
  const auto& list = m_document.paragraphs();
  if (m_state.pressedIcon >= 0 && m_state.pressedIcon < static_cast<int>(list.size())) {
    const QRect icon = list[static_cast<std::size_t>(m_state.pressedIcon)].iconRect;
    viewport()->update(icon.adjusted(0, 0, 10, 12).translated(0, -scroll()));
  }
}

void CPageView::AnimateDepth(int target, std::function<void()> then) {
  m_depthTarget = std::clamp(target, 0, kMaxDepth);
  m_afterDepth = std::move(then);
  if (!m_depthTimer) {
    m_depthTimer = new QTimer(this);
    connect(m_depthTimer, &QTimer::timeout, this, [this] {
      const int step = m_state.iconDepth < m_depthTarget ? 1 : -1;
      const int target = m_depthTarget;
      auto then = std::move(m_afterDepth);
      SetDepth(m_state.iconDepth + step);  // stops the timer; it goes on below when needed
      if (m_state.iconDepth != target) {
        m_afterDepth = std::move(then);
        m_depthTimer->start(kDepthStepInterval);
        return;
      }
      if (target == 0 && !m_press) m_state.pressedIcon = -1;
      if (then) then();
    });
  }
  if (m_state.iconDepth == m_depthTarget) {
    if (m_depthTarget == 0 && !m_press) m_state.pressedIcon = -1;
    if (auto then = std::move(m_afterDepth)) then();
    return;
  }
  m_depthTimer->start(kDepthStepInterval);
}

// ---- dragging ----

std::optional<ActivityLocator> CPageView::DragLocator(const PageHit& hit) const {
  if (hit.element == PageElement::Marker) {
    const auto& list = m_document.paragraphs();
    if (hit.paragraph < 0 || hit.paragraph >= static_cast<int>(list.size())) return std::nullopt;
    const auto& markers = list[static_cast<std::size_t>(hit.paragraph)].markers;
    if (hit.index < 0 || hit.index >= static_cast<int>(markers.size()) || markers[static_cast<std::size_t>(hit.index)].files.empty())
      return std::nullopt;
    ActivityLocator note(m_page.lesson, -1, -1);
    note.kind = 9;
    note.file = markers[static_cast<std::size_t>(hit.index)].files.front();
    note.source = kAsteriskLabel;
    return note;
  }
  return LocatorOf(hit.paragraph);
}

QPainterPath CPageView::DragOutlinePath(const PageHit& hit) const {
  QPainterPath path;
  const auto& list = m_document.paragraphs();
  if (hit.element != PageElement::Marker && hit.paragraph >= 0 && hit.paragraph < static_cast<int>(list.size())) {
    const PageParagraph& p = list[static_cast<std::size_t>(hit.paragraph)];
    if (p.icon && p.icon->IsLoaded()) {
      path.addRegion(p.icon->OpaqueRegion());
      return path.simplified();
    }
    if (!p.iconRect.isEmpty()) {
      path.addRect(QRectF(QPointF(0, 0), p.iconRect.size()));
      return path;
    }
  }
  path.addRect(QRectF(QPointF(0, 0), hit.rect.size()));
  return path;
}

void CPageView::StartDrag(QPoint global) {
  m_press->dragging = true;
  if (m_press->hit.element == PageElement::Icon) SetDepth(kMaxDepth);
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  QGuiApplication::setOverrideCursor(ProgramCursor(cur::kDrag));
  m_outline = std::make_unique<CDragOutline>(DragOutlinePath(m_press->hit));
  m_outline->MoveTo(global);
  m_outline->show();
}

void CPageView::StopDrag() {
  if (m_outline) {
    m_outline->hide();
    m_outline.reset();
  }
}

// ---- the activity menu ----

void CPageView::contextMenuEvent(QContextMenuEvent* event) {
  if (m_press) return;
  const QPoint canvas = ToCanvas(event->pos());
  const PageHit hit = m_document.HitTest(canvas, scroll(), viewport()->height());
  const auto& list = m_document.paragraphs();
  m_menuParagraph =
      hit.paragraph >= 0 && list[static_cast<std::size_t>(hit.paragraph)].activity ? hit.paragraph : -1;
  QMenu menu(this);
  for (int id : {cmd::kBookmarkActivity, cmd::kStartActivity, cmd::kShrinkActivity, cmd::kToggleCompleted, 0,
                 cmd::kPreviousShown}) {
    if (id == 0) {
      menu.addSeparator();
      continue;
    }
    CommandState state;
    UpdateCommand(id, state);
    QAction* action = menu.addAction(Utf8(state.text.value_or(std::string())));
    action->setEnabled(state.enabled);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  }
  menu.exec(event->globalPos());
  event->accept();
}

bool CPageView::UpdateCommand(int id, CommandState& state) {
  const auto& list = m_document.paragraphs();
  const int target = m_menuParagraph;
  const PageParagraph* p =
      target >= 0 && target < static_cast<int>(list.size()) ? &list[static_cast<std::size_t>(target)] : nullptr;
  const bool entry = p && p->activity && !p->teacherExtension;
  switch (id) {
    case cmd::kBookmarkActivity:
      state.enabled = entry;
      state.text = ProgramString(str::kBookmarkActivity);
      return true;
    case cmd::kStartActivity:
      state.enabled = entry;
      state.text = ProgramString(str::kStartActivity);
      return true;
    case cmd::kShrinkActivity:
      state.enabled = entry;
      state.text = ProgramString(p && p->shrunk ? str::kExpandExplanation : str::kShrinkExplanation);
      return true;
    case cmd::kToggleCompleted:
      state.enabled = entry && CurrentCompletionRecord() != nullptr;
      state.text = ProgramString(p && p->completed ? str::kSetUncompleted : str::kSetCompleted);
      return true;
    case cmd::kPreviousShown: {
      const CPageWnd* book = window();
      const int previous = book ? book->previousPage() : -1;
      state.enabled = previous >= 0;
      if (previous >= 0) {
        const ActivityLocator back(previous / 256, previous % 256, -1);
        state.text = FormatProgramString(str::kGoBackTo, PageNumberText(back, CurrentContents()));
      } else {
        state.text = ProgramString(str::kGoBack);
      }
      return true;
    }
    default: return CCoreView::UpdateCommand(id, state);
  }
}

bool CPageView::OnCommand(int id) {
  switch (id) {
    case cmd::kBookmarkActivity: BookmarkActivity(m_menuParagraph); return true;
    case cmd::kStartActivity: Execute(m_menuParagraph); return true;
    case cmd::kShrinkActivity: ToggleShrink(m_menuParagraph); return true;
    case cmd::kToggleCompleted: ToggleCompleted(m_menuParagraph); return true;
    case cmd::kPreviousShown:
      if (CPageWnd* book = window(); book && book->previousPage() >= 0) {
        const int previous = book->previousPage();
        book->GoTo(ActivityLocator(previous / 256, previous % 256, -1), true, false);
      }
      return true;
    default: return CCoreView::OnCommand(id);
  }
}

// ---- actions ----

void CPageView::Execute(int paragraph) {
  const auto& list = m_document.paragraphs();
  if (paragraph < 0 || paragraph >= static_cast<int>(list.size())) return;
  const PageParagraph& p = list[static_cast<std::size_t>(paragraph)];
  if (p.teacherExtension) {
    PlayProgramSound(snd::kExtension);
    if (m_extensionFile.empty()) {
      ShowNotice(str::kExtensionNameMissing);
      return;
    }
    // The addendum opens a file of its own folder, nothing elsewhere.
    const std::string_view name = std::string_view(m_extensionFile).substr(m_extensionFile.find('\\') + 1);
    if (name.find_first_of("/\\:") != std::string_view::npos || name == ".." || name == ".") {
      ShowNotice(str::kExtensionOutside, CourseToUtf8(name));
      return;
    }
    std::filesystem::path path;
    if (!FindCourseFile(m_extensionFile, kSearchTeacherFolder, path)) {
      ShowNotice(str::kExtensionOpenFailed, CourseToUtf8(m_extensionFile) + ": file not found");
      return;
    }
    // The same gate as every other launch: inside the (accepted) teacher folder, a plain
    // document by its content.
    std::string why;
    switch (OpenOutsideDocument(path, AcceptedCourseFolders(nullptr, kSearchTeacherFolder), &why)) {
      case HandOff::Done:
        break;
      case HandOff::Refused:
        ShowNotice(str::kExtensionOpenFailed, path.filename().string() + ": " + why);
        break;
      case HandOff::Failed:
        ShowNotice(str::kExtensionOpenFailed, path.string() + ": no program opens it");
        break;
    }
    return;
  }
  const std::optional<ActivityLocator> locator = LocatorOf(paragraph);
  if (!locator) return;
  std::string title = p.title;
  StripMarkupInPlace(title);
  LaunchFromLessonBook(*locator, CourseToUtf8(title.empty() ? locator->Describe(CurrentContents()) : title));
}

void CPageView::ToggleShrink(int paragraph) {
  const auto& list = m_document.paragraphs();
  if (paragraph < 0 || paragraph >= static_cast<int>(list.size())) return;
  const PageParagraph& p = list[static_cast<std::size_t>(paragraph)];
  if (!p.activity || p.teacherExtension) return;
  PlayProgramSound(snd::kShrink);
  m_document.ToggleShrink(paragraph);
  Relayout();
}

void CPageView::ToggleCompleted(int paragraph) {
  CompletionRecord* record = CurrentCompletionRecord();
  std::optional<ActivityLocator> locator = LocatorOf(paragraph);
  if (!record || !locator) return;
  const bool completed = m_document.paragraphs()[static_cast<std::size_t>(paragraph)].completed;
  if (record->SetCompleted(*locator, !completed) != 1) return;
  NotifyAll(3, &*locator);
  // Redrawn here too, in case the broadcast cannot reach this view (no main frame).
  RefreshCompletion();
  viewport()->update();
}

void CPageView::BookmarkActivity(int paragraph) {
  const std::optional<ActivityLocator> locator = LocatorOf(paragraph);
  if (!locator) return;
  const LessonBookLinks& links = CurrentLessonBookLinks();
  const auto& add = links.addBookmark ? links.addBookmark : CurrentHyperWindowLinks().addBookmark;
  if (!add) {
    ShowNotice(str::kNoBookmarks);
    return;
  }
  if (!add(*locator)) ShowNotice(str::kBookmarkListFull);
}

void CPageView::OpenTerm(const PageHit& hit) {
  const LessonBookLinks& links = CurrentLessonBookLinks();
  const auto& show = links.showTerm ? links.showTerm : CurrentHyperWindowLinks().showTerm;
  if (!show) {
    ShowNotice(str::kNoGlossary);
    return;
  }
  const std::string phrase = FindTermPhrase(hit.term, hit.termMarkup);
  show(hit.term, phrase, phrase.size());
}

void CPageView::OpenMarker(const PageHit& hit) {
  const auto& list = m_document.paragraphs();
  if (hit.paragraph < 0 || hit.paragraph >= static_cast<int>(list.size())) return;
  const auto& markers = list[static_cast<std::size_t>(hit.paragraph)].markers;
  if (hit.index < 0 || hit.index >= static_cast<int>(markers.size())) return;
  const AsteriskSourceList* sources = Service<AsteriskSourceList>();
  for (const std::string& file : markers[static_cast<std::size_t>(hit.index)].files) {
    if (!sources || !sources->IsIncluded(file, m_document.settings().asterisks)) continue;
    ActivityLocator note(m_page.lesson, -1, -1);
    note.kind = 9;  // an asterisk note of the lesson
    note.file = file;
    note.source = kAsteriskLabel;
    LaunchFromLessonBook(note, CourseToUtf8(file));
    return;
  }
}

void CPageView::FloatBar(int tab, QPoint global) {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame || tab < 0 || tab >= static_cast<int>(kPageTabBars.size())) return;
  CStatsDockWnd* bar = frame->tearBar(kPageTabBars[static_cast<std::size_t>(tab)]);
  if (!bar) return;
  const QSize size = bar->isFloating() && bar->isVisible() ? bar->frameGeometry().size() : bar->sizeHint();
  bar->FloatAt(QRect(global, size));
  if (!bar->isVisible())
    bar->ShowBar(true);  // broadcasts kNotifyBarShown
  else
    NotifyAll(7, bar->bar());
  bar->raise();
}

void CPageView::leaveEvent(QEvent* event) {
  CCoreView::leaveEvent(event);
  if (m_state.hotTab != -1) {
    m_state.hotTab = -1;
    viewport()->update();
  }
}
