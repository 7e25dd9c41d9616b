// The course glossary (glossary.gls): a resource container whose text is a definition
// list, "<dt>" term "<dd>" definition, and whose entries are the pictures definitions
// name. The table holds the terms in file order with where each definition lies.
//
// Reading follows the tags as the markup tokenizer finds them (their real length, not
// an assumed four bytes): "dt" starts a term, "dd" its definition, "dl" and the closing
// forms of all three end the element. A term is kept when its definition follows it; a
// definition with no term before it, or a term with no definition, is dropped. The last
// definition runs to the end of the text when no tag closes it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/ResourceContainer.h"

class Picture;

struct GlossaryTerm {
  std::string name;            // leading blanks kept; trailing CR and LF removed
  std::uint32_t start = 0;     // the definition, relative to the text section
  std::uint32_t length = 0;
};

// The terms of a glossary text section.
std::vector<GlossaryTerm> CollectGlossaryTerms(std::span<const std::uint8_t> text);

class GlossaryTable {
 public:
  static constexpr const char* kFileName = "glossary.gls";
  static constexpr const char* kLoadFailed = "Cannot load glossary file";

  // Reads the container (throws CourseFileError when it is damaged); the table keeps it
  // for the pictures.
  void Load(ResourceContainer container);
  // The glossary of the course folders. False (the table empty) when there is none or it
  // cannot be read; why says which.
  bool LoadCourseGlossary(std::string* why = nullptr);
  // A table over a text alone, without pictures (tests, tools).
  void LoadText(std::vector<std::uint8_t> text);

  int Count() const { return static_cast<int>(m_terms.size()); }
  bool empty() const { return m_terms.empty(); }
  const std::vector<GlossaryTerm>& terms() const { return m_terms; }
  // Empty for an index out of range.
  std::string TermName(int index) const;
  // The definition's markup; empty out of range.
  std::string Definition(int index) const;
  // "means" finds "mean", "mean" finds "means", the same with "d"; -1 when nothing does.
  int FindTerm(std::string_view text) const;
  int FirstTermStartingWith(char c) const;
  // The picture entry of that name, decoded; none when it is missing or undecodable.
  std::unique_ptr<Picture> LoadPicture(std::string_view name);

 private:
  std::optional<ResourceContainer> m_container;
  std::vector<std::uint8_t> m_text;
  std::vector<GlossaryTerm> m_terms;
  std::vector<std::string_view> m_names;  // views of m_terms' names, for lookups
};

// What the definition pane shows for a term: its name in bold and a colon, then, for
// the context term with a phrase, the phrase and "In general, " with the definition's
// first character in lower case; otherwise the definition.
std::string GlossaryDisplayText(std::string_view name, std::string_view definition, std::string_view contextPhrase);
// The display text as plain text (Copy): words as they are, paragraphs and line breaks
// as LF, equations and other tags dropped.
std::string GlossaryPlainText(std::string_view displayText);
