// The expression reader. Expressions are evaluated straight from a chunk's token
// stream while a statement runs; nothing is parsed ahead.
//
// An expression is a primary, optionally followed by a binary operator and another
// whole expression (see ScriptOperators.h). Primaries: numbers and literals; colour
// keywords; true, false, windoze, macintosh, network, platform, flavor, course,
// bundle, seconds, ticks, pending, title; ( expression ); { list, ... }; minus before
// a number; not expression; function names with their argument lists; and every
// other keyword asked of the view.
#pragma once

#include "exposition/ScriptValue.h"

class ScriptView;
class TokenCursor;

// Reads one expression at the cursor and advances past it. Returns nothing when no
// expression can be read (end of stream, a cut-off token, a missing right operand or
// parenthesis). Reads at least one token whenever one remains, never reads past the
// end, and gives up with nothing beyond kMaxExpressionNesting nested parentheses,
// lists, `not`s and function calls. view may be null: names then get the answers
// that need no window, and `title` and view functions give nothing.
ScriptValue EvaluateExpression(TokenCursor& cursor, ScriptView* view);

constexpr int kMaxExpressionNesting = 64;
