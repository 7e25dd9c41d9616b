#include "exposition/TokenCursor.h"

#include <bit>

#include "course/ByteReader.h"
#include "exposition/Keywords.h"

bool IsNumberCode(int code) { return code >= kw::value_byte && code <= kw::value_short; }

int TokenCursor::PeekCode() const {
  TokenCursor copy = *this;
  bool truncated = false;
  return copy.ReadCodeOnly(truncated);
}

int TokenCursor::ReadCodeOnly(bool& truncated) {
  if (atEnd()) return 0;
  const int first = m_stream[m_pos];
  if (first < 1 || first > 3) {
    ++m_pos;
    return first;
  }
  if (remaining() < 2) {
    m_pos = m_stream.size();
    truncated = true;
    return 0;
  }
  const std::uint16_t code = LoadBe16(m_stream.subspan(m_pos).first<2>());
  m_pos += 2;
  return code;
}

ScriptToken TokenCursor::Read() {
  ScriptToken t;
  t.code = ReadCodeOnly(t.truncated);
  if (t.truncated) return t;

  std::size_t payload = 0;
  switch (t.code) {
    case kw::literal:
      if (atEnd()) {
        t.truncated = true;
        return t;
      }
      payload = 1 + m_stream[m_pos];
      break;
    case kw::value_byte:
    case kw::value_char:
      payload = 1;
      break;
    case kw::value_short:
      payload = 2;
      break;
    case kw::value_long:
    case kw::value_float:
      payload = 4;
      break;
    default:
      return t;
  }
  if (payload > remaining()) {
    m_pos = m_stream.size();
    t.truncated = true;
    return t;
  }
  const std::span<const std::uint8_t> p = m_stream.subspan(m_pos, payload);
  m_pos += payload;
  switch (t.code) {
    case kw::literal:
      t.text = std::string_view(reinterpret_cast<const char*>(p.data() + 1), payload - 1);
      break;
    case kw::value_byte:
      t.integer = p[0];
      break;
    case kw::value_char:
      t.integer = static_cast<std::int8_t>(p[0]);
      break;
    case kw::value_short:
      t.integer = static_cast<std::int16_t>(LoadLe16(p.first<2>()));
      break;
    case kw::value_long:
      t.integer = static_cast<std::int32_t>(LoadLe32(p.first<4>()));
      break;
    case kw::value_float:
      t.real = std::bit_cast<float>(LoadLe32(p.first<4>()));
      break;
  }
  return t;
}
