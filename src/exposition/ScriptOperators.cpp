#include "exposition/ScriptOperators.h"

#include <cmath>

#include "exposition/Keywords.h"
#include "exposition/ScriptNumbers.h"

namespace {

constexpr float kRealTolerance = 0.0001f;

ScriptValue Bool(bool b) { return ScriptValue::Integer(b ? 1 : 0); }

// Integer and real remainders and quotients by zero give 0 rather than failing.
std::int32_t IntegerDiv(std::int32_t a, std::int32_t b) {
  if (b == 0) return 0;
  if (b == -1) return WrapNeg(a);  // INT_MIN / -1 wraps instead of trapping
  return a / b;
}
std::int32_t IntegerMod(std::int32_t a, std::int32_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}
std::int32_t ShiftLeft(std::int32_t a, std::int32_t count) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << (static_cast<std::uint32_t>(count) & 31u));
}
std::int32_t ShiftRight(std::int32_t a, std::int32_t count) { return a >> (static_cast<std::uint32_t>(count) & 31u); }

ScriptValue IntegerOperation(std::int32_t a, int op, std::int32_t b) {
  switch (op) {
    case kw::plus:
      return ScriptValue::Integer(WrapAdd(a, b));
    case kw::minus:
      return ScriptValue::Integer(WrapSub(a, b));
    case kw::times:
      return ScriptValue::Integer(WrapMul(a, b));
    case kw::slash:
    case kw::divided_by:
      return ScriptValue::Real(b == 0 ? 0.0f : static_cast<float>(double(a) / double(b)));
    case kw::div:
      return ScriptValue::Integer(IntegerDiv(a, b));
    case kw::mod:
      return ScriptValue::Integer(IntegerMod(a, b));
    case kw::power:
      return ScriptValue::Real(static_cast<float>(std::pow(double(a), double(b))));
    case kw::less_than:
      return Bool(a < b);
    case kw::less_or_equal:
      return Bool(a <= b);
    case kw::greater_than:
      return Bool(a > b);
    case kw::greater_or_equal:
      return Bool(a >= b);
    case kw::and_:
      return Bool(a != 0 && b != 0);
    case kw::or_:
      return Bool(a != 0 || b != 0);
    case kw::shift_left:
      return ScriptValue::Integer(ShiftLeft(a, b));
    case kw::shift_right:
      return ScriptValue::Integer(ShiftRight(a, b));
    default:
      return {};
  }
}

ScriptValue RealOperation(float a, int op, float b) {
  const double x = a, y = b;
  switch (op) {
    case kw::plus:
      return ScriptValue::Real(static_cast<float>(x + y));
    case kw::minus:
      return ScriptValue::Real(static_cast<float>(x - y));
    case kw::times:
      return ScriptValue::Real(static_cast<float>(x * y));
    case kw::slash:
    case kw::divided_by:
    case kw::div:
      return ScriptValue::Real(b == 0.0f ? 0.0f : static_cast<float>(x / y));
    case kw::mod: {
      const std::int32_t d = TruncateToInt32(y);
      return ScriptValue::Real(static_cast<float>(IntegerMod(TruncateToInt32(x), d)));
    }
    case kw::power:
      return ScriptValue::Real(static_cast<float>(std::pow(x, y)));
    case kw::less_than:
      return Bool(a < b);
    case kw::less_or_equal:
      return Bool(a <= b);
    case kw::greater_than:
      return Bool(a > b);
    case kw::greater_or_equal:
      return Bool(a >= b);
    case kw::and_:
      return Bool(a != 0.0f && b != 0.0f);
    case kw::or_:
      return Bool(a != 0.0f || b != 0.0f);
    case kw::shift_left:
      return ScriptValue::Integer(ShiftLeft(TruncateToInt32(x), TruncateToInt32(y)));
    case kw::shift_right:
      return ScriptValue::Integer(ShiftRight(TruncateToInt32(x), TruncateToInt32(y)));
    default:
      return {};
  }
}

