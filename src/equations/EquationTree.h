// The element tree of an equation written in the course's mathematical markup (a
// subset of MathML between "math" tags). The builder takes the markup's tags one by
// one: an opening tag makes an element (by its name; unknown names make a plain
// token), appends it to the element under construction and applies its attributes;
// a closing tag hands the element the text collected since the previous tag and
// returns to its parent.
//
// Damaged markup is bounded rather than trusted: surplus closing tags are ignored,
// nesting deeper than kDepthLimit and elements beyond kElementLimit are dropped
// (with everything inside them), texts keep at most kTextLimit bytes, and several
// top-level elements are gathered into one row.
#pragma once

#include <QtGui/QRgb>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct MarkupEvent;

enum class EqType : std::uint8_t {
  Token = 0,  // any name not in the table: behaves like "mtext"
  Math,
  Fenced,
  Frac,
  Mi,
  Mn,
  Mo,
  Over,
  Padded,
  Row,
  Ms,
  Space,
  Sqrt,
  Style,
  Sub,
  SubSup,
  Sup,
  Table,
  Td,
  Text,
  Tr,
  Under,
  UnderOver,
};

// The element name of a type ("" for Token) and the type of a name (exact match).
std::string_view EqTypeName(EqType type);
EqType EqTypeOf(std::string_view name);
bool IsEqToken(EqType type);

// Flags shared with FontDescription: bold 1, italic 2, serif 8, Symbol face 32.
enum EqFontFlags : std::uint32_t { kEqBold = 1, kEqItalic = 2, kEqSerif = 8, kEqSymbol = 32 };

struct EqStyle {
  bool absoluteSize = false;
  bool relativeSize = false;
  bool weightSet = false;
  bool styleSet = false;
  bool familySet = false;
  bool colourSet = false;
  bool bold = false;
  bool italic = false;
  bool symbol = false;
  int size = 0;  // pixels when absolute, an increment when relative
  QRgb colour = qRgb(0, 0, 0);

  bool SetsFont() const { return absoluteSize || relativeSize || weightSet || styleSet || familySet; }
};

// Alignment factors of table rows and cells: 0 left or top, 1 centre, 2 right or bottom.
constexpr int kAlignUnset = -1;

struct EqNode {
  static constexpr std::size_t kTextLimit = 259;

  EqType type = EqType::Token;
  std::string name;  // as written (unknown names are kept for listings)

  // Layout, in pixels: the box's top-left corner and its size around the baseline.
  int x = 0;
  int y = 0;
  int width = 0;
  int ascent = 0;
  int descent = 0;
  // The font the element's content was measured with (pixels, EqFontFlags).
  int size = 0;
  std::uint32_t flags = 0;

  std::vector<std::unique_ptr<EqNode>> children;
  EqNode* parent = nullptr;
  EqStyle style;
  std::string text;  // course bytes after entity decoding; padded for "mo"

  // Tokens.
  bool weightGiven = false;  // "fontweight" was written (the summation sign keeps it)
  int lspace = 0;
  int rspace = 0;
  // "mfenced".
  std::string open = "(";
  std::string close = ")";
  std::string separators = ", ";
  int fenceSize = 0;  // the fences' font size: the content's ascent
  // "mfrac", "msqrt".
  int lineThickness = 1;
  // "mover", "munder".
  int accent = 0;
  int accentUnder = 1;
  enum class Mark : std::uint8_t { None, Hat, Bar, Brace } mark = Mark::None;
  // "mpadded" and "mspace".
  int padLspace = 0;
  int padWidth = 0;
  int padHeight = 0;
  int padDepth = 0;
  bool widthRelative = false;
  bool heightRelative = false;
  bool depthRelative = false;
  bool depthSet = false;
  // "mtr", "mtd", "mtable".
  int columnAlign = kAlignUnset;
  int rowAlign = kAlignUnset;
  bool equalColumns = false;
  bool equalRows = false;
  std::vector<int> columnWidths;  // "mtr": its cells' widths, then the table's columns

  EqNode* Child(std::size_t i) const { return i < children.size() ? children[i].get() : nullptr; }
};

// Builds trees from markup events. Feed every tag of the equation, the "math" tag
// included; text events accumulate until the next tag.
class EquationBuilder {
 public:
  static constexpr int kDepthLimit = 48;
  static constexpr int kElementLimit = 4000;

  EquationBuilder();
  ~EquationBuilder();

  // One tokenizer event (pass-through mode: entities as written). The event's text
  // is consumed.
  void Take(MarkupEvent& e);
  // The finished tree: the single top-level element, or a row of all of them; null
  // when no element was opened. The builder is empty afterwards.
  std::unique_ptr<EqNode> Finish();

 private:
  void Open(const MarkupEvent& e);
  void CloseCurrent();

  std::vector<std::unique_ptr<EqNode>> m_roots;
  EqNode* m_current = nullptr;
  int m_depth = 0;
  int m_skipped = 0;  // open tags dropped below the depth or element limit
  int m_elements = 0;
  std::string m_pending;
};

// The tree of a whole "math" element's markup (tags rewritten in full, as the
// hypertext and Lesson Book readers hand it over).
std::unique_ptr<EqNode> BuildEquation(std::string_view markup);

// Attribute handling (names case-insensitive); unknown names and values are ignored.
void SetEqAttribute(EqNode& node, std::string_view name, std::string_view value);
// Text handling at the element's closing tag: entity decoding and the token rules of
// "mi" and "mo" (Symbol face, padding, the summation sign).
void SetEqText(EqNode& node, std::string_view text);

// Entity decoding of a token's whole text: "&name;" from the course's entity table,
// "&#N;" as N's low byte; anything else not starting with "&" unchanged; an entity
// not recognised gives "". symbol receives whether the character is a Symbol-face one.
std::string DecodeEqText(std::string_view text, bool& symbol);
