// What a script asks of the view that runs it. The exposition view implements this,
// and every tool view extends it: a tool answers its own parameter names, functions
// and commands first and passes the rest to the exposition view's version.
#pragma once

#include <stdexcept>
#include <string>

#include "exposition/ScriptValue.h"

class ScriptVariables;

// Thrown by view functions and commands that fail in a way the learner should hear
// about (a failed conversion, an exhausted resource); the evaluator turns it, like
// any other exception from a function, into "Error executing script".
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ScriptView {
 public:
  virtual ~ScriptView() = default;

  // The value of a name: variables and view properties (marked as variables where
  // they can be assigned), constants, or the keyword itself. Nothing is a refusal.
  virtual ScriptValue ValueOfName(int code) = 0;

  // A command (result is null) or a function the evaluator does not compute itself
  // (result receives its value). args is the argument list, with `with`/`without`
  // already rewritten. Returns whether the view knew the word.
  virtual bool CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) = 0;

  // `title`: the caption of the window that holds the view.
  virtual std::string WindowTitle() const { return {}; }
  // `pending`: the window is fast-forwarding, or a key or mouse-button message waits.
  virtual bool InputPending() const { return false; }
  // Words beyond the evaluator's own table that a tool reads as functions (followed
  // by an argument list) rather than as names.
  virtual bool IsFunctionName(int code) const { return false; }
};

// The part of "value of a name" that needs no window: the transition and direction
// words (integer: their own code), colour keywords (colour), the variables (marked;
// only when variables is given), `rparen` (nothing), and every other keyword as a
// keyword value. Codes that name no keyword give nothing. The exposition view
// answers its properties (background, expo_size, ...) and then calls this.
ScriptValue StandardNameValue(int code, const ScriptVariables* variables);

// Whether code is one of the transition and direction words.
bool IsTransitionWord(int code);
