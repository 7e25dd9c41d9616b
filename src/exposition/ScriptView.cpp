#include "exposition/ScriptView.h"

#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"
#include "exposition/ScriptVariables.h"

bool IsTransitionWord(int code) {
  switch (code) {
    case kw::bands:
    case kw::bands_backwards:
    case kw::blinds:
    case kw::blinds_backwards:
    case kw::corner:
    case kw::corner_backwards:
    case kw::cross:
    case kw::cross_backwards:
    case kw::diagonal:
    case kw::diagonal_backwards:
    case kw::diamond:
    case kw::diamond_backwards:
    case kw::down:
    case kw::in_out:
    case kw::left:
    case kw::noise:
    case kw::out_in:
    case kw::right:
    case kw::shimmer:
    case kw::stripes:
    case kw::stripes_backwards:
    case kw::telescope:
    case kw::telescope_backwards:
    case kw::up:
      return true;
    default:
      return false;
  }
}

ScriptValue StandardNameValue(int code, const ScriptVariables* variables) {
  if (code < kFirstKeyword || code > kLastKeyword || code == kw::rparen) return {};
  if (IsTransitionWord(code)) return ScriptValue::Integer(code);
  if (IsColourKeyword(code)) return ScriptValue::Colour(NamedColourWord(code));
  if (ScriptVariables::IsVariable(code)) return variables ? variables->Value(code) : ScriptValue();
  return ScriptValue::Keyword(code);
}
