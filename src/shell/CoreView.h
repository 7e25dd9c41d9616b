// The course view base: the one view inside each course window (and the hidden view that
// prints a tear-off bar). It scrolls its content vertically and horizontally, paints it
// through PaintContent, and shares with every view:
//  - Undo (57643): replays the last undoable command, which undoes itself, and switches
//    between "Undo" and "Redo";
//  - Close (57602), Print (57607, 57608) with a header and footer on every page, and
//    Print Preview (57609);
//  - the mouse wheel (with Ctrl: the Lesson Book font size), middle-button automatic
//    scrolling, and scrolling keys; letters and digits go to the glossary and index bars.
#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtWidgets/QAbstractScrollArea>

#include "shell/CommandTarget.h"
#include "shell/CourseNotify.h"

class QPrinter;
class QTimer;

class CCoreView : public QAbstractScrollArea, public CourseNotifyTarget, public CommandTarget {
 public:
  explicit CCoreView(QWidget* parent = nullptr);
  ~CCoreView() override;

  // ---- content ----
  // The size of the whole content in pixels; the scroll bars follow it.
  void SetContentSize(const QSize& size);
  QSize contentSize() const { return m_contentSize; }
  QPoint scrollOffset() const;
  void ScrollTo(int y);
  void ScrollBy(int dy);
  // Paints the part rect of the content (content coordinates) on painter, whose origin
  // is the content's top-left. printing: for a printed page (no selection marks and the like).
  virtual void PaintContent(QPainter& painter, const QRect& rect, bool printing);

  // ---- undo ----
  // Records the last undoable command: its id and its text as its menu shows it.
  void RecordUndo(int commandId, const QString& commandText);
  void ClearUndo();
  int undoCommand() const { return m_undoId; }
  bool undoIsRedo() const { return m_redo; }

  // ---- printing ----
  // The content height printed (screen pixels); by default the content's height.
  virtual int PrintContentHeight() const { return m_contentSize.height(); }
  // Where a printed page that starts at top must end at the latest (limit): the view's
  // own break, at or before limit and after top. By default limit itself.
  virtual int PageBreak(int top, int limit) const { return limit; }
  // The title at the top of every page: the window's title.
  virtual QString PrintTitle() const;
  // Prints every page with its header and footer. Returns the number of pages (0 when
  // the printer could not be started).
  int PrintTo(QPrinter& printer);
  // The print dialog (57607) or straight to the default printer (57608), and the preview.
  void Print(bool showDialog);
  void PrintPreview();

  void OnCourseNotify(int code, void* data) override;
  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  bool autoScrolling() const { return m_autoTimer != nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateScrollBars();
  void StartAutoScroll(const QPoint& globalPos);
  void AutoScrollTick();
  void StopAutoScroll();

  QSize m_contentSize;
  int m_undoId = 0;
  QString m_undoText;
  bool m_redo = false;
  int m_wheelRemainder = 0;  // eighths of a degree not yet a whole notch
  QTimer* m_autoTimer = nullptr;
  QPoint m_autoOrigin;
  QPointer<QWidget> m_autoMarker;
};
