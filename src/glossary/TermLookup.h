// How the glossary and the index find a term a learner or a page names: compared
// without regard to ASCII case, also with a final letter taken off or put on (so
// "means" finds "mean" and "mean" finds "means"), first match in file order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whether the text ends with a suffix letter is decided on the text as given (the
// glossary: a final capital "S" counts as neither ending) or lower-cased (the index).
enum class SuffixTest { AsWritten, Folded };

// The text and its variants, lower-cased. For each letter of suffixes: the text
// without that final letter when it ends with it, otherwise the text with it added.
std::vector<std::string> TermVariants(std::string_view text, std::string_view suffixes, SuffixTest test);

// The first name (in order) equal, ASCII case ignored, to any of the variants; -1 when
// none is, or the text is empty.
int FindTermIn(const std::vector<std::string_view>& names, std::string_view text, std::string_view suffixes,
               SuffixTest test);

// The first name whose first character is c, ASCII case ignored; only 0-9 and a-z
// (after lower-casing) are looked for, anything else gives -1.
int FirstNameStartingWith(const std::vector<std::string_view>& names, char c);
