#include "exposition/ScriptColours.h"

#include <array>
#include <iterator>

#include "exposition/Keywords.h"

namespace {
constexpr NamedColour kColours[] = {
    {kw::black, 0, 0, 0},        {kw::blue, 93, 185, 255},     {kw::brown, 239, 178, 126},
    {kw::cream, 255, 255, 204},  {kw::dkblue, 0, 0, 160},      {kw::dkbrown, 126, 53, 23},
    {kw::dkgray, 119, 119, 119}, {kw::dkgreen, 51, 102, 0},    {kw::dkorange, 248, 128, 23},
    {kw::dkred, 204, 0, 0},      {kw::dkviolet, 132, 45, 206}, {kw::gray, 170, 170, 170},
    {kw::green, 0, 238, 0},      {kw::hotpink, 246, 96, 171},  {kw::ltblue, 204, 204, 255},
    {kw::ltgray, 221, 221, 221}, {kw::olive, 160, 197, 68},    {kw::orange, 255, 102, 102},
    {kw::pink, 255, 187, 255},   {kw::red, 255, 63, 78},       {kw::violet, 216, 102, 255},
    {kw::white, 255, 255, 255},  {kw::yellow, 255, 255, 0},
};

// Keyword code -> index in kColours + 1 (0: no colour), so that the evaluator's
// test of every primary is one look-up.
constexpr auto kIndexByCode = [] {
  std::array<std::uint8_t, kLastKeyword + 1> index{};
  for (std::size_t i = 0; i < std::size(kColours); ++i)
    index[static_cast<std::size_t>(kColours[i].code)] = static_cast<std::uint8_t>(i + 1);
  return index;
}();

const NamedColour* Find(int code) {
  if (code < 0 || code > kLastKeyword) return nullptr;
  const int i = kIndexByCode[static_cast<std::size_t>(code)];
  return i ? &kColours[i - 1] : nullptr;
}
}  // namespace

std::span<const NamedColour> NamedColours() { return kColours; }

bool IsColourKeyword(int code) { return Find(code) != nullptr; }

std::uint32_t NamedColourWord(int code) {
  const NamedColour* c = Find(code);
  return c ? ColourWord(c->r, c->g, c->b) : 0;
}
