// The values of the script language. Every expression yields one value, or none
// when it cannot be read. A value is owned by whoever holds it; a list owns its
// elements and copies deeply.
//
// Conversions happen in place when an operator or statement asks for a kind:
//
//   to \ from  integer       real             text                colour        list
//   integer    itself        truncated        leading integer     the word      -
//   real       exact         itself           leading number      unsigned word -
//   text       "%d"          "%g"             itself              low 24 bits   -
//   colour     0xRRGGBB      truncated, then  "#" hex or decimal, itself        {a, b, c}: a<<16|b<<8|c
//                            as integer       then as integer
//   point      (-1, n)       (-1, truncated)  -                   -             {a, b}: (a, b)
//
// "-" fails and leaves the value as it was. Keywords, points and lists convert to
// nothing but themselves, except the two list rows. A point's x of -1 asks for
// horizontal centring.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class ScriptKind : std::uint8_t {
  None = 0,  // no value: an expression that could not be read, an unanswered function
  Integer = 1,
  Real = 2,
  Text = 3,
  Colour = 4,
  Keyword = 5,
  Point = 6,
  List = 7,
};

std::string_view ScriptKindName(ScriptKind kind);  // "integer", "real", ..., "nothing"

struct ScriptPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const ScriptPoint&) const = default;
};

class ScriptValue;
using ScriptValueList = std::vector<ScriptValue>;

class ScriptValue {
 public:
  static constexpr std::size_t kMaxText = 255;
  // Top byte of a colour word that marks a palette-relative colour for drawing.
  static constexpr std::uint32_t kPaletteMark = 0x02000000;

  ScriptValue() = default;
  static ScriptValue Integer(std::int32_t v);
  static ScriptValue Real(float v);
  // Texts end at their first NUL and hold at most kMaxText characters; the rest is cut off.
  static ScriptValue Text(std::string_view v);
  static ScriptValue Colour(std::uint32_t word);  // 0x02BBGGRR: red in the low byte
  static ScriptValue Keyword(int code);
  static ScriptValue Point(std::int32_t x, std::int32_t y);
  static ScriptValue List(ScriptValueList items);

  ScriptKind kind() const { return m_kind; }
  bool isNone() const { return m_kind == ScriptKind::None; }
  bool is(ScriptKind k) const { return m_kind == k; }
  bool isKeyword(int code) const { return m_kind == ScriptKind::Keyword && m_a == code; }

  // The payload of the value's own kind (callers check kind() first).
  std::int32_t integer() const { return m_a; }
  float real() const { return m_real; }
  const std::string& text() const { return m_text; }
  std::uint32_t colour() const { return static_cast<std::uint32_t>(m_a); }
  int keyword() const { return m_a; }
  ScriptPoint point() const { return {m_a, m_b}; }
  const ScriptValueList& list() const { return m_list; }
  ScriptValueList& list() { return m_list; }

  // The variable mark: set on a value read straight from a variable (or a writable
  // view property), naming it; statements that assign act only on marked values.
  // Operators produce unmarked values.
  bool fromVariable() const { return m_fromVariable; }
  int variableCode() const { return m_variableCode; }
  void setVariable(int code) {
    m_fromVariable = true;
    m_variableCode = code;
  }
  void clearVariable() {
    m_fromVariable = false;
    m_variableCode = 0;
  }

  // Converts in place by the table above; false (value unchanged) when it fails.
  // The variable mark stays.
  bool ConvertTo(ScriptKind kind);

  // Deep equality of kind and payload (not of the variable mark); for tests and tools.
  bool operator==(const ScriptValue& other) const;

 private:
  ScriptKind m_kind = ScriptKind::None;
  bool m_fromVariable = false;
  std::uint16_t m_variableCode = 0;
  std::int32_t m_a = 0;  // integer, colour word, keyword code, point x
  std::int32_t m_b = 0;  // point y
  float m_real = 0.0f;
  std::string m_text;
  ScriptValueList m_list;
};

// Conversions that leave the value alone; none when the table has no conversion.
bool ToInteger(const ScriptValue& v, std::int32_t& out);
bool ToReal(const ScriptValue& v, float& out);
bool ToText(const ScriptValue& v, std::string& out);
bool ToColour(const ScriptValue& v, std::uint32_t& out);
bool ToPoint(const ScriptValue& v, ScriptPoint& out);

// The colour word of a number read as 0xRRGGBB (with the palette mark).
std::uint32_t ColourFromRgbNumber(std::int32_t rrggbb);
// The number a "#" text stands for: hexadecimal digits, a letter counting 10 plus
// its place in the alphabet (so g is 16), other characters skipped; wraps at 32 bits.
std::int32_t ParseHashColourNumber(std::string_view textAfterHash);

// text in double quotes, with " and \ escaped by a backslash and control
// characters written as \xHH.
std::string QuoteScriptText(std::string_view text);

// One line describing the value, as kncourse prints it: "integer 14", "real 3.5",
// "text \"abc\"", "colour 0x020000FF (255, 0, 0)", "keyword minus (138)",
// "point (-1, 100)", "list of 3: {integer 1, ...}", "nothing"; a marked value ends in
// " [variable int0]". Text bytes are shown as they are.
std::string DescribeScriptValue(const ScriptValue& v);
