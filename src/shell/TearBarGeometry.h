// Rows and scrolling of a tear-off bar's list: rows of equal height, one vertical scroll
// position in pixels. Content coordinates run from the top of row 0; the client area
// shows [position, position + client height).
#pragma once

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <vector>

// One sixth of an inch: 9 * 4 * (vertical pixels per inch) / 216; 16 at 96 per inch.
int TearRowHeight(int dpiY);

// Default, minimum and maximum sizes of a bar, pixels. A docked bar is at most 200 high
// along the top or bottom and at most 250 wide along the sides.
inline constexpr QSize kTearDefaultSize{200, 200};
inline constexpr QSize kTearMinTrack{40, 48};
inline constexpr QSize kTearMaxTrack{250, 200};

class TearScroll {
 public:
  void SetContent(int contentHeight, int clientHeight);
  int position() const { return m_position; }
  int content() const { return m_content; }
  int client() const { return m_client; }
  // The scroll bar is shown and enabled only when the rows are taller than the client area.
  bool barShown() const { return m_content > m_client; }
  // Largest position: content less client height, so that the last row can be shown whole.
  int maxPosition() const;

  // Each returns the new position, kept within 0 and maxPosition().
  int LineUp(int rowHeight) { return SetPosition(m_position - rowHeight); }
  int LineDown(int rowHeight) { return SetPosition(m_position + rowHeight); }
  int PageUp() { return SetPosition(m_position - m_client); }
  int PageDown() { return SetPosition(m_position + m_client); }
  int Top() { return SetPosition(0); }
  int Bottom() { return SetPosition(maxPosition()); }
  int SetPosition(int position);
  // Moves by the least amount that shows the whole of [top, bottom) (content coordinates).
  int ScrollIntoView(int top, int bottom);

 private:
  int m_content = 0;
  int m_client = 0;
  int m_position = 0;
};

// The row under client y (rows counted from 0; negative above row 0).
int TearRowAt(int clientY, int position, int rowHeight);
// Row r in client coordinates: the given width, from r * height - position.
QRect TearRowRect(int row, int rowHeight, int width, int position);
// The rows [first, last] that meet the client rows [top, bottom); last < first when none.
struct RowSpan {
  int first = 0;
  int last = -1;
};
RowSpan TearRowsIn(int clientTop, int clientBottom, int position, int rowHeight, int rowCount);

// Printing: each page holds a whole number of rows. The content rows [0, rowCount) are
// cut into pages of at most pageHeight pixels (at least one row per page); the result is
// the first row of each page.
std::vector<int> TearPageStarts(int rowCount, int rowHeight, int pageHeight);
