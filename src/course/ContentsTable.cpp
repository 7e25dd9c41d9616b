#include "course/ContentsTable.h"

#include <algorithm>
#include <cstring>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/BundleList.h"
#include "course/Services.h"

ContentsTable::ContentsTable() { Clear(); }

void ContentsTable::Clear() {
  m_groups.clear();
  m_lessons.clear();
  m_order.clear();
  m_displayOf.clear();
  m_orderings.clear();
  m_warnings.clear();
  m_pool.assign(1, '\0');
  m_bundle = 0;
  m_lessonBase = 1;
}

const ContentsLesson* ContentsTable::Lesson(int displayPosition) const {
  return LessonAtIndex(DisplayToIndex(displayPosition));
}

ContentsLesson* ContentsTable::Lesson(int displayPosition) {
  const int index = DisplayToIndex(displayPosition);
  return index < 0 ? nullptr : &m_lessons[static_cast<std::size_t>(index)];
}

const ContentsLesson* ContentsTable::LessonAtIndex(int index) const {
  if (index < 0 || index >= LessonCount()) return nullptr;
  return &m_lessons[static_cast<std::size_t>(index)];
}

const ContentsGroup* ContentsTable::Group(int index) const {
  if (index < 0 || index >= GroupCount()) return nullptr;
  return &m_groups[static_cast<std::size_t>(index)];
}

ContentsGroup* ContentsTable::Group(int index) {
  if (index < 0 || index >= GroupCount()) return nullptr;
  return &m_groups[static_cast<std::size_t>(index)];
}

std::string_view ContentsTable::String(std::uint32_t offset) const {
  if (offset == 0 || offset >= m_pool.size()) return {};
  const char* begin = m_pool.data() + offset;
  const void* nul = std::memchr(begin, '\0', m_pool.size() - offset);
  return {begin, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : m_pool.size() - offset};
}

std::string_view ContentsTable::Ordering(int index) const {
  if (index < 0 || index >= OrderingCount()) return {};
  return String(m_orderings[static_cast<std::size_t>(index)]);
}

int ContentsTable::DisplayToIndex(int position) const {
  if (position < 0 || position >= static_cast<int>(m_order.size())) return -1;
  return m_order[static_cast<std::size_t>(position)];
}

int ContentsTable::IndexToDisplay(int index) const {
  if (index < 0 || index >= static_cast<int>(m_displayOf.size())) return -1;
  return m_displayOf[static_cast<std::size_t>(index)];
}

void ContentsTable::ApplyBundle(int bundle, bool force) { ApplyBundle(bundle, force, Service<BundleList>()); }

void ContentsTable::ApplyBundle(int bundle, bool force, const BundleList* bundles) {
  if (bundle < 0 || !bundles || bundle >= bundles->Count()) bundle = 0;
  std::optional<std::string_view> ordering;
  if (bundle != 0) {
    const std::string key = ToAsciiUpper(bundles->Key(bundle));
    for (int i = 0; i < OrderingCount() && !ordering; ++i)
      if (Ordering(i).starts_with(key)) ordering = Ordering(i);
  }
  if (bundle == m_bundle && !force) return;
  m_bundle = bundle;

  if (!ordering) {
    for (auto& g : m_groups) g.order = g.sequence;
    for (auto& l : m_lessons) l.order = l.sequence;
  } else {
    for (auto& g : m_groups) g.order = -1;
    for (auto& l : m_lessons) l.order = -1;
    std::string_view list = *ordering;
    if (const auto colon = list.find(':'); colon != std::string_view::npos) list.remove_prefix(colon + 1);
    int counter = 0;
    while (true) {
      const auto comma = list.find(',');
      const std::string_view token = list.substr(0, comma);
      if (token.size() == 1) {
        const int group = token[0] - '0';
        if (group >= 1 && group <= GroupCount()) m_groups[static_cast<std::size_t>(group - 1)].order = counter++;
      } else if (token.size() > 1) {
        const auto it = std::find_if(m_lessons.begin(), m_lessons.end(),
                                     [&](const ContentsLesson& l) { return EqualNoCase(String(l.code), token); });
        if (it != m_lessons.end()) it->order = counter++;
      }
      if (comma == std::string_view::npos) break;
      list.remove_prefix(comma + 1);
    }
    for (auto& l : m_lessons)
      if (l.order < 0) l.order = counter++;
  }

  // Shown groups and all lessons by order number; a group heads the lesson after it.
  struct Item {
    std::int32_t order;
    bool group;
    std::size_t index;
  };
  std::vector<Item> items;
  items.reserve(m_groups.size() + m_lessons.size());
  for (std::size_t i = 0; i < m_groups.size(); ++i) {
    m_groups[i].firstLesson = ContentsGroup::kNoLesson;
    if (m_groups[i].order >= 0) items.push_back({m_groups[i].order, true, i});
  }
  for (std::size_t i = 0; i < m_lessons.size(); ++i) items.push_back({m_lessons[i].order, false, i});
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.order < b.order; });

  m_order.clear();
  int pending = -1, lastGroup = -1;
  for (const Item& item : items) {
    if (item.group) {
      pending = lastGroup = static_cast<int>(item.index);
      continue;
    }
    m_lessons[item.index].headingGroup = pending;
    pending = -1;
    if (lastGroup >= 0 && m_groups[static_cast<std::size_t>(lastGroup)].firstLesson == ContentsGroup::kNoLesson)
      m_groups[static_cast<std::size_t>(lastGroup)].firstLesson = static_cast<std::uint8_t>(m_order.size());
    m_order.push_back(static_cast<std::uint8_t>(item.index));
  }
  m_displayOf.assign(m_lessons.size(), 0);
  for (std::size_t pos = 0; pos < m_order.size(); ++pos) m_displayOf[m_order[pos]] = static_cast<std::uint8_t>(pos);
}

