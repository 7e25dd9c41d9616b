#include "exposition/ScriptTokenizer.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "course/ByteReader.h"
#include "exposition/KeywordOrder.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptChunk.h"

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void PutLe32(std::uint32_t v, std::uint8_t* out) { StoreLe32(std::span<std::uint8_t, 4>(out, 4), v); }

// The number token of value in out[0..4]; returns its length.
std::size_t EncodeNumber(double value, std::uint8_t* out) {
  const bool whole = std::round(value) == value;  // round: half away from zero
  if (!whole || value < double(std::numeric_limits<std::int32_t>::min()) ||
      value > double(std::numeric_limits<std::int32_t>::max())) {
    out[0] = kw::value_float;
    PutLe32(std::bit_cast<std::uint32_t>(static_cast<float>(value)), out + 1);
    return 5;
  }
  const auto v = static_cast<std::int32_t>(value);
  if (v >= -128 && v <= 127) {
    out[0] = kw::value_char;
    out[1] = static_cast<std::uint8_t>(v);
    return 2;
  }
  if (v >= 0 && v <= 255) {
    out[0] = kw::value_byte;
    out[1] = static_cast<std::uint8_t>(v);
    return 2;
  }
  if (v >= -32768 && v <= 32767) {
    out[0] = kw::value_short;
    StoreLe16(std::span<std::uint8_t, 2>(out + 1, 2), static_cast<std::uint16_t>(v));
    return 3;
  }
  out[0] = kw::value_long;
  PutLe32(static_cast<std::uint32_t>(v), out + 1);
  return 5;
}

// Codes of the one- and two-character operator lexemes; 0 for other symbols.
int OperatorCode(unsigned char c, unsigned char next) {
  switch (c) {
    case '\n':
    case '\r':
      return kw::newline;
    case '!':
      return next == '=' ? kw::not_equals : kw::not_;
    case 0xAD:
      return kw::not_equals;
    case '%':
      return kw::mod;
    case '&':
      return kw::ampersand;
    case '(':
      return kw::lparen;
    case ')':
      return kw::rparen;
    case '*':
      return kw::times;
    case '+':
      return kw::plus;
    case ',':
      return kw::comma;
    case '-':
      return kw::minus;
    case '/':
      return kw::slash;
    case '<':
      return next == '=' ? kw::less_or_equal : next == '<' ? kw::shift_left : kw::less_than;
    case 0xB2:
      return kw::less_or_equal;
    case '=':
      return kw::equals;
    case '>':
      return next == '=' ? kw::greater_or_equal : next == '>' ? kw::shift_right : kw::greater_than;
    case 0xB3:
      return kw::greater_or_equal;
    case '^':
      return kw::power;
    case '{':
      return kw::lbracket;
    case '}':
      return kw::rbracket;
    default:
      return 0;
  }
}

// Whether the operator at c takes the next character too.
bool IsTwoCharacterOperator(unsigned char c, unsigned char next) {
  return (c == '<' && (next == '=' || next == '<')) || (c == '>' && (next == '=' || next == '>')) ||
         (c == '!' && next == '=');
}

class Tokenizer {
 public:
  Tokenizer(std::vector<std::uint8_t>& out, const KeywordOrder& keywords) : m_out(out), m_keywords(keywords) {}

  void Run(std::string_view src);

 private:
  enum class State { Between, Number, String, Word };

  void Start(State s) {
    m_state = s;
    m_length = 0;
    m_stringClosed = false;
  }
  void Append(unsigned char c) {
    if (m_length < kMaxLexeme) m_lexeme[m_length++] = static_cast<char>(c);
  }
  // Emits the pending word, number or string and goes between tokens.
  void Flush();
  void EmitNumber();
  void EmitString();
  void EmitCode(int code);
  // Appends a whole token, or ends the stream when it would not fit.
  void Put(const std::uint8_t* bytes, std::size_t n);

  std::vector<std::uint8_t>& m_out;
  const KeywordOrder& m_keywords;
  State m_state = State::Between;
  char m_lexeme[kMaxLexeme];
  std::size_t m_length = 0;
  bool m_stringClosed = false;
  bool m_full = false;
};

void Tokenizer::Put(const std::uint8_t* bytes, std::size_t n) {
  if (m_full) return;
  if (m_out.size() + n > ScriptChunk::kMaxTokens) {
    m_full = true;
    return;
  }
  m_out.insert(m_out.end(), bytes, bytes + n);
}

void Tokenizer::EmitCode(int code) {
  if (code <= 0) return;
  // Codes of 256 and above are the two-byte codes, high byte first.
  std::uint8_t b[2];
  StoreBe16(b, static_cast<std::uint16_t>(code));
  if (code >= 256)
    Put(b, 2);
  else
    Put(b + 1, 1);
}