ScriptValue PointOperation(ScriptPoint p, int op, const ScriptValue& right) {
  switch (op) {
    case kw::plus:
    case kw::minus: {
      ScriptPoint q;
      if (!ToPoint(right, q)) return {};
      return op == kw::plus ? ScriptValue::Point(WrapAdd(p.x, q.x), WrapAdd(p.y, q.y))
                            : ScriptValue::Point(WrapSub(p.x, q.x), WrapSub(p.y, q.y));
    }
    case kw::times: {
      if (right.is(ScriptKind::Real)) {
        const double f = right.real();
        return ScriptValue::Point(TruncateToInt32(p.x * f), TruncateToInt32(p.y * f));
      }
      std::int32_t n;
      if (!ToInteger(right, n)) return {};
      return ScriptValue::Point(WrapMul(p.x, n), WrapMul(p.y, n));
    }
    case kw::slash: {
      if (right.is(ScriptKind::Real) && right.real() != 0.0f) {
        const double f = right.real();
        return ScriptValue::Point(TruncateToInt32(p.x / f), TruncateToInt32(p.y / f));
      }
      std::int32_t n;
      if (!ToInteger(right, n)) return {};
      if (n == 0) return ScriptValue::Point(p.x, p.y);
      return ScriptValue::Point(IntegerDiv(p.x, n), IntegerDiv(p.y, n));
    }
    default:
      // The other operators are not defined for points: the point stays as it was.
      return ScriptValue::Point(p.x, p.y);
  }
}

ScriptValue AsKind(const ScriptValue& left, const ScriptValue& right) {
  if (!right.is(ScriptKind::Keyword)) return {};
  ScriptKind target;
  switch (right.keyword()) {
    case kw::boolean:
      target = ScriptKind::Integer;  // not normalised to 0 or 1
      break;
    case kw::number:
      target = left.is(ScriptKind::Integer) ? ScriptKind::Integer : ScriptKind::Real;
      break;
    case kw::real:
      target = ScriptKind::Real;
      break;
    case kw::text:
      target = ScriptKind::Text;
      break;
    default:
      return {};
  }
  ScriptValue v = left;
  v.clearVariable();
  if (!v.ConvertTo(target)) return {};
  return v;
}

}  // namespace

bool IsBinaryOperator(int code) {
  switch (code) {
    case kw::ampersand:
    case kw::as:
    case kw::equals:
    case kw::not_equals:
    case kw::plus:
    case kw::minus:
    case kw::times:
    case kw::slash:
    case kw::divided_by:
    case kw::div:
    case kw::mod:
    case kw::power:
    case kw::less_than:
    case kw::less_or_equal:
    case kw::greater_than:
    case kw::greater_or_equal:
    case kw::and_:
    case kw::or_:
    case kw::shift_left:
    case kw::shift_right:
      return true;
    default:
      return false;
  }
}

bool OperatorApplies(ScriptKind left, int op) {
  if (!IsBinaryOperator(op)) return false;
  switch (left) {
    case ScriptKind::Text:
      return op == kw::ampersand || op == kw::as || op == kw::equals || op == kw::not_equals;
    case ScriptKind::Integer:
    case ScriptKind::Real:
    case ScriptKind::Point:
      return op != kw::ampersand;
    default:
      return false;
  }
}

ScriptValue CompareEqual(const ScriptValue& left, const ScriptValue& right, bool wantEqual) {
  if (right.is(ScriptKind::Text) && !left.is(ScriptKind::Text) && right.text().empty()) return Bool(false);
  const ScriptKind kind = right.is(ScriptKind::Real) ? ScriptKind::Real : left.kind();
  ScriptValue a = left, b = right;
  if (!a.ConvertTo(kind) || !b.ConvertTo(kind)) return {};
  bool equal;
  switch (kind) {
    case ScriptKind::Integer:
      equal = a.integer() == b.integer();
      break;
    case ScriptKind::Real:
      equal = std::fabs(double(a.real()) - double(b.real())) < kRealTolerance;
      break;
    case ScriptKind::Text:
      equal = a.text() == b.text();
      break;
    case ScriptKind::Point:
      equal = a.point() == b.point();
      break;
    default:
      return {};  // colours, keywords and lists cannot be compared
  }
  return Bool(equal == wantEqual);
}

ScriptValue ApplyBinaryOperator(const ScriptValue& left, int op, const ScriptValue& right) {
  if (!OperatorApplies(left.kind(), op)) return {};
  if (op == kw::as) return AsKind(left, right);
  if (op == kw::equals || op == kw::not_equals) return CompareEqual(left, right, op == kw::equals);

  switch (left.kind()) {
    case ScriptKind::Text: {  // only `&` is left
      std::string tail;
      if (!ToText(right, tail)) return {};
      std::string joined = left.text();
      joined += tail;
      return ScriptValue::Text(joined);  // cut at 255 characters
    }
    case ScriptKind::Point:
      return PointOperation(left.point(), op, right);
    case ScriptKind::Integer:
      if (!right.is(ScriptKind::Real)) {
        std::int32_t b;
        if (!ToInteger(right, b)) return {};
        return IntegerOperation(left.integer(), op, b);
      }
      return RealOperation(static_cast<float>(left.integer()), op, right.real());
    case ScriptKind::Real: {
      float b;
      if (!ToReal(right, b)) return {};
      return RealOperation(left.real(), op, b);
    }
    default:
      return {};
  }
}