int ContentsTable::FindLessonByCode(std::string_view code, int fromDisplay) const {
  for (int pos = std::max(fromDisplay, 0); pos < LessonCount(); ++pos)
    if (EqualNoCase(String(Lesson(pos)->code), code)) return pos;
  return -1;
}

std::optional<ActivityLocator> ContentsTable::Resolve(std::string_view identifier) const {
  if (identifier.empty()) return std::nullopt;
  if (identifier[0] != ':') {
    for (int pos = 0; pos < LessonCount(); ++pos) {
      const ContentsLesson& l = *Lesson(pos);
      for (int p = 0; p < l.pageCount; ++p) {
        const ContentsPage& page = l.pages[static_cast<std::size_t>(p)];
        for (int a = 0; a < page.activityCount; ++a) {
          const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
          if (act.file != 0 && EqualNoCase(String(act.file), identifier)) return ActivityLocator(pos, p, a);
        }
      }
    }
    return std::nullopt;
  }

  identifier.remove_prefix(1);
  const auto colon = identifier.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view code = identifier.substr(0, colon);
  const std::string rest = ToAsciiLower(identifier.substr(colon + 1));
  if (code.empty() || rest.empty()) return std::nullopt;
  const int kind = KindOfFileName(rest);

  for (int pos = FindLessonByCode(code, 0); pos >= 0; pos = FindLessonByCode(code, pos + 1)) {
    const ContentsLesson& l = *Lesson(pos);
    if (kind == kKindPage) {
      // "<stem><digit>.pag": the digit is the page number 1 to 9.
      if (rest.size() < 6) continue;
      const int page = rest[rest.size() - 5] - '1';
      if (page >= 0 && page < l.pageCount) return ActivityLocator(pos, page, -1);
      continue;
    }
    if (IsLessonLevelKind(kind)) {
      ActivityLocator loc(pos, -1, -1);
      loc.kind = static_cast<std::uint8_t>(kind);
      loc.file = rest;
      return loc;
    }
    for (int p = 0; p < l.pageCount; ++p) {
      const ContentsPage& page = l.pages[static_cast<std::size_t>(p)];
      for (int a = 0; a < page.activityCount; ++a) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
        if (act.file != 0 && EqualNoCase(String(act.file), rest)) return ActivityLocator(pos, p, a);
      }
    }
  }
  return std::nullopt;
}

std::optional<ActivityLocator> ContentsTable::ResolveLessonCode(std::string_view code) const {
  if (code.empty()) return std::nullopt;
  const int pos = FindLessonByCode(code, 0);
  if (pos < 0) return std::nullopt;
  return ActivityLocator(pos, -1, -1);
}

bool ContentsTable::IsValid(const ActivityLocator& locator) const {
  const ContentsLesson* l = Lesson(locator.lesson);
  if (!l) return false;
  if (locator.page == -1) return locator.activity == -1;
  if (locator.page < 0 || locator.page >= l->pageCount) return false;
  if (locator.activity == -1) return true;
  if (locator.activity < 0) return false;
  const ContentsPage& page = l->pages[static_cast<std::size_t>(locator.page)];
  const int limit = page.activityCount == 0 ? ContentsPage::kMaxActivities : page.activityCount;
  return locator.activity < limit;
}
