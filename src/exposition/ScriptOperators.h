// The binary operators of script expressions. All have one precedence and group to
// the right (a - b - c is a - (b - c)); parentheses group explicitly.
//
// Whether an operator applies is decided by the left value's kind before the right
// operand is read: when it does not ("no operator"), the expression ends and the
// operator token is left for the statement. Texts take `&`, `as`, `=` and `!=`;
// integers and reals every operator but `&`; points `as`, `=`, `!=`, `+`, `-`, `*`,
// `/` and, consuming its right operand, every other operator, which leaves the point
// unchanged; colours, keywords and lists take none.
#pragma once

#include "exposition/ScriptValue.h"

bool IsBinaryOperator(int code);

// Whether op applies to a left value of kind left (see above).
bool OperatorApplies(ScriptKind left, int op);

// left op right. Nothing when the operation has no result (a right operand that does
// not convert, `as` with an unknown word, comparing colours, keywords or lists, a
// missing right operand). Never fails: division and remainder by zero give 0.
ScriptValue ApplyBinaryOperator(const ScriptValue& left, int op, const ScriptValue& right);

// The `equals` comparison: 1 or 0, or nothing when the values cannot be compared.
// The comparison kind is the left's, or real when the right is real; a non-empty
// right text is converted to the left's kind, an empty one against a non-text left
// makes `=` and `!=` both 0. Reals are equal within 0.0001; texts compare byte for
// byte.
ScriptValue CompareEqual(const ScriptValue& left, const ScriptValue& right, bool wantEqual);
