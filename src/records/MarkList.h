// The rows window of the Bookmarks bar (and of the datasets list): each row an icon and
// word-wrapped text, taken from the owner. A press and release inside a row chooses it;
// a press that moves more than 150 pixels away from its row becomes a drag of the row's
// locator; a press on the icon column or a right click asks for the context menu.
#pragma once

#include <QtWidgets/QAbstractScrollArea>
#include <string>
#include <vector>

class ActivityLocator;
class ContentsTable;
class QMimeData;

// What the list asks of its owner.
class CMarkListOwner {
 public:
  virtual ~CMarkListOwner() = default;
  virtual int MarkCount() const = 0;
  virtual const ActivityLocator* MarkLocator(int row) const = 0;
  virtual std::string MarkText(int row) const = 0;  // course bytes
  // Whether a press and release on the row chooses it.
  virtual bool AcceptsMark(int row) const { return row >= 0 && row < MarkCount(); }
  virtual void MarkChosen(int row) = 0;
  virtual void MarkContextMenu(int row, const QPoint& globalPos) = 0;
  // Drops of locators onto the list; row is the row under the point, -1 below the last.
  virtual bool AcceptsDrop(const QMimeData* data) const { return false; }
  // fromRow: the row of this list being dragged, -1 for a drag from elsewhere.
  virtual void Dropped(const QMimeData* data, int row, int fromRow) {}
};

// Row geometry: pixels.
inline constexpr int kMarkIconSize = 24;
inline constexpr int kMarkTextLeft = 28;
inline constexpr int kMarkMinRowHeight = 28;
inline constexpr int kMarkRowMargin = 2;
inline constexpr int kMarkDragDistance = 150;

// The icon of a row: the custom icon for marks 1 to 12, else the activity kind's icon;
// drawn from the program's icon resources, or a plain page glyph when a kind has none.
QPixmap MarkIcon(const ActivityLocator& locator, const ContentsTable& contents, int size);

class CMarkList : public QAbstractScrollArea {
  Q_OBJECT
 public:
  CMarkList(CMarkListOwner& owner, int controlId, QWidget* parent = nullptr);

  int controlId() const { return m_controlId; }
  int selected() const { return m_selected; }
  void SetSelected(int row);
  // The owner's rows changed: re-measure and repaint.
  void Refresh();
  // Text size in points (the learner's font size less 2).
  void SetTextSize(int points);
  // Rows' rectangles in content coordinates (as wide as the viewport).
  QRect RowRect(int row) const;
  int RowAt(const QPoint& viewportPos) const;  // -1 for none
  int ContentHeight() const { return m_tops.empty() ? 0 : m_tops.back(); }

  // Draws rows [first, last] top-down from origin, width wide, on any device (printing).
  void PaintRows(QPainter& painter, int first, int last, QPoint origin, int width) const;
  // The heights the rows have at width (printing lays out for the page width).
  std::vector<int> RowHeights(int width) const;

  // Starts the drag of row's locator; returns when it ends. Virtual for tests.
  virtual void StartDrag(int row);
  QMimeData* MimeForRow(int row) const;
  // The row being dragged out of this list, -1 when none.
  int dragRow() const { return m_dragRow; }

  // Whether the menu button in the bottom-right corner shows the Lesson Book state (1085) or not (1086).
  void SetLessonBookOpen(bool open);

 signals:
  void command(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QFont TextFont() const;
  void Relayout();
  QRect MenuButtonRect() const;
  int RowAtContent(int y) const;

  CMarkListOwner& m_owner;
  int m_controlId;
  int m_selected = -1;
  int m_textSize = 10;
  std::vector<int> m_tops;  // m_tops[i]: top of row i; one more entry for the end
  // Click tracking.
  int m_pressedRow = -1;
  bool m_pressInside = false;
  bool m_dragging = false;
  int m_dragRow = -1;
  bool m_menuPressed = false;
  bool m_lessonBookOpen = false;
};
