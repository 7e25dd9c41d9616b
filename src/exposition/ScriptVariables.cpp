#include "exposition/ScriptVariables.h"

#include "exposition/Keywords.h"

namespace {
// The slot of a variable within its kind's array; -1 for other codes.
int IntegerSlot(int code) {
  if (code == kw::bool0 || code == kw::bool1) return code - kw::bool0;
  if (code >= kw::int0 && code <= kw::int9) return 2 + code - kw::int0;
  return -1;
}
int RealSlot(int code) { return code >= kw::float0 && code <= kw::float9 ? code - kw::float0 : -1; }
int TextSlot(int code) { return code >= kw::text0 && code <= kw::text9 ? code - kw::text0 : -1; }
int PointSlot(int code) { return code >= kw::point0 && code <= kw::point3 ? code - kw::point0 : -1; }

static_assert(kw::bool1 == kw::bool0 + 1 && kw::int9 == kw::int0 + 9 && kw::float9 == kw::float0 + 9 &&
              kw::text9 == kw::text0 + 9 && kw::point3 == kw::point0 + 3);
}  // namespace

ScriptKind ScriptVariables::KindOf(int code) {
  if (IntegerSlot(code) >= 0) return ScriptKind::Integer;
  if (RealSlot(code) >= 0) return ScriptKind::Real;
  if (TextSlot(code) >= 0) return ScriptKind::Text;
  if (PointSlot(code) >= 0) return ScriptKind::Point;
  return ScriptKind::None;
}

bool ScriptVariables::IsVariable(int code) { return KindOf(code) != ScriptKind::None; }

ScriptValue ScriptVariables::Value(int code) const {
  ScriptValue v;
  if (int i = IntegerSlot(code); i >= 0)
    v = ScriptValue::Integer(m_integers[static_cast<std::size_t>(i)]);
  else if (int r = RealSlot(code); r >= 0)
    v = ScriptValue::Real(m_reals[static_cast<std::size_t>(r)]);
  else if (int t = TextSlot(code); t >= 0)
    v = ScriptValue::Text(m_texts[static_cast<std::size_t>(t)]);
  else if (int p = PointSlot(code); p >= 0)
    v = ScriptValue::Point(m_points[static_cast<std::size_t>(p)].x, m_points[static_cast<std::size_t>(p)].y);
  else
    return v;
  v.setVariable(code);
  return v;
}

bool ScriptVariables::Assign(int code, const ScriptValue& value) {
  const ScriptKind kind = KindOf(code);
  if (kind == ScriptKind::None) return false;
  ScriptValue v = value;
  if (!v.ConvertTo(kind)) return false;
  switch (kind) {
    case ScriptKind::Integer:
      m_integers[static_cast<std::size_t>(IntegerSlot(code))] = v.integer();
      break;
    case ScriptKind::Real:
      m_reals[static_cast<std::size_t>(RealSlot(code))] = v.real();
      break;
    case ScriptKind::Text:
      m_texts[static_cast<std::size_t>(TextSlot(code))] = v.text();
      break;
    default:
      m_points[static_cast<std::size_t>(PointSlot(code))] = v.point();
      break;
  }
  return true;
}

void ScriptVariables::Reset() { *this = ScriptVariables(); }
