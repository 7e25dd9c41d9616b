#include "contentsbar/ContentsRows.h"

#include <algorithm>
#include <array>

#include "course/ContentsTable.h"

namespace {

int PageCount(const ContentsLesson& lesson) { return std::min<int>(lesson.pageCount, ContentsLesson::kMaxPages); }
int ActivityCount(const ContentsPage& page) { return std::min<int>(page.activityCount, ContentsPage::kMaxActivities); }

}  // namespace

void ApplyContentsExpansion(ContentsTable& contents, ContentsExpansion mode, const ActivityLocator& current) {
  for (int g = 0; g < contents.GroupCount(); ++g) contents.Group(g)->expanded = 1;
  for (int pos = 0; pos < contents.LessonCount(); ++pos) {
    ContentsLesson* lesson = contents.Lesson(pos);
    if (!lesson) continue;
    const bool isCurrent = current.lesson >= 0 && current.lesson == pos;
    bool lessonOpen = false;
    switch (mode) {
      case ContentsExpansion::OpenAll:
      case ContentsExpansion::OpenLessons:
        lessonOpen = true;
        break;
      case ContentsExpansion::OpenCurrentPage:
        lessonOpen = isCurrent;
        break;
      case ContentsExpansion::CloseAll:
        break;
    }
    lesson->expanded = lessonOpen ? 1 : 0;
    for (int p = 0; p < ContentsLesson::kMaxPages; ++p) {
      bool pageOpen = mode == ContentsExpansion::OpenAll;
      if (mode == ContentsExpansion::OpenCurrentPage) pageOpen = isCurrent && current.page == p;
      lesson->pages[p].expanded = pageOpen ? 1 : 0;
    }
  }
}

void ContentsRowList::Rebuild(const ContentsTable& contents, const CompletedFn& completed) {
  m_rows.clear();
  int groupNumber = 0;
  bool listing = true;  // lessons before the first group are always listed
  for (int pos = 0; pos < contents.LessonCount(); ++pos) {
    const ContentsLesson* lesson = contents.Lesson(pos);
    if (!lesson) continue;
    if (const ContentsGroup* group = contents.Group(lesson->headingGroup)) {
      ContentsRow row;
      row.type = kRowGroup;
      row.text = group->title;
      row.index = groupNumber++;
      row.expanded = group->expanded;
      row.group = lesson->headingGroup;
      row.lesson = group->firstLesson == ContentsGroup::kNoLesson ? -1 : group->firstLesson;
      m_rows.push_back(row);
      listing = group->expanded != 0;
    }
    if (!listing) continue;
    ContentsRow lessonRow;
    lessonRow.type = kRowLesson;
    lessonRow.text = lesson->title;
    lessonRow.index = pos;
    lessonRow.expanded = lesson->expanded;
    lessonRow.lesson = pos;
    m_rows.push_back(lessonRow);
    if (!lesson->expanded) continue;
    for (int p = 0; p < PageCount(*lesson); ++p) {
      const ContentsPage& page = lesson->pages[p];
      ContentsRow pageRow;
      pageRow.type = kRowPage;
      pageRow.text = page.title;
      pageRow.index = p;
      pageRow.expanded = page.expanded;
      pageRow.lesson = pos;
      pageRow.page = p;
      m_rows.push_back(pageRow);
      if (!page.expanded) continue;
      for (int a = 0; a < ActivityCount(page); ++a) {
        ContentsRow act;
        // An activity row is told from the others by its type: a kind that could be
        // mistaken for a group, lesson or page is shown as an exposition.
        act.type = page.activities[a].kind > kRowPage ? page.activities[a].kind : 3;
        act.text = page.activities[a].title;
        act.index = a;
        act.expanded = 1;
        act.completed = completed && completed(pos, p, a);
        act.lesson = pos;
        act.page = p;
        m_rows.push_back(act);
      }
    }
  }
  LinkTree();
}

// Works out the tree lines. A row of depth L hangs from the sibling line of depth L,
// which joins the rows of depth L under one parent; top-level rows (groups, and lessons
// before the first group) have no parent. Two passes, linear in the row count.
void ContentsRowList::LinkTree() {
  const int n = count();
  // Backwards: whether a later sibling follows before the parent's branch ends.
  std::array<bool, kRowLevels> later{};
  for (int i = n - 1; i >= 0; --i) {
    ContentsRow& r = m_rows[i];
    const int level = r.level();
    r.hasNext = later[level];
    later[level] = true;
    for (int k = level + 1; k < kRowLevels; ++k) later[k] = false;
    r.hasChildren = r.expanded && !r.isActivity() && i + 1 < n && m_rows[i + 1].level() > level;
  }
  // Forwards: the lines of the row's ancestors that go on past it, and whether the row
  // links up to a parent or an earlier sibling.
  std::array<bool, kRowLevels> open{};    // a sibling line of that depth is running
  std::array<bool, kRowLevels> parent{};  // a row of that depth has been seen since the last shallower one
  for (int i = 0; i < n; ++i) {
    ContentsRow& r = m_rows[i];
    const int level = r.level();
    std::uint8_t through = 0;
    for (int k = 1; k < level; ++k)
      if (open[k]) through |= static_cast<std::uint8_t>(1u << k);
    r.throughLines = through;
    const bool hasParent = level > 0 && parent[level - 1];
    r.linkUp = level > 0 && (hasParent || open[level]);
    open[level] = r.hasNext;
    parent[level] = true;
    for (int k = level + 1; k < kRowLevels; ++k) {
      open[k] = false;
      parent[k] = false;
    }
  }
}

