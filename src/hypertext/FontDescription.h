// The font description every text drawing of course content uses: a size in
// pixels or points, style flags, an optional face (or face list) and a colour.
//
// Course files name the faces of another desktop; fonts are created here with
// metric-compatible substitutes (Arial -> Liberation Sans, Times New Roman ->
// Liberation Serif, Courier New -> Liberation Mono). The Symbol font is not
// used: its bytes are mapped to Unicode (FontEncoding) and drawn in the face
// the other flags choose.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "course/CourseText.h"

struct MarkupEvent;

enum FontFlags : std::uint32_t {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontSerif = 8,
  kFontPoints = 16,  // size is in points, converted with the device's vertical resolution
  kFontSymbol = 32,
  kFontHeavy = 64,  // also selects the heavier weight
  kFontFixed = 128,
  kFontCode = 256,
};

struct FontDescription {
  static constexpr std::size_t kFaceField = 64;

  std::int32_t size = 12;  // pixels, or points with kFontPoints
  std::uint32_t flags = 0;
  char face[kFaceField] = {};  // NUL-terminated; empty: chosen from the flags
  QRgb colour = qRgb(0, 0, 0);

  std::string_view Face() const;
  // Course bytes; cut to 63 bytes.
  void SetFace(std::string_view name);
  bool Has(std::uint32_t flag) const { return (flags & flag) != 0; }

  friend bool operator==(const FontDescription& a, const FontDescription& b);
};

// The face the description asks for, before substitution: the given face (the
// first installed one of a "," separated list) unless it is empty or the
// Symbol flag is set; otherwise "Symbol" for the Symbol flag, "Courier New"
// for fixed pitch or code, "Times New Roman" for serif, else "Arial".
std::string RequestedFace(const FontDescription& font);

// The family drawn on this system for a face a course file names.
QString SubstituteFace(std::string_view face);
// Whether the face, or its substitute, is installed.
bool IsFaceInstalled(std::string_view face);
// The first installed face of a "," separated list (blanks around names are
// ignored); the first name when none is installed; empty for an empty list.
std::string FirstInstalledFace(std::string_view faceList);

// Character height in pixels: size, or size x dpiY / 72 rounded for points;
// kept within 1 to 400 pixels.
int FontPixelSize(const FontDescription& font, int dpiY);
// Weight 600 for bold or heavy, else 400; italic and underline from the flags.
QFont CreateFont(const FontDescription& font, int dpiY);
// How the font's bytes map to characters: Symbol for the Symbol flag or face.
CourseEncoding FontEncoding(const FontDescription& font);

// A "font" tag's attributes, by the first letter of their names: "s" size
// ("+n" and "-n" relative, else absolute), "c" colour ("#" and six hexadecimal
// digits only), "f" face ("fixed", "code", "sans" or "sansserif", "serif",
// "symbol", else a face list; the face name is cleared first).
void ApplyFontAttributes(FontDescription& font, const MarkupEvent& event);
