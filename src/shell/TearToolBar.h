// The tear-off bar base: a list of equal rows drawn by the subclass, with its own
// vertical scroll bar along the right edge (shown only when the rows are taller than the
// bar), hosted by a dockable frame (CStatsDockWnd) that docks like a toolbar or floats.
// The Table of Contents, Index, Glossary and Bookmarks bars derive from it; until a
// subclass supplies rows the bar is empty.
//
// Rows are one sixth of an inch high (16 pixels at 96 per inch). Content coordinates
// start at the top of row 0; the bottom-right square of the scroll bar's width is left
// to the subclass (PaintCorner).
#pragma once

#include <QtWidgets/QWidget>

#include "shell/CommandTarget.h"
#include "shell/CourseNotify.h"
#include "shell/TearBarGeometry.h"

class CStatsDockWnd;
class QPrinter;
class QScrollBar;

class CTearToolBar : public QWidget, public CourseNotifyTarget, public CommandTarget {
 public:
  // id: the bar's command and window id (9088, 9095, 9093, 9087).
  explicit CTearToolBar(int id, QWidget* parent = nullptr);
  ~CTearToolBar() override;

  int barId() const { return m_id; }
  // The dockable frame holding the bar (null before it is placed in one).
  CStatsDockWnd* dockFrame() const;

  // ---- the bar's operations, for subclasses ----
  void OnCourseNotify(int code, void* data) override;
  virtual int ScrollBarWidth() const;
  virtual int LeftMargin() const { return 0; }
  virtual int RowHeight() const;
  virtual int RowCount() const { return 0; }
  // Height of all rows, on screen or when printed.
  virtual int ContentHeight(bool printing) const;
  // Row r in client coordinates: the client width (less the scroll bar when shown).
  virtual QRect RowRect(int row) const;
  // Readies painter for drawing rows: clips away the scroll bar.
  virtual void PrepareDrawing(QPainter& painter) const;
  // Draws the rows that meet area (content coordinates; the painter's origin is the top
  // of row 0). width: the width of a row.
  virtual void PaintRows(QPainter& painter, const QRect& area, int width, bool printing);
  // Draws the bottom-right square (client coordinates).
  virtual void PaintCorner(QPainter& painter, const QRect& square);
  // Prints the rows: a hidden print view is made over the bar, given the print command
  // and closed. Returns the number of pages printed (0: none, or cancelled).
  virtual int Print(QPrinter* printer = nullptr);

  // ---- scrolling ----
  const TearScroll& scrollState() const { return m_scroll; }
  int ScrollTo(int position);
  int RowAt(const QPoint& clientPos) const;
  void ScrollRowIntoView(int row);
  // Call after the rows changed: new content height, scroll bar and repaint.
  void RowsChanged();
  // The square the subclass owns, client coordinates.
  QRect CornerSquare() const;
  QScrollBar* scrollBar() const { return m_bar; }

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Layout();

  int m_id = 0;
  QScrollBar* m_bar = nullptr;
  TearScroll m_scroll;
};
