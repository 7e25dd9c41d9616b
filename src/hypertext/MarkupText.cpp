#include "hypertext/MarkupText.h"

#include <vector>

#include "course/AsciiCase.h"
#include "course/CourseText.h"
#include "hypertext/MarkupTokenizer.h"

std::string StripMarkup(std::string_view markup) {
  std::string out;
  if (markup.empty()) return out;
  // Text is left to accumulate across every event and taken at the end. A line
  // end between two words becomes a blank, so that they stay two words.
  std::size_t lineBlank = std::string::npos;  // where the last such blank went
  Tokenize(markup, [&](MarkupEvent& e) {
    if (e.IsLineEnd() && e.textLength > 0 && e.text[e.textLength - 1] != ' ' &&
        e.textLength < MarkupEvent::kTextLimit) {
      lineBlank = e.textLength;
      e.text[e.textLength++] = ' ';
    }
    if (e.end) out.assign(e.Text());
  });
  if (!out.empty() && lineBlank == out.size() - 1) out.pop_back();  // nothing followed it
  return out;
}

void StripMarkupInPlace(std::string& text) {
  if (text.empty()) return;
  text = StripMarkup(text);
  if (text.size() > kShortStripLimit) text.resize(kShortStripLimit);
}

std::string FindTermPhrase(std::string_view term, std::string_view markup) {
  std::string phrase;
  std::string opening;  // the phrase an author wrote on the opening "d" tag instead
  bool found = false;
  Tokenize(markup, [&](MarkupEvent& e) {
    if (e.IsWordBoundary()) return;
    if (!found && e.closing && e.Text() == term) {
      found = true;
      if (const MarkupAttribute* a = e.LastAttribute('t'))
        phrase.assign(a->Value());
      else if (e.Letter() == 'd')
        phrase = opening;
    }
    if (e.IsTag() && !e.closing && e.Letter() == 'd') {
      const MarkupAttribute* a = e.LastAttribute('t');
      opening.assign(a ? a->Value() : std::string_view());
    } else if (e.IsTag()) {
      opening.clear();
    }
    e.ConsumeText();
  });
  return phrase;
}

std::string MarkupToCopyText(std::string_view markup) {
  std::string out;
  std::vector<bool> fonts;  // one entry per open font change: whether it selects Symbol
  auto flush = [&](MarkupEvent& e) {
    const bool symbol = !fonts.empty() && fonts.back();
    for (char ch : e.Text()) {
      const auto b = static_cast<std::uint8_t>(ch);
      if (b == '\n')
        out += "\r\n";
      else if (b == 164)
        out += '*';
      else
        AppendUtf8(out, CourseCharToUnicode(b, symbol ? CourseEncoding::Symbol : CourseEncoding::Windows1252));
    }
    e.ConsumeText();
  };
  Tokenize(markup, [&](MarkupEvent& e) {
    flush(e);
    if (e.IsLineEnd() && !out.empty() && out.back() != ' ') out += ' ';
    if (!e.IsTag()) return;
    if (e.Letter() == 'f') {
      if (e.closing) {
        if (!fonts.empty()) fonts.pop_back();
      } else if (fonts.size() < 256) {
        const MarkupAttribute* face = e.LastAttribute('f');
        fonts.push_back(face && EqualNoCase(face->Value(), "symbol"));
      }
    } else if (e.Tag() == "br" && !e.closing) {
      out += "\r\n";
    }
  });
  return out;
}
