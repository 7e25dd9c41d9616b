// A script view without a window: its own variables, the names that need no window,
// and the functions that need no objects (x, y, and extent and location of a
// point). kncourse evaluates with it, and so do the fuzz targets.
#pragma once

#include "exposition/ScriptVariables.h"
#include "exposition/ScriptView.h"

class PlainScriptView : public ScriptView {
 public:
  ScriptValue ValueOfName(int code) override;
  bool CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) override;

  ScriptVariables& variables() { return m_variables; }

 private:
  ScriptVariables m_variables;
};
