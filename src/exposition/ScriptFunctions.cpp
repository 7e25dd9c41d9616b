#include "exposition/ScriptFunctions.h"

#include <cmath>
#include <cstdint>
#include <exception>

#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptNumbers.h"
#include "exposition/ScriptView.h"
#include "exposition/TokenCursor.h"
#include "stats/Random.h"

namespace {

// The positional argument, or null.
ScriptValue* Positional(ScriptValueList& args) { return args.size() % 2 == 1 ? &args[0] : nullptr; }

ScriptValue RealFunction(ScriptValueList& args, double (*f)(double)) {
  ScriptValue* x = Positional(args);
  float v;
  if (!x || !ToReal(*x, v)) return {};
  return ScriptValue::Real(static_cast<float>(f(v)));
}

ScriptValue Absolute(ScriptValueList& args) {
  ScriptValue* x = Positional(args);
  if (!x) return {};
  if (x->is(ScriptKind::Integer)) {
    const std::int32_t n = x->integer();
    // The magnitude of the most negative integer does not fit: it is held at the largest.
    if (n == INT32_MIN) return ScriptValue::Integer(INT32_MAX);
    return ScriptValue::Integer(n < 0 ? -n : n);
  }
  float v;
  if (!ToReal(*x, v)) return {};
  return ScriptValue::Real(std::fabs(v));
}

// Rounds half away from zero to n decimals: floor(|x| 10^n + 0.5) sign(x) / 10^n.
double RoundTo(double x, int n) {
  const double scale = std::pow(10.0, n);
  const double r = std::floor(std::fabs(x) * scale + 0.5) / scale;
  return x < 0 ? -r : r;
}

ScriptValue Round(ScriptValueList& args) {
  ScriptValue* x = nullptr;
  std::int32_t decimals = 0;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    if (a->keyword == 0) x = a->value;
    if (a->keyword == kw::decimals && !ToInteger(*a->value, decimals)) decimals = 0;
  }
  if (!x) return {};
  if (x->is(ScriptKind::Integer) && decimals == 0) return ScriptValue::Integer(x->integer());
  float v;
  if (!ToReal(*x, v)) return {};
  if (decimals == 0) return ScriptValue::Integer(RoundToInt32(v));
  // A float carries about seven digits; more decimals change nothing but could
  // overflow the scale.
  const int n = decimals > 15 ? 15 : decimals < -15 ? -15 : decimals;
  return ScriptValue::Real(static_cast<float>(RoundTo(v, n)));
}

ScriptValue Item(ScriptValueList& args) {
  std::int32_t n = 0;
  bool haveIndex = false;
  const ScriptValue* list = nullptr;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    if (a->keyword == 0) haveIndex = ToInteger(*a->value, n);
    if (a->keyword == kw::of && a->value->is(ScriptKind::List)) list = a->value;
  }
  if (!haveIndex || !list || n < 1 || static_cast<std::size_t>(n) > list->list().size()) return {};
  ScriptValue element = list->list()[static_cast<std::size_t>(n) - 1];
  element.clearVariable();
  return element;
}

ScriptValue Random(ScriptValueList& args) {
  double range = 1.0, low = 0.0, high = 0.0;
  bool haveHigh = false, real = false;
  std::int32_t seed = 0;
  bool reseed = false;
  ArgumentIterator it(args);
  while (auto a = it.Next()) {
    float v;
    std::int32_t n;
    switch (a->keyword) {
      case 0:
        if (ToReal(*a->value, v) && v > 0.0f) range = v;
        break;
      case kw::from:
        if (ToReal(*a->value, v)) low = v;
        break;
      case kw::to:
        if (ToReal(*a->value, v)) {
          high = v;
          haveHigh = true;
        }
        break;
      case kw::real:
        real = ToInteger(*a->value, n) && n != 0;
        break;
      case kw::seed:
        reseed = ToInteger(*a->value, seed);
        break;
      default:
        break;
    }
  }
  if (haveHigh && high > low) range = high - low;
  if (reseed) SeedRandom(static_cast<std::uint32_t>(seed));
  const int r = RandomDraw();
  if (real) return ScriptValue::Real(static_cast<float>(low + (r % 10000) * range * 0.0001));
  // A range below 1 (0.5, say) truncates to 0; it draws as a range of 1 (always low).
  std::int32_t whole = TruncateToInt32(range);
  if (whole < 1) whole = 1;
  return ScriptValue::Integer(WrapAdd(TruncateToInt32(low), r % whole));
}

