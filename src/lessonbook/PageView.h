// CPageView: the view of the Lesson Book. It shows one page of the course drawn like a
// page of a bound book (PageDocument), scrolls it, turns pages with an animation, and
// carries the learner's actions on the page:
//   - pressing an activity icon sinks it (depth 0 to 6, the last darkened) while the
//     pointer stays on it and raises it when the pointer leaves; releasing on it starts
//     the activity (9070). Moving more than 150 pixels beyond it drags the activity
//     (an outline of the icon follows the pointer; dropped, it goes to the bookmarks);
//   - the small box before an entry's title shrinks or expands the entry (9071);
//   - a defined term opens the glossary; an asterisk marker opens its note;
//   - a tab on the right edge floats its bar where it is released;
//   - the dog ear turns to the next page (9103);
//   - the context menu of an entry: 9069 bookmark, 9070 start, 9071 shrink or expand,
//     9072 set completed or uncompleted, 9073 back to the page shown before.
// Holding Ctrl and Shift while pressing keeps the entries already selected.
#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"
#include "lessonbook/PageDocument.h"
#include "shell/CoreView.h"

class CPageWnd;
class CDragOutline;
class QTimer;

class CPageView : public CCoreView {
 public:
  static constexpr int kMaxDepth = 6;
  static constexpr int kDragDistance = 150;     // pixels beyond the element's rectangle
  static constexpr int kScrollSpare = 4;         // pixels kept around a selection scrolled into view
  static constexpr int kTurnDuration = 420;      // ms of a page-turn animation
  static constexpr int kDepthStepInterval = 16;  // ms between depth steps of the press animation
  static constexpr int kHelpContext = 6024;
  static constexpr int kHelpContextNoShrink = 6025;

  explicit CPageView(QWidget* parent = nullptr);
  ~CPageView() override;

  PageDocument& document() { return m_document; }
  const PageDocument& document() const { return m_document; }
  int helpContext() const;

  // ---- the page ----
  // Reads the page of locator (its lesson and page) and lays it out from the top. A
  // page file that cannot be read shows notice 8557 and leaves the page empty. Returns
  // whether the page file was read.
  bool LoadPage(const ActivityLocator& page);
  const ActivityLocator& page() const { return m_page; }
  bool pageLoaded() const { return m_loaded; }
  const std::string& titleLine() const { return m_titleLine; }  // course bytes
  const std::string& extensionFile() const { return m_extensionFile; }
  // Lays the page out for the view's size again (settings changed, shrink).
  void Relayout();
  // Selects the entry of the activity (forced: with its explanation) and scrolls it into view.
  void SelectActivity(int activityIndex, bool withExplanation);
  void ScrollSelectionIntoView();

  // The locator of the activity of paragraph index; none for paragraphs that are not entries.
  std::optional<ActivityLocator> LocatorOf(int paragraph) const;

  // Takes the completion marks of the page's activities from the learner's record again.
  void RefreshCompletion();

  // ---- settings ----
  // Takes the preferences and personality values the page is drawn with.
  void TakeSettings();

  // ---- page turning ----
  // A picture of what the view shows now, for the turn that follows.
  QImage Snapshot();
  // Animates from the picture before the turn to the page now loaded (forward: the
  // old page is lifted off; backward: the new one is laid down over it).
  void StartTurn(const QImage& before, bool forward);
  bool turning() const { return m_turnTimer != nullptr; }
  // Ends a running turn at once, showing the new page.
  void FinishTurn();

  // ---- commands ----
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;
  // The paragraph the activity menu works on (the row under the last right click).
  void SetMenuParagraph(int paragraph) { m_menuParagraph = paragraph; }
  int menuParagraph() const { return m_menuParagraph; }

  void OnCourseNotify(int code, void* data) override;
  void PaintContent(QPainter& painter, const QRect& rect, bool printing) override;
  int PrintContentHeight() const override;

  // The tab of a tear-off bar in screen coordinates; empty when not shown.
  QRect BarTabRect(int barId) const;
  // The timer tick of the window: follows the pointer over the tabs.
  void Tick();

  // What the pointer is doing, for tests and painting.
  const PagePaintState& paintState() const { return m_state; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  CPageWnd* window() const;
  QPoint ToCanvas(QPoint viewportPos) const { return viewportPos + scrollOffset(); }
  int scroll() const { return scrollOffset().y(); }
  bool DogEarShown() const;
  void UpdatePaintState();

  // ---- pressing ----
  struct Press {
    PageHit hit;
    bool inside = true;
    bool dragging = false;
    QPoint start;  // canvas
  };
  void PressElement(const PageHit& hit, QPoint canvas, Qt::KeyboardModifiers modifiers);
  void MoveWhilePressed(QPoint canvas, QPoint global);
  void ReleaseElement(QPoint canvas, QPoint global);
  void CancelPress();
  void SetDepth(int depth);
  void AnimateDepth(int target, std::function<void()> then = {});
  void StartDrag(QPoint global);
  void StopDrag();
  std::optional<ActivityLocator> DragLocator(const PageHit& hit) const;
  QPainterPath DragOutlinePath(const PageHit& hit) const;

  // ---- actions ----
  void Execute(int paragraph);
  void ToggleShrink(int paragraph);
  void ToggleCompleted(int paragraph);
  void BookmarkActivity(int paragraph);
  void OpenTerm(const PageHit& hit);
  void OpenMarker(const PageHit& hit);
  void FloatBar(int tab, QPoint global);
  void TurnTick();

  PageDocument m_document;
  ActivityLocator m_page;
  bool m_loaded = false;
  std::string m_titleLine;
  std::string m_extensionFile;
  PagePaintState m_state;
  std::optional<Press> m_press;
  int m_menuParagraph = -1;
  QTimer* m_depthTimer = nullptr;
  int m_depthTarget = 0;
  std::function<void()> m_afterDepth;
  std::unique_ptr<CDragOutline> m_outline;

  // The turn in progress.
  QTimer* m_turnTimer = nullptr;
  QElapsedTimer m_turnClock;
  QImage m_turnFrom;
  QImage m_turnTo;
  bool m_turnForward = true;
};
