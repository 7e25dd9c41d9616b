// Functions in script expressions. A function name is followed by its argument list,
// which runs to the end of the statement: `sqrt 4 + 1` and `sqrt(4) + 1` are both
// the square root of 5, `(sqrt 4) + 1` is 3.
//
// The evaluator computes absolute, sin, cos, sqrt, round, item and random itself.
// The exposition view's functions (answer, extent, xextent, yextent, location,
// xlocation, ylocation, string_width, string_height, x, y) and those a tool view
// declares go to the view's command-or-function operation; a function nobody
// answers gives nothing. An exception while a function runs ends it with the
// message "Error executing script" and no result.
#pragma once

#include "exposition/ScriptValue.h"

class ScriptView;
class TokenCursor;

// Whether code is read as a function (with an argument list) in an expression.
bool IsScriptFunction(int code, const ScriptView* view);

// Reads the argument list of function code at the cursor and computes the function.
ScriptValue CallScriptFunction(int code, TokenCursor& cursor, ScriptView* view);

// The built-in functions over an argument list (with `with`/`without` rewritten);
// nothing when code is not one of them or its arguments do not serve.
ScriptValue CallBuiltinFunction(int code, ScriptValueList& args);

// x and y of a point, and extent, xextent, yextent, location, xlocation, ylocation
// when their positional argument is a point or a list of two numbers (the point
// itself, or its x or y). For views, which answer object names and "here"
// themselves. Returns whether it answered.
bool AnswerPointFunction(int code, ScriptValueList& args, ScriptValue& result);

// String-table id of "Error executing script".
// Shows "Error executing script" as a modal message.
void ReportScriptError();
