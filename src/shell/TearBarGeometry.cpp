#include "shell/TearBarGeometry.h"

#include <algorithm>
#include <vector>

int TearRowHeight(int dpiY) { return std::max(1, 9 * 4 * dpiY / 216); }

void TearScroll::SetContent(int contentHeight, int clientHeight) {
  m_content = std::max(0, contentHeight);
  m_client = std::max(0, clientHeight);
  SetPosition(m_position);
}

int TearScroll::maxPosition() const { return std::max(0, m_content - m_client); }

int TearScroll::SetPosition(int position) {
  m_position = std::clamp(position, 0, maxPosition());
  return m_position;
}

int TearScroll::ScrollIntoView(int top, int bottom) {
  if (top < m_position) return SetPosition(top);
  if (bottom > m_position + m_client) return SetPosition(std::min(top, bottom - m_client));
  return m_position;
}

int TearRowAt(int clientY, int position, int rowHeight) {
  const int y = clientY + position;
  if (rowHeight <= 0) return -1;
  return y >= 0 ? y / rowHeight : -((-y + rowHeight - 1) / rowHeight);
}

QRect TearRowRect(int row, int rowHeight, int width, int position) {
  return QRect(0, row * rowHeight - position, width, rowHeight);
}

RowSpan TearRowsIn(int clientTop, int clientBottom, int position, int rowHeight, int rowCount) {
  RowSpan span;
  if (rowHeight <= 0 || rowCount <= 0 || clientBottom <= clientTop) return span;
  span.first = std::max(0, TearRowAt(clientTop, position, rowHeight));
  span.last = std::min(rowCount - 1, TearRowAt(clientBottom - 1, position, rowHeight));
  return span;
}

std::vector<int> TearPageStarts(int rowCount, int rowHeight, int pageHeight) {
  std::vector<int> starts;
  if (rowCount <= 0) return starts;
  const int perPage = std::max(1, rowHeight > 0 ? pageHeight / rowHeight : 1);
  for (int r = 0; r < rowCount; r += perPage) starts.push_back(r);
  return starts;
}
