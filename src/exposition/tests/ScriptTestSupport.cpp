#include "ScriptTestSupport.h"

#include "exposition/Keywords.h"
#include "exposition/ScriptExpression.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"
#include "exposition/TokenListing.h"

namespace scripttest {

std::vector<std::uint8_t> Compile(const std::string& source) {
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(source + "\n", tokens);
  return tokens;
}

std::string Tokens(const std::string& source) { return DescribeTokens(Compile(source)); }

Evaluation Evaluate(const std::string& source, ScriptView* view) {
  const auto tokens = Compile(source);
  TokenCursor cursor(tokens);
  Evaluation e;
  e.value = EvaluateExpression(cursor, view);
  auto rest = std::span<const std::uint8_t>(tokens).subspan(cursor.position());
  if (!rest.empty() && rest.back() == kw::newline) rest = rest.first(rest.size() - 1);
  e.rest = DescribeTokens(rest);
  return e;
}

ScriptValue TestView::ValueOfName(int code) {
  if (code == kw::background) {
    ScriptValue v = ScriptValue::Colour(0x02000000);
    v.setVariable(code);
    return v;
  }
  return PlainScriptView::ValueOfName(code);
}

bool TestView::IsFunctionName(int code) const { return code == kw::mean; }

bool TestView::CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) {
  calls.push_back({code, args, result != nullptr});
  if (code == kw::string_width) throw ScriptError("no font");
  if (result && (code == kw::answer || code == kw::mean)) {
    *result = ScriptValue::Integer(static_cast<std::int32_t>(args.size()));
    return true;
  }
  return PlainScriptView::CommandOrFunction(code, args, result);
}

}  // namespace scripttest
