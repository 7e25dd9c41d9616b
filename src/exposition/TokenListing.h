// Token streams as text, for authors (kncourse) and tests: each token by its keyword
// name, a number as name=value, a literal as literal="text"; tokens separated by
// blanks. A code that names no keyword shows as #code, a cut-off token as
// name=(cut off). Text bytes are left as they are (course bytes).
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct ScriptToken;

std::string DescribeToken(const ScriptToken& token);
std::string DescribeTokens(std::span<const std::uint8_t> stream);
// The same, with a line break after every `newline` token and lines indented by indent.
std::string ListTokenLines(std::span<const std::uint8_t> stream, std::string_view indent);