// {x, y} written as a list of two numbers (a list of two names is the view's).
bool IsNumberPair(const ScriptValue& v) {
  if (!v.is(ScriptKind::List) || v.list().size() != 2) return false;
  for (const ScriptValue& e : v.list())
    if (!e.is(ScriptKind::Integer) && !e.is(ScriptKind::Real)) return false;
  return true;
}

bool IsViewFunction(int code) {
  switch (code) {
    case kw::answer:
    case kw::extent:
    case kw::xextent:
    case kw::yextent:
    case kw::location:
    case kw::xlocation:
    case kw::ylocation:
    case kw::string_width:
    case kw::string_height:
    case kw::x:
    case kw::y:
      return true;
    default:
      return false;
  }
}

bool IsBuiltin(int code) {
  switch (code) {
    case kw::absolute:
    case kw::sin:
    case kw::cos:
    case kw::sqrt:
    case kw::round:
    case kw::item:
    case kw::random:
      return true;
    default:
      return false;
  }
}

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Sqrt(double x) { return std::sqrt(x); }

}  // namespace

bool IsScriptFunction(int code, const ScriptView* view) {
  return IsBuiltin(code) || IsViewFunction(code) || (view && view->IsFunctionName(code));
}

ScriptValue CallBuiltinFunction(int code, ScriptValueList& args) {
  switch (code) {
    case kw::absolute:
      return Absolute(args);
    case kw::sin:
      return RealFunction(args, Sin);
    case kw::cos:
      return RealFunction(args, Cos);
    case kw::sqrt:
      return RealFunction(args, Sqrt);
    case kw::round:
      return Round(args);
    case kw::item:
      return Item(args);
    case kw::random:
      return Random(args);
    default:
      return {};
  }
}

ScriptValue CallScriptFunction(int code, TokenCursor& cursor, ScriptView* view) {
  try {
    ScriptValueList args = CollectArgumentList(cursor, view);
    RewriteWithWithout(args);
    if (IsBuiltin(code)) return CallBuiltinFunction(code, args);
    ScriptValue result;
    if (view) view->CommandOrFunction(code, args, &result);
    return result;
  } catch (const std::exception&) {
    ReportScriptError();
    return {};
  }
}

bool AnswerPointFunction(int code, ScriptValueList& args, ScriptValue& result) {
  const ScriptValue* x = Positional(args);
  if (!x) return false;
  ScriptPoint p;
  if (code == kw::x || code == kw::y) {
    if (!ToPoint(*x, p)) return false;
  } else if (x->is(ScriptKind::Point) || IsNumberPair(*x)) {
    ToPoint(*x, p);
  } else {
    return false;  // object names and "here" are the view's
  }
  switch (code) {
    case kw::extent:
    case kw::location:
      result = ScriptValue::Point(p.x, p.y);
      return true;
    case kw::x:
    case kw::xextent:
    case kw::xlocation:
      result = ScriptValue::Integer(p.x);
      return true;
    case kw::y:
    case kw::yextent:
    case kw::ylocation:
      result = ScriptValue::Integer(p.y);
      return true;
    default:
      return false;
  }
}

void ReportScriptError() {
  std::string text = ProgramString(str::kErrorExecutingScript);
  if (text.empty()) text = "Error executing script";
  ShowPlainMessage(text);
}
