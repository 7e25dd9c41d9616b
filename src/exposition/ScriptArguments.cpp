#include "exposition/ScriptArguments.h"

#include "exposition/Keywords.h"
#include "exposition/ScriptExpression.h"
#include "exposition/TokenCursor.h"

namespace {
bool EndsArgumentList(int code) {
  return code == 0 || code == kw::newline || code == kw::then || code == kw::as || code == kw::rbracket ||
         code == kw::rparen;
}
}  // namespace

ScriptValueList CollectArgumentList(TokenCursor& cursor, ScriptView* view) {
  while (cursor.PeekCode() == kw::newline) cursor.ReadCode();
  ScriptValueList args;
  while (!cursor.atEnd() && !EndsArgumentList(cursor.PeekCode())) {
    const std::size_t before = cursor.position();
    ScriptValue v = EvaluateExpression(cursor, view);
    if (!v.isNone()) args.push_back(std::move(v));
    if (cursor.position() == before) break;  // guards the loop; an expression always reads a token
  }
  return args;
}

void RewriteWithWithout(ScriptValueList& args) {
  for (std::size_t end = args.size(); end >= 2; end -= 2) {
    ScriptValue& word = args[end - 2];
    if (!word.isKeyword(kw::with) && !word.isKeyword(kw::without)) continue;
    const bool with = word.isKeyword(kw::with);
    word = std::move(args[end - 1]);
    args[end - 1] = ScriptValue::Integer(with ? 1 : 0);
  }
}

std::optional<ScriptArgument> ArgumentIterator::Next() {
  if (m_positional) {
    m_positional = false;
    m_pos = 1;
    return ScriptArgument{0, &m_args[0]};
  }
  if (m_pos + 1 >= m_args.size()) return std::nullopt;
  if (!m_args[m_pos].is(ScriptKind::Keyword)) {
    m_pos = m_args.size();
    return std::nullopt;
  }
  ScriptArgument a{m_args[m_pos].keyword(), &m_args[m_pos + 1]};
  m_pos += 2;
  return a;
}
