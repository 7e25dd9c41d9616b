#include "equations/EquationTree.h"

#include <algorithm>
#include <iterator>

#include "course/AsciiCase.h"
#include "hypertext/CharEntities.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

// Index = EqType.
constexpr std::string_view kNames[] = {
    "",       "math",  "mfenced", "mfrac", "mi",      "mn",      "mo",   "mover",  "mpadded", "mrow",   "ms",
    "mspace", "msqrt", "mstyle",  "msub",  "msubsup", "msup",    "mtable", "mtd",  "mtext",   "mtr",    "munder",
    "munderover"};
static_assert(std::size(kNames) == 23);

// Pixels an attribute may ask for; far beyond any real equation, small enough that
// sums over thousands of elements stay well inside int.
constexpr int kPixelLimit = 4000;
constexpr int kLineLimit = 32;
constexpr std::size_t kPendingLimit = 1024;

// The leading integer of a value (blanks, an optional sign, digits), kept within
// +-kPixelLimit. False when there are no digits. signedValue receives whether a sign
// was written.
bool LeadingInteger(std::string_view v, int& out, bool* signedValue = nullptr) {
  std::size_t i = 0;
  while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
  bool negative = false;
  bool sign = false;
  if (i < v.size() && (v[i] == '+' || v[i] == '-')) {
    sign = true;
    negative = v[i++] == '-';
  }
  if (i >= v.size() || v[i] < '0' || v[i] > '9') return false;
  int value = 0;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) value = std::min(value * 10 + (v[i] - '0'), kPixelLimit);
  out = negative ? -value : value;
  if (signedValue) *signedValue = sign;
  return true;
}

int IntegerOr(std::string_view v, int fallback) {
  int n = 0;
  return LeadingInteger(v, n) ? n : fallback;
}

bool TrueOrNumber(std::string_view v) { return EqualNoCase(v, "true") || IntegerOr(v, 0) != 0; }

int AlignFactor(std::string_view v) {
  if (EqualNoCase(v, "left")) return 0;
  if (EqualNoCase(v, "right")) return 2;
  return 1;
}

std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Bounded(std::string_view s, std::size_t limit) { return std::string(s.substr(0, limit)); }

void ApplyTypeDefaults(EqNode& n) {
  switch (n.type) {
    case EqType::Math:
      n.style.relativeSize = true;
      n.style.size = 8;
      break;
    case EqType::Mi:
      n.style.styleSet = true;
      n.style.italic = true;
      break;
    case EqType::Mo:
      n.style.weightSet = true;
      n.style.bold = true;
      break;
    default: break;
  }
}

void AddSizeIncrement(EqStyle& s, int increment) {
  if (!s.absoluteSize) s.relativeSize = true;
  s.size += increment;
}

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

}  // namespace

std::string_view EqTypeName(EqType type) {
  const auto i = static_cast<std::size_t>(type);
  return i < std::size(kNames) ? kNames[i] : std::string_view();
}

EqType EqTypeOf(std::string_view name) {
  for (std::size_t i = 1; i < std::size(kNames); ++i)
    if (kNames[i] == name) return static_cast<EqType>(i);
  return EqType::Token;
}

bool IsEqToken(EqType type) {
  switch (type) {
    case EqType::Token:
    case EqType::Mi:
    case EqType::Mn:
    case EqType::Mo:
    case EqType::Ms:
    case EqType::Style:
    case EqType::Text: return true;
    default: return false;
  }
}

std::string DecodeEqText(std::string_view text, bool& symbol) {
  symbol = false;
  if (text.empty() || text[0] != '&') return std::string(text);
  if (text.size() < 3 || text.back() != ';') return {};
  const std::string_view name = text.substr(1, text.size() - 2);
  std::uint8_t code = 0;
  if (name[0] == '#') {
    if (name.size() < 2) return {};
    // Only N's low byte counts, so the number is read modulo 256 whatever its length.
    unsigned value = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
      if (name[i] < '0' || name[i] > '9') return {};
      value = (value * 10 + static_cast<unsigned>(name[i] - '0')) & 0xFF;
    }
    code = static_cast<std::uint8_t>(value);
    symbol = (code >= 65 && code <= 122) || code == 189;
  } else {
    const auto entity = FindCharEntity(name);
    if (!entity) return {};
    code = entity->code;
    symbol = entity->symbol;
  }
  if (code == 0) {
    symbol = false;
    return {};
  }
  return std::string(1, static_cast<char>(code));
}

