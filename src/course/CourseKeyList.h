// A small key=value list read from a course text file (Bundle.txt, asterisk.txt).
// Keys are lower case; a name belongs to the first entry whose key is a prefix of
// the lower-cased name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CourseKeyEntry {
  std::string key;  // lower case
  std::string value;
};

class CourseKeyList {
 public:
  // Replaces the list with the lines of text. A line counts when it has at least
  // two characters and ends with CR or LF (a last line without one is not read);
  // a line without "=" takes the first key of the file (empty before any).
  void Load(std::string_view text);
  void Clear() { m_entries.clear(); }

  int Count() const { return static_cast<int>(m_entries.size()); }
  std::string Key(int index) const;    // empty out of range
  std::string Value(int index) const;  // empty out of range
  int IndexOf(std::string_view name) const;  // -1 when no key is a prefix of name
  std::string ValueOf(std::string_view name) const;
  const std::vector<CourseKeyEntry>& Entries() const { return m_entries; }

 protected:
  // Reads fileName from the course folders; on failure shows "Cannot load asterisk
  // or bundle file" and leaves the list empty.
  bool LoadCourseFile(std::string_view fileName);

 private:
  std::vector<CourseKeyEntry> m_entries;
};
