// Text taken out of course markup: plain text for titles, names and list
// entries, the context phrase of a defined term, and the text the learner copies.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text with all tags and comments removed and entities decoded (course
// bytes; Symbol-font characters stay their Symbol bytes); a line end in the
// source separates words like a blank. At most 2560 bytes, the tokenizer's text
// limit. An empty input gives an empty result.
std::string StripMarkup(std::string_view markup);

// The short form for titles, names and list entries: strips text in place and
// cuts the result to 259 bytes (it fits a 260-byte field with its NUL).
void StripMarkupInPlace(std::string& text);
constexpr std::size_t kShortStripLimit = 259;

// The context phrase of a defined term: in a paragraph's normalised markup, the
// first closing tag whose text (accumulated across word boundaries since the
// previous tag) equals term exactly gives the value of its last attribute whose
// name begins with "t"; a closing "d" tag without one takes the "t" attribute of the
// opening tag right before the term, where authors naturally write it. Empty when no
// closing tag matches or neither tag has such an attribute.
std::string FindTermPhrase(std::string_view term, std::string_view markup);

// The text of markup as the learner reads it, in UTF-8: tags removed, entities
// decoded, Symbol-font characters as their Unicode letters and signs, byte 164
// as "*", line feeds and "br" tags as CR LF, a line end in the source as a blank.
std::string MarkupToCopyText(std::string_view markup);