void SetEqAttribute(EqNode& n, std::string_view rawName, std::string_view value) {
  const std::string name = ToAsciiLower(rawName);
  EqStyle& s = n.style;
  if (name == "fontsize") {
    std::string_view v = value;
    if (!v.empty() && v.front() == '\'') v.remove_prefix(1);
    int size = 0;
    bool relative = false;
    if (!LeadingInteger(v, size, &relative)) return;
    s.relativeSize = relative;
    s.absoluteSize = !relative;
    s.size = size;
  } else if (name == "fontweight") {
    if (EqualNoCase(value, "bold") || EqualNoCase(value, "normal")) {
      s.weightSet = true;
      s.bold = EqualNoCase(value, "bold");
      n.weightGiven = true;
    }
  } else if (name == "fontstyle") {
    if (EqualNoCase(value, "italic") || EqualNoCase(value, "normal")) {
      s.styleSet = true;
      s.italic = EqualNoCase(value, "italic");
    }
  } else if (name == "fontfamily") {
    s.familySet = true;
    s.symbol = EqualNoCase(Trim(value), "symbol");
  } else if (name == "color") {
    if (value.size() < 7 || value[0] != '#') return;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
      const int hi = AsciiHexDigit(value[1 + 2 * i]);
      const int lo = AsciiHexDigit(value[2 + 2 * i]);
      if (hi < 0 || lo < 0) return;
      rgb[i] = hi * 16 + lo;
    }
    s.colourSet = true;
    s.colour = qRgb(rgb[0], rgb[1], rgb[2]);
  } else if (n.type == EqType::Padded && (name == "lspace" || name == "width" || name == "height" || name == "depth")) {
    int v = 0;
    bool relative = false;
    if (!LeadingInteger(value, v, &relative)) return;
    if (name == "lspace") {
      n.padLspace = v;
    } else if (name == "width") {
      n.padWidth = v;
      n.widthRelative = relative;
    } else if (name == "height") {
      n.padHeight = v;
      n.heightRelative = relative;
    } else {
      n.padDepth = v;
      n.depthRelative = relative;
      n.depthSet = true;
    }
  } else if (n.type == EqType::Space && (name == "width" || name == "height")) {
    const int v = std::max(0, IntegerOr(value, 0));
    (name == "width" ? n.padWidth : n.padHeight) = v;
  } else if (IsEqToken(n.type) && (name == "lspace" || name == "rspace")) {
    (name == "lspace" ? n.lspace : n.rspace) = IntegerOr(value, 0);
  } else if (n.type == EqType::Fenced && (name == "open" || name == "close" || name == "separators")) {
    std::string v = Bounded(value, EqNode::kTextLimit);
    if (name == "open")
      n.open = std::move(v);
    else if (name == "close")
      n.close = std::move(v);
    else
      n.separators = std::move(v);
  } else if ((n.type == EqType::Frac || n.type == EqType::Sqrt) && name == "linethickness") {
    n.lineThickness = std::clamp(IntegerOr(value, 1), 0, kLineLimit);
  } else if (n.type == EqType::Over && name == "accent") {
    n.accent = EqualNoCase(value, "true") ? 1 : IntegerOr(value, 0);
  } else if (n.type == EqType::Under && name == "accentunder") {
    n.accentUnder = EqualNoCase(value, "true") ? 1 : IntegerOr(value, 0);
  } else if ((n.type == EqType::Td || n.type == EqType::Tr) && (name == "columnalign" || name == "rowalign")) {
    (name == "columnalign" ? n.columnAlign : n.rowAlign) = AlignFactor(value);
  } else if (n.type == EqType::Table && (name == "equalcolumns" || name == "equalrows")) {
    (name == "equalcolumns" ? n.equalColumns : n.equalRows) = TrueOrNumber(value);
  }
}

