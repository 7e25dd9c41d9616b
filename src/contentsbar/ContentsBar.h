// The Table of Contents bar (command and window id 9088, placement key 7): the course as
// a tree of lesson groups, lessons, pages and activities in display order. The learner
// opens and closes branches, clicks an entry to turn the Lesson Book to it, drags one to
// the bookmarks, and copies or prints the list; completed activities carry a check mark.
// Unless the preference NeverAdjust is set the tree follows the Lesson Book: when its
// page changes only the current lesson and page stay open.
//
// The expanded flags live in the contents records (ContentsTable service), so they last
// for the whole run; the bar keeps only the visible rows. Without a contents service the
// bar is empty.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "contentsbar/ContentsRows.h"
#include "course/ActivityLocator.h"
#include "course/CommandIds.h"
#include "shell/TearToolBar.h"

class CDragOutline;
class ContentsTable;
class QMenu;
class QMimeData;

class CContentsBar : public CTearToolBar {
 public:
  static constexpr int kDragDistance = 150;  // pixels beyond the row before a press becomes a drag

  explicit CContentsBar(QWidget* parent = nullptr);
  ~CContentsBar() override;

  // ---- the rows ----
  // Builds the row list from the contents and updates the scroll range.
  void Rebuild();
  const ContentsRowList& rowList() const { return m_rows; }
  int RowCount() const override { return m_rows.count(); }
  ActivityLocator RowLocator(int row) const { return m_rows.RowLocator(row); }
  int RowOf(const ActivityLocator& locator) const { return m_rows.RowOf(locator); }
  // The drawn label of a row (course bytes).
  std::string RowText(int row) const;

  // Sets the expanded flags for a mode and repaints. Open Current Page rebuilds at once
  // and, when the bar is visible, scrolls the current row into view; the other modes
  // leave the rebuild to the next paint.
  void SetExpansion(ContentsExpansion mode);

  // The Lesson Book's lesson and page as last seen (lesson -1: none yet).
  const ActivityLocator& current() const { return m_current; }
  bool adjustPending() const { return m_adjust; }
  bool rebuildPending() const { return m_rebuild; }
  // Applies the pending "adjust" (Open Current Page) and "rebuild", as painting does.
  void ApplyPending();

  // ---- commands ----
  // The clipboard text of the rows (course bytes): see ContentsCopyText.
  std::string CopyText() const;
  void Copy();
  // The context menu 6006 with its status texts; the caller owns it.
  QMenu* BuildMenu(QWidget* parent);
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  void OnCourseNotify(int code, void* data) override;

  // The smallest the learner can make the bar.
  QSize minimumSizeHint() const override { return QSize(80, 48); }

  // ---- drawing ----
  void PaintRows(QPainter& painter, const QRect& area, int width, bool printing) override;
  void PaintCorner(QPainter& painter, const QRect& square) override;

  // ---- press tracking, for tests and the drag ----
  int pressedRow() const { return m_pressedRow; }
  bool pressInside() const { return m_pressInside; }
  bool dragging() const { return m_dragging; }
  // Opens the context menu at a screen point; the default runs QMenu::exec. Replaced in
  // tests, which get the menu and return the chosen command (0: none).
  using MenuRunner = std::function<int(QMenu& menu, const QPoint& globalPos)>;
  void SetMenuRunner(MenuRunner runner) { m_menuRunner = std::move(runner); }
  bool menuBoxPressed() const { return m_menuPressed; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void OpenMenu(const QPoint& globalPos);
  void TakePlace(QWidget* book);
  bool PlaceDiffers(QWidget* book) const;
  void CompletionChanged(const ActivityLocator* locator);
  void StartDrag(QPoint globalPos);
  void StopDrag();
  void DropRow(int row, QPoint globalPos);
  void TurnBook(int row);
  void EndTracking();
  bool TocIcons() const;
  bool NeverAdjust() const;
  void DrawRow(QPainter& painter, int r, int top, int width, bool tocIcons, int lessonBase);

  ContentsRowList m_rows;
  ActivityLocator m_current;
  bool m_tocIcons = true;
  bool m_adjust = true;
  bool m_rebuild = true;
  // A click being tracked.
  int m_pressedRow = -1;
  bool m_pressInside = false;
  bool m_dragging = false;
  bool m_menuPressed = false;
  std::unique_ptr<CDragOutline> m_outline;  // follows the pointer while dragging
  MenuRunner m_menuRunner;
};

// The contents the bar works on: the ContentsTable service, or null.
ContentsTable* BarContents();
