#include "exposition/ScriptValue.h"

#include <cstdio>

#include "exposition/Keywords.h"
#include "exposition/ScriptNumbers.h"

std::string_view ScriptKindName(ScriptKind kind) {
  switch (kind) {
    case ScriptKind::None:
      return "nothing";
    case ScriptKind::Integer:
      return "integer";
    case ScriptKind::Real:
      return "real";
    case ScriptKind::Text:
      return "text";
    case ScriptKind::Colour:
      return "colour";
    case ScriptKind::Keyword:
      return "keyword";
    case ScriptKind::Point:
      return "point";
    case ScriptKind::List:
      return "list";
  }
  return "nothing";
}

ScriptValue ScriptValue::Integer(std::int32_t v) {
  ScriptValue s;
  s.m_kind = ScriptKind::Integer;
  s.m_a = v;
  return s;
}

ScriptValue ScriptValue::Real(float v) {
  ScriptValue s;
  s.m_kind = ScriptKind::Real;
  s.m_real = v;
  return s;
}

ScriptValue ScriptValue::Text(std::string_view v) {
  ScriptValue s;
  s.m_kind = ScriptKind::Text;
  v = v.substr(0, v.find('\0'));
  s.m_text.assign(v.substr(0, kMaxText));
  return s;
}

ScriptValue ScriptValue::Colour(std::uint32_t word) {
  ScriptValue s;
  s.m_kind = ScriptKind::Colour;
  s.m_a = static_cast<std::int32_t>(word);
  return s;
}

ScriptValue ScriptValue::Keyword(int code) {
  ScriptValue s;
  s.m_kind = ScriptKind::Keyword;
  s.m_a = code;
  return s;
}

ScriptValue ScriptValue::Point(std::int32_t x, std::int32_t y) {
  ScriptValue s;
  s.m_kind = ScriptKind::Point;
  s.m_a = x;
  s.m_b = y;
  return s;
}

ScriptValue ScriptValue::List(ScriptValueList items) {
  ScriptValue s;
  s.m_kind = ScriptKind::List;
  s.m_list = std::move(items);
  return s;
}

bool ScriptValue::operator==(const ScriptValue& o) const {
  if (m_kind != o.m_kind) return false;
  switch (m_kind) {
    case ScriptKind::None:
      return true;
    case ScriptKind::Integer:
    case ScriptKind::Colour:
    case ScriptKind::Keyword:
      return m_a == o.m_a;
    case ScriptKind::Real:
      return m_real == o.m_real;
    case ScriptKind::Text:
      return m_text == o.m_text;
    case ScriptKind::Point:
      return m_a == o.m_a && m_b == o.m_b;
    case ScriptKind::List:
      return m_list == o.m_list;
  }
  return false;
}

std::uint32_t ColourFromRgbNumber(std::int32_t rrggbb) {
  const auto n = static_cast<std::uint32_t>(rrggbb);
  const std::uint32_t r = (n >> 16) & 0xFF, g = (n >> 8) & 0xFF, b = n & 0xFF;
  return ScriptValue::kPaletteMark | (b << 16) | (g << 8) | r;
}

std::int32_t ParseHashColourNumber(std::string_view text) {
  std::uint32_t v = 0;
  for (char c : text) {
    std::uint32_t digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<std::uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'z')
      digit = 10 + static_cast<std::uint32_t>(c - 'a');
    else if (c >= 'A' && c <= 'Z')
      digit = 10 + static_cast<std::uint32_t>(c - 'A');
    else
      continue;
    v = v * 16 + digit;
  }
  return static_cast<std::int32_t>(v);
}

bool ToInteger(const ScriptValue& v, std::int32_t& out) {
  switch (v.kind()) {
    case ScriptKind::Integer:
      out = v.integer();
      return true;
    case ScriptKind::Real:
      out = TruncateToInt32(v.real());
      return true;
    case ScriptKind::Text:
      out = ParseLeadingInteger(v.text());
      return true;
    case ScriptKind::Colour:
      out = static_cast<std::int32_t>(v.colour());
      return true;
    default:
      return false;
  }
}

bool ToReal(const ScriptValue& v, float& out) {
  switch (v.kind()) {
    case ScriptKind::Integer:
      out = static_cast<float>(v.integer());
      return true;
    case ScriptKind::Real:
      out = v.real();
      return true;
    case ScriptKind::Text:
      out = static_cast<float>(ParseLeadingDouble(v.text()));
      return true;
    case ScriptKind::Colour:
      out = static_cast<float>(v.colour());
      return true;
    default:
      return false;
  }
}

bool ToText(const ScriptValue& v, std::string& out) {
  switch (v.kind()) {
    case ScriptKind::Integer:
      out = FormatInteger(v.integer());
      return true;
    case ScriptKind::Real:
      out = FormatReal(v.real());
      return true;
    case ScriptKind::Text:
      out = v.text();
      return true;
    case ScriptKind::Colour:
      out = FormatInteger(v.colour() & 0xFFFFFF);
      return true;
    default:
      return false;
  }
}

