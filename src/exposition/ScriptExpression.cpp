#include "exposition/ScriptExpression.h"

#include <vector>

#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"
#include "exposition/ScriptEnvironment.h"
#include "exposition/ScriptFunctions.h"
#include "exposition/ScriptNumbers.h"
#include "exposition/ScriptOperators.h"
#include "exposition/ScriptView.h"
#include "exposition/TokenCursor.h"

namespace {

// Nesting of the reader on this thread: parentheses, lists, `not` and function
// arguments each read a whole expression inside another.
thread_local int g_nesting = 0;

struct NestingGuard {
  NestingGuard() { ++g_nesting; }
  ~NestingGuard() { --g_nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

ScriptValue NumberValue(const ScriptToken& t) {
  if (t.truncated) return {};
  return t.code == kw::value_float ? ScriptValue::Real(t.real) : ScriptValue::Integer(t.integer);
}

ScriptValue Parenthesised(TokenCursor& cursor, ScriptView* view) {
  ScriptValue inner = EvaluateExpression(cursor, view);
  if (cursor.PeekCode() != kw::rparen) return {};
  cursor.ReadCode();
  return inner;
}

ScriptValue Bracketed(TokenCursor& cursor, ScriptView* view) {
  ScriptValueList items;
  for (;;) {
    const int next = cursor.PeekCode();
    if (next == kw::rbracket) {
      cursor.ReadCode();
      break;
    }
    if (cursor.atEnd()) break;
    ScriptValue item = EvaluateExpression(cursor, view);
    if (!item.isNone()) items.push_back(std::move(item));
    const int after = cursor.PeekCode();
    if (after == kw::comma) {
      cursor.ReadCode();
    } else {
      if (after == kw::rbracket) cursor.ReadCode();
      break;  // any other token ends the list early and stays for the caller
    }
  }
  return ScriptValue::List(std::move(items));
}

ScriptValue Negated(TokenCursor& cursor) {
  if (!IsNumberCode(cursor.PeekCode())) return ScriptValue::Keyword(kw::minus);
  ScriptValue v = NumberValue(cursor.Read());
  if (v.is(ScriptKind::Integer)) return ScriptValue::Integer(WrapNeg(v.integer()));
  if (v.is(ScriptKind::Real)) return ScriptValue::Real(-v.real());
  return v;
}

ScriptValue Negation(TokenCursor& cursor, ScriptView* view) {
  ScriptValue v = EvaluateExpression(cursor, view);
  if (v.isNone()) return ScriptValue::Keyword(kw::not_);
  if (v.is(ScriptKind::Integer)) return ScriptValue::Integer(v.integer() == 0 ? 1 : 0);
  if (v.is(ScriptKind::Real)) return ScriptValue::Integer(v.real() == 0.0f ? 1 : 0);
  return {};
}

ScriptValue Primary(int code, const ScriptToken& token, TokenCursor& cursor, ScriptView* view) {
  if (IsColourKeyword(code)) return ScriptValue::Colour(NamedColourWord(code));
  switch (code) {
    case kw::true_:
    case kw::windoze:
      return ScriptValue::Integer(1);
    case kw::false_:
    case kw::macintosh:
    case kw::network:
      return ScriptValue::Integer(0);
    case kw::platform:
      return ScriptValue::Text("win");
    case kw::flavor:
      return ScriptValue::Text("");
    case kw::course:
      return ScriptValue::Text(ScriptCourseName());
    case kw::bundle:
      return ScriptValue::Text(ScriptBundleName());
    case kw::seconds:
      return ScriptValue::Integer(static_cast<std::int32_t>(SystemMilliseconds() / 1000));
    case kw::ticks:
      return ScriptValue::Integer(static_cast<std::int32_t>(SystemMilliseconds() * 60 / 1000));
    case kw::pending:
      return ScriptValue::Integer(view && view->InputPending() ? 1 : 0);
    case kw::title: {
      if (!view) return {};
      // Marked as the writable view property it is, so that `set title to ...` can assign it.
      ScriptValue v = ScriptValue::Text(view->WindowTitle());
      v.setVariable(kw::title);
      return v;
    }
    case kw::literal:
      return token.truncated ? ScriptValue() : ScriptValue::Text(token.text);
    case kw::value_byte:
    case kw::value_char:
    case kw::value_short:
    case kw::value_long:
    case kw::value_float:
      return NumberValue(token);
    case kw::lparen:
      return Parenthesised(cursor, view);
    case kw::lbracket:
      return Bracketed(cursor, view);
    case kw::minus:
      return Negated(cursor);
    case kw::not_:
      return Negation(cursor, view);
    case kw::rbracket:
    case kw::rparen:
      return {};
    default:
      break;
  }
  if (IsScriptFunction(code, view)) return CallScriptFunction(code, cursor, view);
  return view ? view->ValueOfName(code) : StandardNameValue(code, nullptr);
}

bool CanTakeOperator(const ScriptValue& v) {
  return v.is(ScriptKind::Integer) || v.is(ScriptKind::Real) || v.is(ScriptKind::Text) || v.is(ScriptKind::Point);
}

}  // namespace

ScriptValue EvaluateExpression(TokenCursor& cursor, ScriptView* view) {
  if (cursor.atEnd()) return {};
  if (g_nesting >= kMaxExpressionNesting) {
    cursor.Read();  // still make progress for the caller's loop
    return {};
  }
  NestingGuard guard;

  // a op1 b op2 c ... groups as a op1 (b op2 (c ...)): the primaries and operators
  // are gathered left to right and combined from the right. Whether an operator
  // applies depends only on the primary to its left, so gathering stops exactly
  // where a recursive reading would.
  std::vector<ScriptValue> operands;
  std::vector<int> operators;
  ScriptValue primary;
  for (;;) {
    const ScriptToken token = cursor.Read();
    primary = token.code == 0 ? ScriptValue() : Primary(token.code, token, cursor, view);
    if (cursor.remaining() < 2 || !CanTakeOperator(primary)) break;
    const int op = cursor.PeekCode();
    if (!OperatorApplies(primary.kind(), op)) break;
    cursor.ReadCode();
    if (operands.empty()) {
      operands.reserve(4);
      operators.reserve(4);
    }
    operands.push_back(std::move(primary));
    operators.push_back(op);
  }

  ScriptValue result = std::move(primary);
  for (std::size_t i = operators.size(); i-- > 0;) result = ApplyBinaryOperator(operands[i], operators[i], result);
  return result;
}
