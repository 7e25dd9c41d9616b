#include "CheckMarkup.h"

#include "course/AsciiCase.h"

namespace kncheck {

std::string MarkupTag::Attribute(std::string_view prefix) const {
  for (const auto& [n, v] : attributes)
    if (n.rfind(prefix, 0) == 0) return v;
  return {};
}

bool MarkupTag::HasAttribute(std::string_view prefix) const {
  for (const auto& a : attributes)
    if (a.first.rfind(prefix, 0) == 0) return true;
  return false;
}

namespace {

constexpr std::size_t kMaxName = 15;

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!' || c == '-';
}

// Splits the text between "<" and ">" into name, closing flag and attributes.
MarkupTag ParseTag(std::string_view body, int line) {
  MarkupTag tag;
  tag.line = line;
  std::size_t i = 0;
  if (i < body.size() && body[i] == '/') {
    tag.closing = true;
    ++i;
  }
  const std::size_t nameStart = i;
  while (i < body.size() && body[i] != ' ' && body[i] != '\t' && IsNameChar(body[i])) ++i;
  tag.name = ToAsciiLower(body.substr(nameStart, std::min(i - nameStart, kMaxName)));
  while (i < body.size()) {
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t')) ++i;
    if (i >= body.size()) break;
    const std::size_t attrStart = i;
    while (i < body.size() && body[i] != '=' && body[i] != ' ' && body[i] != '\t') ++i;
    std::string name = ToAsciiLower(body.substr(attrStart, i - attrStart));
    std::size_t look = i;
    while (look < body.size() && (body[look] == ' ' || body[look] == '\t')) ++look;
    if (look >= body.size() || body[look] != '=') continue;  // no "=": dropped
    i = look + 1;
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t')) ++i;
    std::string value;
    if (i < body.size() && body[i] == '"') {
      const std::size_t close = body.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? body.size() : close;
      value = std::string(body.substr(i + 1, end - i - 1));
      i = end == body.size() ? end : end + 1;
    } else {
      const std::size_t start = i;
      while (i < body.size() && body[i] != ' ' && body[i] != '\t') ++i;
      value = std::string(body.substr(start, i - start));
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  return tag;
}

}  // namespace

ScannedMarkup ScanMarkup(std::string_view text, int firstLine) {
  ScannedMarkup out;
  enum class State { Text, Tag, Comment } state = State::Text;
  bool quoted = false;
  int line = firstLine, quoteLine = 0, tagLine = 0;
  bool quoteReported = false;
  std::string textBuffer, tagBuffer, commentBuffer;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      if (quoted && !quoteReported) {
        // Once per stretch; reading goes on as the player's would.
        out.issues.push_back({quoteLine, "a double quote is not closed on its line: the text and tags after it, up to "
                                         "the next double quote, are read as quoted text"});
        quoteReported = true;
      }
      ++line;
    }
    if (quoted) {
      if (c == '"') quoted = false;
      if (state == State::Tag) tagBuffer += c;
      else if (state == State::Text) textBuffer += c;
      continue;
    }
    switch (state) {
      case State::Text:
        if (c == '<') {
          if (text.substr(i + 1, 3) == "!--") {
            state = State::Comment;
            commentBuffer.clear();
            i += 3;
          } else {
            state = State::Tag;
            tagBuffer.clear();
            tagLine = line;
          }
        } else {
          if (c == '"') {
            quoted = true;
            quoteLine = line;
            quoteReported = false;
          }
          if (static_cast<unsigned char>(c) >= 32) textBuffer += c;
          else if (c == '\n' || c == '\r') textBuffer += ' ';
        }
        break;
      case State::Tag:
        if (c == '>') {
          MarkupTag tag = ParseTag(tagBuffer, tagLine);
          tag.textBefore = std::move(textBuffer);
          textBuffer.clear();
          out.tags.push_back(std::move(tag));
          state = State::Text;
        } else {
          if (c == '"') {
            quoted = true;
            quoteLine = line;
            quoteReported = false;
          }
          if (static_cast<unsigned char>(c) >= 32) tagBuffer += c;
          else if (c == '\n' || c == '\r') tagBuffer += ' ';
        }
        break;
      case State::Comment:
        if (c == '>' && commentBuffer.size() >= 2 && commentBuffer.compare(commentBuffer.size() - 2, 2, "--") == 0)
          state = State::Text;
        else
          commentBuffer += c;
        break;
    }
  }
  if (state == State::Tag) out.issues.push_back({tagLine, "a tag is not closed with \">\" before the end of the text"});
  if (state == State::Comment) out.issues.push_back({line, "a comment is not closed with \"-->\""});
  out.trailingText = std::move(textBuffer);
  return out;
}

}  // namespace kncheck
