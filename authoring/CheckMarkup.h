// The checker's reading of course markup (pages, hypertext documents, the glossary):
// the tags with their attributes and the text before each, with line numbers, by the
// tokenizer's rules for states and quotes: a tag runs from "<" to ">", "<!--" starts a
// comment that ends at "-->", and a double quote protects everything up to the next
// one (in running text as inside a tag). Names are lower-cased and cut to 15
// characters; an attribute without "=" is dropped; entities are left as written.
//
// Hand-over: this reads only what the reference checks need. When the hypertext
// library's tokenizer lands, ScanMarkup is to be rebuilt on it (its events carry the
// same name, closing flag and attributes) and the page checks gain a parse of each page
// through it, reporting what the tokenizer cuts or drops.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kncheck {

struct MarkupTag {
  std::string name;  // lower case, without the "/"
  bool closing = false;
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case
  std::string textBefore;  // running text since the previous tag
  int line = 1;            // of the "<"

  // The value of the first attribute whose name begins with prefix; empty when none.
  std::string Attribute(std::string_view prefix) const;
  bool HasAttribute(std::string_view prefix) const;
};

struct MarkupIssue {
  int line;
  std::string message;
};

struct ScannedMarkup {
  std::vector<MarkupTag> tags;
  std::string trailingText;  // text after the last tag
  std::vector<MarkupIssue> issues;  // quotes that swallow tags, unclosed tags and comments
};

ScannedMarkup ScanMarkup(std::string_view text, int firstLine = 1);

}  // namespace kncheck
