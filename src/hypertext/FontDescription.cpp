#include "hypertext/FontDescription.h"

#include <QtGui/QFontDatabase>
#include <algorithm>
#include <cstring>
#include <map>

#include "course/AsciiCase.h"
#include "hypertext/MarkupTokenizer.h"

std::string_view FontDescription::Face() const { return {face, ::strnlen(face, kFaceField)}; }

void FontDescription::SetFace(std::string_view name) {
  const std::size_t n = std::min(name.size(), kFaceField - 1);
  if (n > 0) std::memcpy(face, name.data(), n);
  std::memset(face + n, 0, kFaceField - n);
}

bool operator==(const FontDescription& a, const FontDescription& b) {
  return a.size == b.size && a.flags == b.flags && a.colour == b.colour && a.Face() == b.Face();
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

struct Substitute {
  const char* face;  // lower case
  const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    // Symbol-font bytes are drawn as Unicode in the serif face.
    {"symbol", "Liberation Serif"},
};

std::string FlagFace(std::uint32_t flags) {
  if (flags & kFontSymbol) return "Symbol";
  if (flags & (kFontFixed | kFontCode)) return "Courier New";
  if (flags & kFontSerif) return "Times New Roman";
  return "Arial";
}

}  // namespace

std::string RequestedFace(const FontDescription& font) {
  const std::string_view face = font.Face();
  if (face.empty() || font.Has(kFontSymbol)) return FlagFace(font.flags);
  if (face.find(',') != std::string_view::npos) return FirstInstalledFace(face);
  return std::string(Trim(face));
}

QString SubstituteFace(std::string_view face) {
  const std::string lower = ToAsciiLower(Trim(face));
  for (const Substitute& s : kSubstitutes)
    if (lower == s.face) return QString::fromLatin1(s.family);
  return QString::fromStdString(CourseToUtf8(Trim(face)));
}

bool IsFaceInstalled(std::string_view face) {
  // Asking the font database is slow; faces are few, so answers are kept.
  static std::map<std::string, bool> known;
  const std::string key = ToAsciiLower(Trim(face));
  if (key.empty()) return false;
  if (auto it = known.find(key); it != known.end()) return it->second;
  const bool installed = QFontDatabase::hasFamily(SubstituteFace(face));
  known.emplace(key, installed);
  return installed;
}

std::string FirstInstalledFace(std::string_view faceList) {
  std::string first;
  while (true) {
    const std::size_t comma = faceList.find(',');
    const std::string_view name = Trim(faceList.substr(0, comma));
    if (!name.empty()) {
      if (first.empty()) first = name;
      if (IsFaceInstalled(name)) return std::string(name);
    }
    if (comma == std::string_view::npos) break;
    faceList.remove_prefix(comma + 1);
  }
  return first;
}

int FontPixelSize(const FontDescription& font, int dpiY) {
  long long pixels = font.size;
  if (font.Has(kFontPoints)) {
    const long long scaled = static_cast<long long>(font.size) * dpiY;
    pixels = scaled >= 0 ? (scaled + 36) / 72 : -((-scaled + 36) / 72);
  }
  return static_cast<int>(std::clamp<long long>(pixels, 1, 400));
}

QFont CreateFont(const FontDescription& font, int dpiY) {
  FontDescription shape = font;
  if (FontEncoding(font) == CourseEncoding::Symbol) {
    // Drawn as Unicode: take the face the remaining flags choose.
    shape.flags &= ~kFontSymbol;
    shape.SetFace({});
  }
  QFont f(SubstituteFace(RequestedFace(shape)));
  f.setPixelSize(FontPixelSize(font, dpiY));
  f.setWeight(font.Has(kFontBold) || font.Has(kFontHeavy) ? QFont::Weight(600) : QFont::Weight(400));
  f.setItalic(font.Has(kFontItalic));
  f.setUnderline(font.Has(kFontUnderline));
  if (font.Has(kFontFixed) || font.Has(kFontCode)) f.setStyleHint(QFont::Monospace);
  // Course text is laid out word by word with these metrics; kerning across
  // word pieces would make measured and drawn widths differ.
  f.setKerning(false);
  return f;
}

CourseEncoding FontEncoding(const FontDescription& font) {
  if (font.Has(kFontSymbol) || EqualNoCase(Trim(font.Face()), "symbol")) return CourseEncoding::Symbol;
  return CourseEncoding::Windows1252;
}

namespace {

bool ParseSignedInt(std::string_view s, int& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = std::min<long long>(v * 10 + (s[i] - '0'), 100000);
  out = static_cast<int>(negative ? -v : v);
  return true;
}


}  // namespace

void ApplyFontAttributes(FontDescription& font, const MarkupEvent& event) {
  for (int i = 0; i < event.attributeCount; ++i) {
    const MarkupAttribute& a = event.attributes[i];
    const std::string_view value = a.Value();
    switch (a.Letter()) {
      case 's': {
        int n = 0;
        if (!ParseSignedInt(value, n)) break;
        const bool relative = value[0] == '+' || value[0] == '-';
        font.size = static_cast<std::int32_t>(std::clamp(relative ? font.size + n : n, -100000, 100000));
        break;
      }
      case 'c': {
        if (value.size() != 7 || value[0] != '#') break;
        int rgb = 0;
        bool ok = true;
        for (std::size_t k = 1; k < 7 && ok; ++k) {
          const int d = AsciiHexDigit(value[k]);
          ok = d >= 0;
          rgb = rgb * 16 + d;
        }
        if (ok) font.colour = qRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        break;
      }
      case 'f': {
        font.SetFace({});
        const std::string v = ToAsciiLower(Trim(value));
        if (v == "fixed")
          font.flags |= kFontFixed;
        else if (v == "code")
          font.flags |= kFontCode;
        else if (v == "sans" || v == "sansserif")
          font.flags &= ~kFontSerif;
        else if (v == "serif")
          font.flags |= kFontSerif;
        else if (v == "symbol")
          font.flags |= kFontSymbol;
        else
          font.SetFace(value);
        break;
      }
      default: break;
    }
  }
}
