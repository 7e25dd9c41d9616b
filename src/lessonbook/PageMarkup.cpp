#include "lessonbook/PageMarkup.h"

#include "hypertext/MarkupText.h"
#include "hypertext/MarkupTokenizer.h"

bool IsMarkerAnchorText(std::string_view text) {
  if (text.empty()) return false;
  const auto b = static_cast<unsigned char>(text.front());
  return b == '*' || b == 164 || b == 215 || b == 'x';
}

std::string PageLayoutMarkup(std::string_view markup) {
  std::string out;
  out.reserve(markup.size() + 16);
  bool inAnchor = false;
  std::string anchorTag;   // the opening tag of the anchor being read
  std::string anchorText;
  // Pass-through keeps entities as written, and the loader's markup holds no byte 166
  // (which pass-through would turn into a break).
  Tokenize(
      markup,
      [&](MarkupEvent& e) {
        if (e.IsWordBoundary()) return;  // text collects up to the next tag
        if (inAnchor)
          anchorText.append(e.Text());
        else
          out.append(e.Text());
        e.ConsumeText();
        if (!e.IsTag()) return;
        if (e.Letter() == 'a') {
          if (!e.closing) {
            inAnchor = true;
            anchorTag = WriteMarkupTag(e);
            anchorText.clear();
          } else if (inAnchor) {
            inAnchor = false;
            if (IsMarkerAnchorText(anchorText)) {
              out += anchorTag;
              out += "</a>";
            }
          }
          return;
        }
        if (e.Letter() == 'l' && !e.closing) {
          out += '<';
          out += kPageListItemTag;
          out += '>';
          return;
        }
        out += WriteMarkupTag(e);
      },
      true);
  // An anchor left open at the end keeps nothing of its text.
  return out;
}

std::string PageCopyText(std::string_view markup) {
  // List items become breaks, then the hypertext's copy rules apply.
  std::string withBreaks;
  withBreaks.reserve(markup.size());
  Tokenize(
      markup,
      [&](MarkupEvent& e) {
        if (e.IsWordBoundary()) return;
        withBreaks.append(e.Text());
        e.ConsumeText();
        if (!e.IsTag()) return;
        if (e.Letter() == 'l' && !e.closing) {
          withBreaks += "<br>";
          return;
        }
        withBreaks += WriteMarkupTag(e);
      },
      true);
  std::string text = MarkupToCopyText(withBreaks);
  // A list at the start of a paragraph does not open it with an empty line.
  while (text.starts_with("\r\n")) text.erase(0, 2);
  return text;
}
