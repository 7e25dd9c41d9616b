// The named character entities of course markup ("&lt;", "&theta;", ...). Each
// name stands for one byte: a Windows-1252 code, or a character of the Symbol
// font, which the tokenizer hands on wrapped in a symbol font change.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct CharEntity {
  const char* name;   // exact spelling; names compare case-sensitively
  std::uint8_t code;  // 0: nothing visible
  bool symbol;        // drawn in the Symbol font
};

// The table, sorted by name in byte order.
std::span<const CharEntity> CharEntities();

// Binary search for name (without "&" and ";"); none for an unknown name.
std::optional<CharEntity> FindCharEntity(std::string_view name);
