// The script tokenizer: turns the source of one chunk (script lines joined by LF,
// ending with LF) into a token stream of keyword codes and literal values.
//
// Lexical rules in brief: words are letters, digits and `_` starting with a letter
// or `_`, looked up without regard to case (unknown words are dropped); numbers are
// digits and points, with a leading minus when the minus follows a blank or starts
// the line; strings run between double quotes with backslash escapes; `<=` `<<`
// `>=` `>>` `!=` are single operators; the Mac OS Roman bytes 0xAD, 0xB2, 0xB3 are
// not-equal, less-or-equal and greater-or-equal.
//
// Limits: a lexeme holds at most 255 characters; the characters of a longer word,
// number or string are dropped (the rest of the line is still read in step). A
// stream holds at most 4096 bytes; a token that would not fit whole ends the
// stream there, so it is always a clean prefix of the full compilation.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class KeywordOrder;

constexpr std::size_t kMaxLexeme = 255;

// Compiles source into tokens (replacing their contents). Returns whether any token
// was produced.
bool TokenizeChunk(std::string_view source, std::vector<std::uint8_t>& tokens);
bool TokenizeChunk(std::string_view source, std::vector<std::uint8_t>& tokens, const KeywordOrder& keywords);

// The token of a number: a whole value in the narrowest of value_char, value_byte,
// value_short, value_long; any other value (a fraction, or a whole number beyond
// 32 bits) as value_float. Appended to out.
void AppendNumberToken(double value, std::vector<std::uint8_t>& out);
