// The two readings of a page paragraph's markup besides drawing it as the loader wrote
// it: the layout form the page layout runs over, and the text the learner copies.
#pragma once

#include <string>
#include <string_view>

// The tag name list items have in the layout form: the page numbers its own list items
// (the "o" and "u" tags switch numbering and bullets on and off), so they must not reach
// the hypertext layout's own list handling.
inline constexpr std::string_view kPageListItemTag = "!li";

// Whether an anchor's text makes it an asterisk marker: it begins with "*", byte 164,
// byte 215 or "x".
bool IsMarkerAnchorText(std::string_view text);

// markup (as the page loader writes it) in layout form: the text of every "a" element
// is taken out; an element whose text marks an asterisk note keeps its opening tag (with
// its attributes) and closing tag at its place, any other "a" element goes entirely;
// opening list items become "<!li>". Everything else is kept as written.
std::string PageLayoutMarkup(std::string_view markup);

// What Copy puts on the clipboard for one paragraph's markup, in UTF-8: tags removed,
// entities decoded, "br" and "li" as line breaks (CR LF), byte 164 as "*".
std::string PageCopyText(std::string_view markup);
