// Reading a token stream. A token is a code of one byte, or of two when the first
// byte is 1, 2 or 3 (high byte first), followed by a payload whose size the code
// fixes: `literal` a count byte and that many characters, `value_byte` and
// `value_char` one byte, `value_short` two, `value_long` and `value_float` four
// (little-endian). Streams come from the tokenizer but are read as untrusted bytes:
// a token cut off by the end of the stream is reported as truncated and nothing is
// ever read past the end.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct ScriptToken {
  int code = 0;              // 0: the stream has ended
  std::int32_t integer = 0;  // value_byte, value_char, value_short, value_long
  float real = 0.0f;         // value_float
  std::string_view text;     // literal: its characters, a view into the stream
  bool truncated = false;    // the stream ended inside the code or the payload
};

// True for the five number codes value_byte .. value_short.
bool IsNumberCode(int code);

class TokenCursor {
 public:
  TokenCursor() = default;
  explicit TokenCursor(std::span<const std::uint8_t> stream) : m_stream(stream) {}

  std::size_t size() const { return m_stream.size(); }
  std::size_t position() const { return m_pos; }
  std::size_t remaining() const { return m_stream.size() - m_pos; }
  bool atEnd() const { return m_pos >= m_stream.size(); }
  // Moves to a position recorded earlier (loops resume at their statement); clamped to the end.
  void setPosition(std::size_t pos) { m_pos = pos < m_stream.size() ? pos : m_stream.size(); }

  // The code of the next token without consuming anything; 0 at the end.
  int PeekCode() const;
  // The next token with its payload. At the end: code 0. A cut-off token consumes
  // the rest of the stream and comes back with truncated set and a zero payload.
  ScriptToken Read();
  // The next token's code; its payload is skipped.
  int ReadCode() { return Read().code; }

 private:
  int ReadCodeOnly(bool& truncated);

  std::span<const std::uint8_t> m_stream;
  std::size_t m_pos = 0;
};
