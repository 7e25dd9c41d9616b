#include "course/CourseKeyList.h"

#include "course/AsciiCase.h"
#include "course/AsteriskSourceList.h"
#include "course/ContentsServices.h"
#include "course/Notice.h"

void CourseKeyList::Load(std::string_view text) {
  m_entries.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    const std::string_view line = text.substr(start, i - start);
    start = i + 1;
    if (line.size() < 2) continue;
    CourseKeyEntry e;
    if (const auto eq = line.find('='); eq != std::string_view::npos) {
      e.key = ToAsciiLower(line.substr(0, eq));
      e.value = line.substr(eq + 1);
    } else {
      if (!m_entries.empty()) e.key = m_entries.front().key;
      e.value = line;
    }
    m_entries.push_back(std::move(e));
  }
}

std::string CourseKeyList::Key(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_entries[static_cast<std::size_t>(index)].key;
}

std::string CourseKeyList::Value(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_entries[static_cast<std::size_t>(index)].value;
}

int CourseKeyList::IndexOf(std::string_view name) const {
  const std::string lower = ToAsciiLower(name);
  for (std::size_t i = 0; i < m_entries.size(); ++i)
    if (std::string_view(lower).starts_with(m_entries[i].key)) return static_cast<int>(i);
  return -1;
}

std::string CourseKeyList::ValueOf(std::string_view name) const { return Value(IndexOf(name)); }

bool CourseKeyList::LoadCourseFile(std::string_view fileName) {
  m_entries.clear();
  const auto bytes = ReadCourseTextFile(fileName);
  if (!bytes) {
    ShowPlainMessage("Cannot load asterisk or bundle file");
    return false;
  }
  Load(*bytes);
  return true;
}

bool AsteriskSourceList::IsIncluded(std::string_view fileName, std::uint16_t excluded) const {
  const int i = IndexOf(fileName);
  if (i < 0) return false;
  return i >= 16 || (excluded & (1u << i)) == 0;
}

bool AsteriskSourceList::IsIncluded(std::string_view fileName) const {
  return IsIncluded(fileName, ExcludedAsteriskSources());
}