bool ToColour(const ScriptValue& v, std::uint32_t& out) {
  switch (v.kind()) {
    case ScriptKind::Integer:
      out = ColourFromRgbNumber(v.integer());
      return true;
    case ScriptKind::Real:
      out = ColourFromRgbNumber(TruncateToInt32(v.real()));
      return true;
    case ScriptKind::Text: {
      const std::string& t = v.text();
      const std::int32_t n =
          !t.empty() && t[0] == '#' ? ParseHashColourNumber(std::string_view(t).substr(1)) : ParseLeadingInteger(t);
      out = ColourFromRgbNumber(n);
      return true;
    }
    case ScriptKind::Colour:
      out = v.colour();
      return true;
    case ScriptKind::List: {
      // {a, b, c} puts a in the high byte: the bytes in the order written, with no
      // palette mark. Course colours are written for this order, so it stays.
      if (v.list().size() != 3) return false;
      std::uint32_t word = 0;
      for (const ScriptValue& e : v.list()) {
        std::int32_t n;
        if (!ToInteger(e, n)) return false;
        word = (word << 8) | (static_cast<std::uint32_t>(n) & 0xFF);
      }
      out = word;
      return true;
    }
    default:
      return false;
  }
}

bool ToPoint(const ScriptValue& v, ScriptPoint& out) {
  switch (v.kind()) {
    case ScriptKind::Integer:
      out = {-1, v.integer()};
      return true;
    case ScriptKind::Real:
      out = {-1, TruncateToInt32(v.real())};
      return true;
    case ScriptKind::Point:
      out = v.point();
      return true;
    case ScriptKind::List: {
      if (v.list().size() != 2) return false;
      std::int32_t x, y;
      if (!ToInteger(v.list()[0], x) || !ToInteger(v.list()[1], y)) return false;
      out = {x, y};
      return true;
    }
    default:
      return false;
  }
}

bool ScriptValue::ConvertTo(ScriptKind kind) {
  if (kind == m_kind) return kind != ScriptKind::None;
  ScriptValue converted;
  switch (kind) {
    case ScriptKind::Integer: {
      std::int32_t n;
      if (!ToInteger(*this, n)) return false;
      converted = Integer(n);
      break;
    }
    case ScriptKind::Real: {
      float f;
      if (!ToReal(*this, f)) return false;
      converted = Real(f);
      break;
    }
    case ScriptKind::Text: {
      std::string t;
      if (!ToText(*this, t)) return false;
      converted = Text(t);
      break;
    }
    case ScriptKind::Colour: {
      std::uint32_t w;
      if (!ToColour(*this, w)) return false;
      converted = Colour(w);
      break;
    }
    case ScriptKind::Point: {
      ScriptPoint p;
      if (!ToPoint(*this, p)) return false;
      converted = Point(p.x, p.y);
      break;
    }
    default:
      return false;
  }
  converted.m_fromVariable = m_fromVariable;
  converted.m_variableCode = m_variableCode;
  *this = std::move(converted);
  return true;
}

std::string QuoteScriptText(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  return out;
}

std::string DescribeScriptValue(const ScriptValue& v) {
  std::string out(ScriptKindName(v.kind()));
  switch (v.kind()) {
    case ScriptKind::None:
      break;
    case ScriptKind::Integer:
      out += ' ' + FormatInteger(v.integer());
      break;
    case ScriptKind::Real:
      out += ' ' + FormatReal(v.real());
      break;
    case ScriptKind::Text:
      out += ' ' + QuoteScriptText(v.text());
      break;
    case ScriptKind::Colour: {
      const std::uint32_t w = v.colour();
      char buf[64];
      std::snprintf(buf, sizeof buf, " 0x%08X (%u, %u, %u)", w, w & 0xFF, (w >> 8) & 0xFF, (w >> 16) & 0xFF);
      out += buf;
      break;
    }
    case ScriptKind::Keyword: {
      const std::string_view name = KeywordName(v.keyword());
      out += ' ';
      out += name.empty() ? std::string_view("?") : name;
      out += " (" + FormatInteger(v.keyword()) + ")";
      break;
    }
    case ScriptKind::Point:
      out += " (" + FormatInteger(v.point().x) + ", " + FormatInteger(v.point().y) + ")";
      break;
    case ScriptKind::List: {
      out += " of " + FormatInteger(static_cast<std::int64_t>(v.list().size())) + ": {";
      bool first = true;
      for (const ScriptValue& e : v.list()) {
        if (!first) out += ", ";
        first = false;
        out += DescribeScriptValue(e);
      }
      out += '}';
      break;
    }
  }
  if (v.fromVariable()) {
    out += " [variable ";
    out += KeywordName(v.variableCode());
    out += ']';
  }
  return out;
}