void Tokenizer::EmitNumber() {
  // Digits before the first point build the whole part, each digit after it adds
  // digit / 10^k for its place k; further points are passed over.
  double whole = 0.0, fraction = 0.0, scale = 1.0;
  bool afterPoint = false;
  std::size_t i = 0;
  const bool negative = m_length > 0 && m_lexeme[0] == '-';
  if (negative) i = 1;
  for (; i < m_length; ++i) {
    const char c = m_lexeme[i];
    if (c == '.') {
      afterPoint = true;
    } else if (afterPoint) {
      scale *= 10.0;
      fraction += (c - '0') / scale;
    } else {
      whole = whole * 10.0 + (c - '0');
    }
  }
  double value = whole + fraction;
  if (negative) value = -value;
  std::uint8_t token[5];
  Put(token, EncodeNumber(value, token));
}

void Tokenizer::EmitString() {
  // The lexeme holds the characters after the opening quote. An unterminated string
  // loses its last character, as if the quotes were counted off its two ends.
  std::size_t n = m_length;
  if (!m_stringClosed && n > 0) --n;
  std::uint8_t token[2 + kMaxLexeme];
  token[0] = kw::literal;
  token[1] = static_cast<std::uint8_t>(n);
  std::memcpy(token + 2, m_lexeme, n);
  Put(token, 2 + n);
}

void Tokenizer::Flush() {
  switch (m_state) {
    case State::Between:
      break;
    case State::Number:
      EmitNumber();
      break;
    case State::String:
      EmitString();
      break;
    case State::Word:
      EmitCode(m_keywords.Lookup(std::string_view(m_lexeme, m_length)));
      break;
  }
  m_state = State::Between;
  m_length = 0;
}

void Tokenizer::Run(std::string_view src) {
  const std::size_t n = src.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(src[i]);
    const auto next = static_cast<unsigned char>(i + 1 < n ? src[i + 1] : 0);

    if (c == '"') {
      if (m_state == State::String) {
        m_stringClosed = true;
        Flush();
      } else {
        Flush();
        Start(State::String);  // the lexeme keeps the characters between the quotes
      }
    } else if (IsDigit(c) || c == '.') {
      if (m_state == State::Word) {
        // int0, float9, point3 are words; a word that began with `_` ends here.
        if (IsLetter(static_cast<unsigned char>(m_lexeme[0]))) {
          Append(c);
        } else {
          Flush();
          Start(State::Number);
          Append(c);
        }
      } else if (m_state == State::Between) {
        Start(State::Number);
        Append(c);
      } else {
        Append(c);
      }
    } else if (c == '-' && m_state == State::Between && (IsDigit(next) || next == '.')) {
      Start(State::Number);
      Append(c);
    } else if (IsLetter(c) || c == '_') {
      if (m_state == State::Between) {
        Start(State::Word);
        Append(c);
      } else if (m_state == State::Number) {
        Flush();
        Start(State::Word);
        Append(c);
      } else {
        Append(c);
      }
    } else if (c == ' ' || c == '\t') {
      if (m_state == State::String)
        Append(c);
      else
        Flush();
    } else if (c == '\n') {
      Flush();
      EmitCode(kw::newline);
    } else if (m_state == State::String) {
      // A backslash takes the next character literally (\" and \\), except that \n
      // stays as written for the text drawing to break the line. A backslash at the
      // end of a line is kept; it never swallows the line end.
      if (c == '\\' && i + 1 < n && next != 'n' && next != '\n') {
        Append(next);
        ++i;
      } else {
        Append(c);
      }
    } else {
      Flush();
      // Other symbols ([ ] ; # $ @ ? | ~ ' : and bytes above 127) name no keyword
      // and produce nothing.
      const bool two = IsTwoCharacterOperator(c, next);
      EmitCode(OperatorCode(c, two ? next : 0));
      if (two) ++i;
    }
  }
  Flush();
}

}  // namespace

void AppendNumberToken(double value, std::vector<std::uint8_t>& out) {
  std::uint8_t token[5];
  out.insert(out.end(), token, token + EncodeNumber(value, token));
}

bool TokenizeChunk(std::string_view source, std::vector<std::uint8_t>& tokens, const KeywordOrder& keywords) {
  tokens.clear();
  Tokenizer t(tokens, keywords);
  t.Run(source);
  tokens.shrink_to_fit();
  return !tokens.empty();
}

bool TokenizeChunk(std::string_view source, std::vector<std::uint8_t>& tokens) {
  return TokenizeChunk(source, tokens, SharedKeywordOrder());
}
