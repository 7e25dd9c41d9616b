// A "math" element as the markup tokenizer hands it over: its markup is collected for
// the equation builder (tags rewritten in full, line ends kept, at most kLimit bytes),
// and its text for the line when no equation picture can be made. Elements of the same
// name nest; the element ends with the closing tag that balances its opening one.
#pragma once

#include <cstddef>
#include <string>

#include "hypertext/MarkupTokenizer.h"

class MathElement {
 public:
  static constexpr std::size_t kLimit = 64 * 1024;

  // Begins with the opening tag.
  void Start(const MarkupEvent& opening);
  // Takes one event inside the element (its text is consumed). True when the event
  // ended the element.
  bool Take(MarkupEvent& e);

  const std::string& markup() const { return m_markup; }
  // The element's text, its blanks (the element's own layout in the source) reduced to
  // single spaces, none at the end.
  std::string InlineText() const;

 private:
  std::string m_name;
  int m_depth = 0;
  std::string m_markup;
  std::string m_text;
};