void SetEqText(EqNode& n, std::string_view raw) {
  const std::string_view text = Trim(raw);
  if (!IsEqToken(n.type)) {
    n.text = Bounded(text, EqNode::kTextLimit);
    return;
  }
  bool symbol = false;
  std::string t = DecodeEqText(text, symbol);
  if (t.size() > EqNode::kTextLimit) t.resize(EqNode::kTextLimit);
  if (symbol) {
    n.style.familySet = true;
    n.style.symbol = true;
  }
  // The letters that select the Symbol face are what entities yield (chi, Chi,
  // theta, Theta, infinity, the square): a single character. Longer texts such as
  // "cos" or "Sum" are words and keep their face.
  const bool single = t.size() == 1;
  if (n.type == EqType::Mi && single && IsOneOf(t[0], "cCqQ\xFF\xA5")) {
    n.style.familySet = true;
    n.style.symbol = true;
    if (t[0] == 'c' || t[0] == 'C') {
      AddSizeIncrement(n.style, 6);
      n.rspace = 1;
    }
  } else if (n.type == EqType::Mo && !t.empty()) {
    if (IsOneOf(t[0], "\xB1+=-") || (single && t[0] == 'S')) {
      n.style.familySet = true;
      n.style.symbol = true;
    }
    if (single && t[0] == 'S') {
      // The summation sign stands unpadded, larger, and in the weight it was given.
      if (!n.weightGiven) n.style.weightSet = false;
      AddSizeIncrement(n.style, 6);
      n.rspace = 1;
    } else {
      if (t.size() > EqNode::kTextLimit - 2) t.resize(EqNode::kTextLimit - 2);
      t = ' ' + t + ' ';
    }
  }
  n.text = std::move(t);
}

EquationBuilder::EquationBuilder() = default;
EquationBuilder::~EquationBuilder() = default;

void EquationBuilder::Take(MarkupEvent& e) {
  const std::string_view text = e.Text();
  m_pending.append(text.substr(0, kPendingLimit - std::min(kPendingLimit, m_pending.size())));
  e.ConsumeText();
  if (e.IsLineEnd()) {
    if (m_pending.size() < kPendingLimit) m_pending += ' ';
    return;
  }
  if (!e.IsTag()) return;
  if (e.closing) {
    if (m_skipped > 0)
      --m_skipped;
    else if (m_current)
      CloseCurrent();
    // A closing tag with nothing open would start the next element at the top
    // level; it is ignored.
  } else {
    Open(e);
  }
  m_pending.clear();
}

void EquationBuilder::Open(const MarkupEvent& e) {
  if (m_skipped > 0 || m_depth >= kDepthLimit || m_elements >= kElementLimit) {
    ++m_skipped;
    return;
  }
  auto node = std::make_unique<EqNode>();
  node->name.assign(e.Tag());
  node->type = EqTypeOf(node->name);
  ApplyTypeDefaults(*node);
  node->parent = m_current;
  EqNode* made = node.get();
  if (m_current)
    m_current->children.push_back(std::move(node));
  else
    m_roots.push_back(std::move(node));
  m_current = made;
  ++m_depth;
  ++m_elements;
  for (int i = 0; i < e.attributeCount; ++i) SetEqAttribute(*made, e.attributes[i].Name(), e.attributes[i].Value());
}

void EquationBuilder::CloseCurrent() {
  SetEqText(*m_current, m_pending);
  m_current = m_current->parent;
  --m_depth;
}

std::unique_ptr<EqNode> EquationBuilder::Finish() {
  std::unique_ptr<EqNode> root;
  if (m_roots.size() == 1) {
    root = std::move(m_roots.front());
  } else if (!m_roots.empty()) {
    root = std::make_unique<EqNode>();
    root->type = EqType::Row;
    root->name = "mrow";
    for (auto& r : m_roots) {
      r->parent = root.get();
      root->children.push_back(std::move(r));
    }
  }
  m_roots.clear();
  m_current = nullptr;
  m_depth = 0;
  m_skipped = 0;
  m_elements = 0;
  m_pending.clear();
  return root;
}

std::unique_ptr<EqNode> BuildEquation(std::string_view markup) {
  EquationBuilder builder;
  Tokenize(markup, [&builder](MarkupEvent& e) { builder.Take(e); }, true);
  return builder.Finish();
}
