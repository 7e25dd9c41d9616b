// Argument lists of functions and statements.
//
// An argument list is a list of values: an optional positional value first (when
// the count is odd), then keyword-and-value pairs. `with X` and `without X` are the
// pairs X 1 and X 0, so `with show_mean` means `show_mean 1`.
#pragma once

#include <optional>

#include "exposition/ScriptValue.h"

class ScriptView;
class TokenCursor;

// Reads a function's argument list: newline tokens before it are skipped (a list may
// begin on the next line), then expressions are read until the next token is
// `newline`, `then`, `as`, `rbracket` or `rparen` (left unread) or the stream ends.
// Expressions that yield nothing are left out. `with`/`without` are not rewritten.
ScriptValueList CollectArgumentList(TokenCursor& cursor, ScriptView* view);

// At every second position counted back from the end, a keyword `with` or `without`
// followed by X becomes X, 1 or X, 0.
void RewriteWithWithout(ScriptValueList& args);

struct ScriptArgument {
  int keyword;         // 0 for the positional argument
  ScriptValue* value;  // points into the list; converted in place by its reader
};

// Yields the positional argument (keyword 0) when the count is odd, then the pairs,
// stopping at the first pair whose first value is not a keyword.
class ArgumentIterator {
 public:
  explicit ArgumentIterator(ScriptValueList& args) : m_args(args), m_positional(args.size() % 2 == 1) {}

  std::optional<ScriptArgument> Next();

 private:
  ScriptValueList& m_args;
  std::size_t m_pos = 0;
  bool m_positional;
};
