// The colour keywords of the script language and the colours they denote.
#pragma once

#include <cstdint>
#include <span>

struct NamedColour {
  int code;  // keyword code
  std::uint8_t r, g, b;
};

// The 23 colour keywords in byte order of their names.
std::span<const NamedColour> NamedColours();

// Whether code is a colour keyword.
bool IsColourKeyword(int code);
// The colour word (0x02BBGGRR, palette-relative) of a colour keyword; 0 for other codes.
std::uint32_t NamedColourWord(int code);

constexpr std::uint32_t ColourWord(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return 0x02000000u | (std::uint32_t(b) << 16) | (std::uint32_t(g) << 8) | r;
}
