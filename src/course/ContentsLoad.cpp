// Reading contents.txt into the ContentsTable: one pass over the lines, one open
// lesson and one open page at a time, every text appended to the string pool.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/ContentsTable.h"

namespace {
// The kind of an activity line's type letter; 0 for a letter that is not one.
// The digits name the outside statistics packages in their table order.
int ActivityKindOfLetter(char type) {
  switch (type) {
    case 'e': return kKindExposition;
    case 'q': return kKindExercise;
    case 'i': return kKindExploration;
    case 'm': return kKindMovie;
    case 't': return kKindHandsOn;
    case 'r': return kKindDocumentation;
    case '1': return kKindExcel;
    case '2': return kKindJmp;
    case '3': return kKindMinitab;
    case '4': return kKindSpss;
    case '5': return kKindSysStat;
    default: return 0;
  }
}

bool IsLeadingBlank(char c) { return c == ' ' || c == '\t' || c == '\0'; }
}  // namespace

class ContentsTable::Reader {
 public:
  explicit Reader(ContentsTable& table) : m_t(table) {}

  void Run(std::string_view text) {
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    // The pool never holds more than the text itself plus the empty string at 0.
    const std::size_t bound = std::min(kMaxPoolSize, text.size() + 1);
    m_t.m_pool.reserve((bound + 1023) / 1024 * 1024);

    int lineNumber = 1;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = start;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      if (!Line(text.substr(start, end - start), lineNumber)) break;
      if (end >= text.size()) break;
      // CR LF ends one line; a lone CR or LF also ends one.
      if (text[end] == '\n' || end + 1 >= text.size() || text[end + 1] != '\n') ++lineNumber;
      start = end + 1;
    }
    CloseLesson();
  }

 private:
  // False when the pool is full and reading stops.
  bool Line(std::string_view line, int number) {
    m_line = number;
    std::size_t skip = 0;
    while (skip < line.size() && IsLeadingBlank(line[skip])) ++skip;
    line.remove_prefix(skip);
    if (line.size() > kMaxLineLength) {
      Warn(number, "line longer than " + std::to_string(kMaxLineLength) + " characters: the rest is dropped");
      line = line.substr(0, kMaxLineLength);
    }
    if (line.empty() || line[0] == '{') return true;

    std::string_view value;
    if (const auto eq = line.find('='); eq != std::string_view::npos)
      value = line.substr(eq + 1);
    else if (line[0] == '*')
      value = line.substr(1);

    const char type = AsciiLower(line[0]);
    switch (type) {
      case 'g': {
        CloseLesson();
        const auto title = Store(value);
        if (!title) return false;
        ContentsGroup g;
        g.title = *title;
        g.sequence = g.order = m_sequence++;
        m_t.m_groups.push_back(g);
        return true;
      }
      case 'l': {
        CloseLesson();
        const auto title = Store(value);
        if (!title) return false;
        m_lesson.title = *title;
        m_lesson.sequence = m_lesson.order = m_sequence++;
        m_lessonLine = number;
        return true;
      }
      case 'd': {
        const auto code = Store(value);
        if (!code) return false;
        m_lesson.code = *code;
        return true;
      }
      case 'f':
        if (m_pageOpen) {
          AppendPage(m_pageLine);
          m_page = ContentsPage{};
        }
        m_pageOpen = true;
        m_pageLine = number;
        return true;
      case 'p': {
        const auto title = Store(value);
        if (!title) return false;
        m_page.title = *title;
        if (!m_pageOpen) m_pageLine = number;
        return true;
      }
      case '*': {
        if (m_t.m_orderings.size() >= static_cast<std::size_t>(kMaxOrderings)) {
          Warn(number, "more than " + std::to_string(kMaxOrderings) + " ordering lines: this one is ignored");
          return true;
        }
        const auto text = Store(value);
        if (!text) return false;
        m_t.m_orderings.push_back(*text);
        return true;
      }
      default:
        break;
    }

    const int kind = ActivityKindOfLetter(type);
    if (kind == 0) {
      Warn(number, std::string("unknown line type '") + line[0] + "' ignored");
      return true;
    }
    if (m_page.activityCount >= ContentsPage::kMaxActivities) {
      Warn(number, "a page holds at most 8 activities: this one is dropped");
      return true;
    }
    const auto at = Store(value);
    if (!at) return false;
    ContentsActivity& a = m_page.activities[m_page.activityCount++];
    a.title = static_cast<std::uint16_t>(*at);
    a.kind = kind;
    if (const auto tab = value.find('\t'); tab != std::string_view::npos) {
      m_t.m_pool[*at + tab] = '\0';  // the tab ends the title
      a.file = static_cast<std::uint16_t>(*at + tab + 1);
    }
    return true;
  }

  // The pool offset of a copy of value, or none when the pool would pass its limit
  // (offsets are 16-bit in activity records); then the rest of the file is ignored.
  std::optional<std::uint32_t> Store(std::string_view value) {
    auto& pool = m_t.m_pool;
    if (pool.size() + value.size() + 1 > kMaxPoolSize) {
      Warn(m_line, "the contents hold more than " + std::to_string(kMaxPoolSize) +
                       " bytes of text: the file is read only up to this line");
      return std::nullopt;
    }
    if (pool.capacity() < pool.size() + value.size() + 1)
      pool.reserve((pool.size() + value.size() + 1 + 1023) / 1024 * 1024);
    const auto offset = static_cast<std::uint32_t>(pool.size());
    pool.append(value);
    pool.push_back('\0');
    return offset;
  }

  void AppendPage(int line) {
    if (m_lesson.pageCount >= ContentsLesson::kMaxPages) {
      Warn(line, "a lesson holds at most 9 pages: this page is dropped");
      return;
    }
    m_lesson.pages[m_lesson.pageCount++] = m_page;
  }

  // At a "g" or "l" line and at the end: a titled page joins the lesson, a titled
  // lesson joins the table. An untitled page is dropped here rather than carried
  // into the next lesson.
  void CloseLesson() {
    if (m_page.title != 0)
      AppendPage(m_pageLine);
    else if (m_page.activityCount > 0)
      Warn(m_pageLine, "page without a \"p\" line before the next lesson: dropped with its activities");
    m_page = ContentsPage{};
    m_pageOpen = false;

    if (m_lesson.title != 0) {
      if (m_t.m_lessons.size() < static_cast<std::size_t>(kMaxLessons))
        m_t.m_lessons.push_back(m_lesson);
      else
        Warn(m_lessonLine, "a course holds at most " + std::to_string(kMaxLessons) + " lessons: this lesson is dropped");
    } else if (m_lesson.pageCount > 0 || m_lesson.code != 0) {
      Warn(m_line, "pages or a code before any \"l\" line: dropped");
    }
    m_lesson = ContentsLesson{};
  }

  // Bounded, so that a hostile file cannot make the list grow with every line.
  void Warn(int line, std::string message) {
    constexpr std::size_t kMaxWarnings = 100;
    auto& w = m_t.m_warnings;
    if (w.size() < kMaxWarnings)
      w.push_back({line, std::move(message)});
    else if (w.size() == kMaxWarnings)
      w.push_back({line, "further warnings omitted"});
  }

  ContentsTable& m_t;
  ContentsLesson m_lesson;
  ContentsPage m_page;
  bool m_pageOpen = false;
  int m_sequence = 0;  // shared by groups and lessons
  int m_line = 0;
  int m_lessonLine = 0;
  int m_pageLine = 0;
};

void ContentsTable::Load(std::string_view text, int lessonBase, int bundle, const BundleList* bundles) {
  Clear();
  m_lessonBase = std::clamp(lessonBase, static_cast<int>(std::numeric_limits<std::int16_t>::min()),
                            static_cast<int>(std::numeric_limits<std::int16_t>::max()));
  Reader(*this).Run(text);
  ApplyBundle(bundle, true, bundles);
}