const ContentsRow* ContentsRowList::row(int r) const {
  return r >= 0 && r < count() ? &m_rows[static_cast<std::size_t>(r)] : nullptr;
}

ContentsRow* ContentsRowList::row(int r) { return r >= 0 && r < count() ? &m_rows[static_cast<std::size_t>(r)] : nullptr; }

ActivityLocator ContentsRowList::RowLocator(int r) const {
  ActivityLocator locator;
  const ContentsRow* start = row(r);
  if (!start) return locator;
  // Walking back, each shallower row fills in the next field up; deeper rows of earlier
  // branches are passed over.
  int need = start->level();
  int activity = -1, page = -1;
  for (int i = r; i >= 0; --i) {
    const ContentsRow& x = m_rows[static_cast<std::size_t>(i)];
    const int level = x.level();
    if (level > need) continue;
    if (level == 3) {
      activity = x.index;
      need = 2;
    } else if (level == 2) {
      page = x.index;
      need = 1;
    } else {
      // A lesson row, or the group row the walk started on.
      if (x.lesson < 0) return locator;
      return ActivityLocator(x.lesson, page, activity);
    }
  }
  return locator;
}

int ContentsRowList::RowOf(const ActivityLocator& locator) const {
  if (locator.lesson < 0) return -1;
  int result = -1;
  bool inLesson = false, inPage = false;
  for (int i = 0; i < count(); ++i) {
    const ContentsRow& x = m_rows[static_cast<std::size_t>(i)];
    switch (x.level()) {
      case 0:
        if (x.lesson < 0) break;  // a group without lessons stands for nothing
        if (x.lesson > locator.lesson) return result;
        result = i;
        inLesson = inPage = false;
        break;
      case 1:
        if (x.lesson > locator.lesson) return result;
        inLesson = x.lesson == locator.lesson;
        inPage = false;
        if (inLesson) result = i;
        break;
      case 2:
        if (!inLesson) break;
        if (x.index > locator.page) return result;
        inPage = x.index == locator.page;
        if (inPage) result = i;
        break;
      default:
        if (!inPage) break;
        if (x.index > locator.activity) return result;
        if (x.index == locator.activity) result = i;
        break;
    }
  }
  return result;
}

std::int32_t* RowExpandedFlag(ContentsTable& contents, const ContentsRow& row) {
  switch (row.type) {
    case kRowGroup:
      if (ContentsGroup* g = contents.Group(row.group)) return &g->expanded;
      return nullptr;
    case kRowLesson:
      if (ContentsLesson* l = contents.Lesson(row.lesson)) return &l->expanded;
      return nullptr;
    case kRowPage:
      if (ContentsLesson* l = contents.Lesson(row.lesson); l && row.page >= 0 && row.page < PageCount(*l))
        return &l->pages[static_cast<std::size_t>(row.page)].expanded;
      return nullptr;
    default:
      return nullptr;
  }
}

bool ToggleRow(ContentsTable& contents, const ContentsRow& row, bool allPages) {
  std::int32_t* flag = RowExpandedFlag(contents, row);
  if (!flag) return false;
  *flag = *flag ? 0 : 1;
  if (allPages && row.type == kRowLesson)
    if (ContentsLesson* l = contents.Lesson(row.lesson))
      for (ContentsPage& page : l->pages) page.expanded = *flag;
  return true;
}

int RowColumn(int level) { return level * kBoxSize + kBoxSize / 2; }

ContentsRowPlaces PlaceRow(const ContentsRow& row, int rowHeight, bool tocIcons) {
  ContentsRowPlaces p;
  const int level = row.level();
  if (level > 0) p.lineX = RowColumn(level - 1);
  if (!row.isActivity()) {
    p.box = QRect(level * kBoxSize, (rowHeight - kBoxSize) / 2, kBoxSize, kBoxSize);
    p.branchEnd = p.box.left();
    p.labelLeft = p.box.right() + 1 + 4;
    return p;
  }
  // Activities: a branch one indent long (the row height less 4), then the icon or
  // the check mark's column, then the label.
  p.branchEnd = p.lineX + rowHeight - 4;
  const int iconTop = (rowHeight - kIconSize) / 2;
  if (tocIcons) {
    p.icon = QRect(p.branchEnd, iconTop, kIconSize, kIconSize);
    p.check = QRect(p.branchEnd - 14, iconTop, kIconSize, kIconSize);
    p.labelLeft = p.icon.right() + 1 + 3;
  } else {
    // The check mark stands 5 pixels right of the branch; the label (two spaces, then
    // the title) starts far enough right that the mark does not cover the title.
    p.check = QRect(p.branchEnd + 5, iconTop, kIconSize, kIconSize);
    p.labelLeft = p.branchEnd + 5 + kIconSize - 7;
  }
  return p;
}

bool InToggleArea(const ContentsRow& row, const ContentsRowPlaces& places, int rowHeight, QPoint point) {
  if (row.isActivity() || places.box.isEmpty()) return false;
  const int right = std::max(row.textRight, places.box.right() + 1);
  return point.x() >= places.box.left() - 2 && point.x() < right + 2 && point.y() >= 1 && point.y() < rowHeight - 1;
}
