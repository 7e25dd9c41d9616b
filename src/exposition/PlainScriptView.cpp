#include "exposition/PlainScriptView.h"

#include "exposition/ScriptFunctions.h"

ScriptValue PlainScriptView::ValueOfName(int code) { return StandardNameValue(code, &m_variables); }

bool PlainScriptView::CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) {
  if (!result) return false;
  return AnswerPointFunction(code, args, *result);
}
