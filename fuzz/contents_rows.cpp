// The Table of Contents rows over any contents.txt: every expansion mode, toggles, the
// drawn labels (markup stripped) and the copied text, and the agreement of RowLocator
// and RowOf. The first byte of the input picks the current lesson and page and the
// lesson base; the rest is contents.txt.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "contentsbar/ContentsLabels.h"
#include "contentsbar/ContentsRows.h"
#include "course/ContentsTable.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Exercise(const ContentsTable& t, const ContentsRowList& rows) {
  const int checked = std::min(rows.count(), 200);
  for (int r = 0; r < checked; ++r) {
    const ContentsRow& row = *rows.row(r);
    Check(RowLabel(row, t, t.LessonBase(), true).size() <= 259);
    Check(RowLabel(row, t, t.LessonBase(), false).size() <= 259);
    const ActivityLocator l = rows.RowLocator(r);
    if (row.type == kRowGroup) {
      // A group stands for its first lesson, whose row follows when the group is open.
      if (l.lesson >= 0) Check(rows.RowOf(l) == (row.expanded ? r + 1 : r));
    } else {
      Check(rows.RowOf(l) == r);
    }
  }
  const std::string copy = ContentsCopyText(rows.rows(), t);
  std::size_t start = 0, lines = 0;
  while (start < copy.size()) {
    const std::size_t end = copy.find("\r\n", start);
    Check(end != std::string::npos && end + 2 - start <= 256);
    start = end + 2;
    ++lines;
  }
  Check(lines == rows.rows().size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int pick = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  ContentsTable t;
  t.Load(text, pick & 1 ? 0 : 1, 0, nullptr);
  const ActivityLocator current((pick >> 1) % 41 - 1, (pick >> 4) % 10 - 1, -1);
  const auto completed = [pick](int l, int p, int a) { return ((l + p + a + pick) & 3) == 0; };
  ContentsRowList rows;
  for (int mode = 0; mode < 4; ++mode) {
    ApplyContentsExpansion(t, static_cast<ContentsExpansion>(mode), current);
    rows.Rebuild(t, completed);
    Exercise(t, rows);
  }
  // Toggle every other row from the top, as clicks would, Ctrl held on some.
  for (int r = 0; r < rows.count() && r < 64; r += 2) {
    ToggleRow(t, *rows.row(r), (r & 2) != 0);
    rows.Rebuild(t, completed);
  }
  Exercise(t, rows);
  return 0;
}
