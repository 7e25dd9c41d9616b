// The rows of the Table of Contents bar: the visible part of the course tree (lesson
// groups, lessons, pages, activities in display order), built from the contents and the
// expanded flags kept in its group, lesson and page records.
//
// The list holds no pointers into the contents: a row names its record by group index or
// by lesson display position and page index, so a stale row list never dangles; it is
// rebuilt whenever the expansion or the order changes.
#pragma once

#include <QtCore/QRect>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "course/ActivityLocator.h"

class ContentsTable;

// Row types below 3; an activity row's type is the activity's kind (3 to 17).
enum ContentsRowType : int { kRowGroup = 0, kRowLesson = 1, kRowPage = 2 };

// Depths of the tree: group 0, lesson 1, page 2, activity 3.
inline constexpr int kRowLevels = 4;

struct ContentsRow {
  int type = kRowGroup;
  std::uint32_t text = 0;  // pool offset of the title
  // Group rows: the group number counted over the group rows built so far (0: the first
  // shown); lessons: the display position; pages: the page index; activities: the
  // activity index.
  int index = 0;
  int textRight = 0;  // right edge of the drawn label, client pixels; set when drawn
  int expanded = 0;   // the record's flag; activities always 1
  bool completed = false;
  // The record: a group row's group index (file order); every other row's lesson display
  // position and page index (-1 for lesson rows). Group rows carry the group's first
  // lesson, or -1 when it has none.
  int group = -1;
  int lesson = -1;
  int page = -1;

  // The tree lines through the row (see ContentsRowList::Rebuild).
  std::uint8_t throughLines = 0;  // bit k: the sibling line of depth k passes the whole row
  bool linkUp = false;            // the row's own line comes from above (parent or earlier sibling)
  bool hasNext = false;           // a later sibling follows: the line goes on below
  bool hasChildren = false;       // expanded, and the next row is one of its children

  int level() const { return type < kRowPage ? type : (type == kRowPage ? 2 : 3); }
  bool isActivity() const { return type > kRowPage; }
};

// The four expansion modes (the context menu's commands 9014, 9015, 9012, 9010).
enum class ContentsExpansion : int { OpenAll = 0, OpenLessons = 1, OpenCurrentPage = 2, CloseAll = 3 };

// Sets the expanded flags of every record of contents for mode. Every group is opened;
// OpenCurrentPage opens only current's lesson and, in it, only current's page (a current
// without a lesson leaves everything closed).
void ApplyContentsExpansion(ContentsTable& contents, ContentsExpansion mode, const ActivityLocator& current);

class ContentsRowList {
 public:
  // Whether the activity (lesson display position, page, activity) is completed.
  using CompletedFn = std::function<bool(int lesson, int page, int activity)>;

  // Lists the lessons in display order: a lesson that heads a group is preceded by a
  // group row, and that group's flag decides whether its lessons are listed (lessons
  // before the first group always are); an expanded lesson lists its pages, an expanded
  // page its activities with their completed state (none without completed).
  void Rebuild(const ContentsTable& contents, const CompletedFn& completed);

  int count() const { return static_cast<int>(m_rows.size()); }
  const std::vector<ContentsRow>& rows() const { return m_rows; }
  // Null out of range.
  const ContentsRow* row(int r) const;
  ContentsRow* row(int r);

  // The locator of row r: activity rows give lesson, page and activity; page rows the
  // page (activity -1); lesson rows the lesson (page -1); a group row its first lesson
  // (page -1). A default locator (no lesson) out of range or for a group without lessons.
  ActivityLocator RowLocator(int r) const;
  // The deepest visible row for locator: its activity, else its page, else its lesson,
  // else the closed group it is listed under; -1 when none (or no lesson).
  int RowOf(const ActivityLocator& locator) const;

 private:
  void LinkTree();

  std::vector<ContentsRow> m_rows;
};

// The record's expanded flag behind a group, lesson or page row; null for activity rows
// and rows whose record the contents no longer hold.
std::int32_t* RowExpandedFlag(ContentsTable& contents, const ContentsRow& row);

// Toggles the row's expanded flag; for a lesson with allPages, each of its pages takes the
// lesson's new state. False when the row has no record to toggle.
bool ToggleRow(ContentsTable& contents, const ContentsRow& row, bool allPages);

// Where the parts of a row go, in pixels from the row's top-left corner, for rows
// rowHeight high. Depth L boxes stand 9 pixels further right per level; a row's line
// hangs from the column through its parent's box.
struct ContentsRowPlaces {
  QRect box;          // expansion box, 9 by 9; empty for activities
  int lineX = -1;     // the sibling line's column; -1 for top-level rows
  int branchEnd = 0;  // where the horizontal branch from lineX ends
  QRect icon;         // the kind icon (activities, with icons); empty otherwise
  QRect check;        // the check mark's place (activities)
  int labelLeft = 0;
};
inline constexpr int kBoxSize = 9;
inline constexpr int kIconSize = 16;
int RowColumn(int level);
ContentsRowPlaces PlaceRow(const ContentsRow& row, int rowHeight, bool tocIcons);
// The part of a group, lesson or page row that toggles it: from the box to the label's
// right edge, widened by 2 pixels on the left and right and narrowed by 1 at the top and
// bottom (point in row coordinates).
bool InToggleArea(const ContentsRow& row, const ContentsRowPlaces& places, int rowHeight, QPoint point);
