#include "exposition/TokenListing.h"

#include "exposition/Keywords.h"
#include "exposition/ScriptNumbers.h"
#include "exposition/ScriptValue.h"
#include "exposition/TokenCursor.h"

std::string DescribeToken(const ScriptToken& t) {
  std::string out;
  const std::string_view name = KeywordName(t.code);
  if (name.empty())
    out = "#" + FormatInteger(t.code);
  else
    out = name;
  if (t.code == kw::literal || IsNumberCode(t.code)) {
    out += '=';
    if (t.truncated)
      out += "(cut off)";
    else if (t.code == kw::literal)
      out += QuoteScriptText(t.text);
    else if (t.code == kw::value_float)
      out += FormatReal(t.real);
    else
      out += FormatInteger(t.integer);
  } else if (t.truncated) {
    out += " (cut off)";
  }
  return out;
}

std::string DescribeTokens(std::span<const std::uint8_t> stream) {
  std::string out;
  TokenCursor c(stream);
  while (!c.atEnd()) {
    if (!out.empty()) out += ' ';
    out += DescribeToken(c.Read());
  }
  return out;
}

std::string ListTokenLines(std::span<const std::uint8_t> stream, std::string_view indent) {
  std::string out;
  bool lineStart = true;
  TokenCursor c(stream);
  while (!c.atEnd()) {
    const ScriptToken t = c.Read();
    if (lineStart) {
      out += indent;
      lineStart = false;
    } else {
      out += ' ';
    }
    out += DescribeToken(t);
    if (t.code == kw::newline) {
      out += '\n';
      lineStart = true;
    }
  }
  if (!lineStart) out += '\n';
  return out;
}
