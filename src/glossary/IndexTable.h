// The course index (index.txt): one term a line, then its references after TABs.
// A reference is a number: lesson x 100 + page x 10 + activity (0 to 8); a number ending
// in 9 names a document of the lesson (asterisk text, homework, project, lab) by the
// file name written right after its digits ("509_lab5.lab"); a negative number, or one
// whose lesson the course does not have, points to the term's glossary definition.
//
// Each reference keeps its own file name, so a "…9" written without one changes
// nothing for the others. At most 71 references a term are kept.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"

class ContentsTable;
class AsteriskSourceList;

struct IndexReference {
  std::int32_t number = 0;  // clamped to the int32 range
  std::string file;         // the document a "…9" reference names (empty: none)
};

struct IndexTerm {
  std::string name;
  std::vector<IndexReference> references;  // at most kMaxReferences
};

class IndexTable {
 public:
  static constexpr const char* kFileName = "index.txt";
  static constexpr const char* kLoadFailed = "Cannot load index file";
  static constexpr int kMaxReferences = 71;

  void Parse(std::span<const std::uint8_t> text);
  // index.txt of the course folders; false (the table empty) when there is none or it
  // cannot be read.
  bool LoadCourseIndex(std::string* why = nullptr);

  int Count() const { return static_cast<int>(m_terms.size()); }
  const std::vector<IndexTerm>& terms() const { return m_terms; }
  std::string TermName(int index) const;  // empty out of range
  int ReferenceCount(int index) const;    // 0 out of range
  // The place reference row (0-based, as stored) of a term stands for. An empty
  // locator (no lesson) is a glossary row: a negative number, a lesson the course does
  // not have, or a row or term out of range. The lesson is counted in file order from the
  // contents' first lesson number, whatever textbook order is chosen.
  ActivityLocator Reference(int term, int row, const ContentsTable& contents,
                            const AsteriskSourceList* asterisks) const;
  // The name, or the name with a final "s" taken off (or put on), ASCII case ignored.
  int FindTerm(std::string_view name) const;
  int FirstTermStartingWith(char c) const;

 private:
  std::vector<IndexTerm> m_terms;
  std::vector<std::string_view> m_names;
};
