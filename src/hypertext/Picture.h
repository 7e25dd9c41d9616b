// Picture: every still picture the player shows. Loads a packed bitmap from a
// resource container entry, a ".bmp" or ".png" file, one of the program's own
// bitmaps, or takes a vector picture; draws it at any size through a QPainter with
// the program's own pixel rules, with three effects:
//   - a key colour marking transparent pixels, masked out or painted in the
//     painter's background colour;
//   - a fade of the whole picture towards a tint colour;
//   - a soft drop shadow with a pressed-button depth (activity icons).
//
// Key colours: 8-bit bitmaps: the first colour-table entry (238, 238, 238) when the
// picture is masked or keyed, else index 255 (215 in the shadow); 16-bit: 0x77BD;
// 24- and 32-bit: (254, 254, 254); palette PNG images: the index one below the length
// of the transparency table; RGBA PNG images: alpha below 128 (drawing blends).
//
// Each owner holds its own picture; pictures are moved, never copied. Loading
// failures leave the picture empty and say why in loadError(); owners then show
// nothing. Only the user-interface thread loads and draws pictures.
#pragma once

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QColor>
#include <QtGui/QRegion>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

class CourseFile;
class DibBitmap;
class PngImage;
class QPainter;
class QPicture;
struct PixelSource;

class Picture {
 public:
  enum Kind : std::int32_t { kEmpty = 0, kMetafile = 1, kBitmap = 2, kPng = 3 };

  Picture();
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // Releases whatever is held; kind 0. The flags, fade and tint are kept.
  void Clear();
  bool IsLoaded() const { return m_kind != kEmpty; }
  Kind kind() const { return m_kind; }

  // A packed bitmap (information header, colour table, pixels), as picture entries
  // of resource containers hold it; a PNG stream is recognised by its signature and
  // decoded instead. Kind 2 (or 3).
  bool LoadFromMemory(std::span<const std::uint8_t> data);
  // By the file's name, lower-cased: containing ".bmp" a bitmap file, else containing
  // ".png" a PNG image; any other name loads nothing. In a bitmap file of 8 bits per
  // pixel the bottom-left pixel's colour becomes the key.
  bool LoadFromFile(CourseFile& file);
  bool LoadFromFile(const std::filesystem::path& path);
  // The program's bitmap resource of that number (resources/bitmap/<id>.bmp or an
  // 8-bit palette .png): the bottom-left pixel's colour becomes the key. Pictures of
  // more than 8 bits per pixel are refused with notice 8517.
  bool LoadFromResource(int id);
  // The same from a resource's bytes already fetched; name labels notices and errors.
  bool LoadProgramBitmap(std::span<const std::uint8_t> bytes, const std::string& name);
  // Takes the vector picture; kind 1 unless it is null. Its bounding rectangle is its size.
  void AttachMetafile(std::unique_ptr<QPicture> metafile);

  QSize Size() const;
  // Size() plus 10 in width and 11 in height; (0, 0) when empty.
  QSize ShadowedSize() const;
  // The bitmap's depth or the PNG image's pixel depth (8 or 32); 0 otherwise.
  int BitsPerPixel() const;

  // Sets keyed. In 16-, 24- and 32-bit bitmaps every key pixel becomes colour in the
  // bitmap's own format; other kinds keep their pixels.
  void ReplaceKeyColour(const QColor& colour);

  // Draws the picture scaled into rect (nearest neighbour). Only the part of rect
  // the painter can show is computed. Empty pictures and empty rects draw nothing.
  void Draw(QPainter& painter, const QRect& rect) const;
  void DrawAt(QPainter& painter, QPoint at) const;
  // The picture with its drop shadow, (w + 8) x (h + 10) pixels from at, depth 0
  // (raised) to 6 (pressed); dark halves the colours of 8-bit pictures. Bitmaps and
  // PNG images up to 1024 pixels a side; others draw nothing.
  void DrawWithShadow(QPainter& painter, QPoint at, int depth, bool dark) const;
  // The opaque pixels in picture coordinates (top-left origin): the whole rectangle
  // less the runs of key pixels of 8-bit bitmaps and palette PNG images, or of
  // pixels with alpha below 128 of RGBA PNG images.
  QRegion OpaqueRegion() const;

  bool masked() const { return m_masked; }
  void setMasked(bool masked) { m_masked = masked; }
  bool keyed() const { return m_keyed; }
  float fade() const { return m_fade; }
  void setFade(float fade) { m_fade = fade; }
  QColor tint() const { return m_tint; }
  void setTint(const QColor& tint) { m_tint = tint; }

  // Why the last load failed; empty after a successful one.
  const std::string& loadError() const { return m_error; }

  // Read-only access for tools and tests.
  const DibBitmap* bitmap() const { return m_bitmap.get(); }
  const PngImage* png() const { return m_png.get(); }
  // The key entry of an 8-bit bitmap or palette PNG image as drawing uses it; -1 when
  // there is none.
  int KeyIndex() const;

 private:
  enum class KeyUse { Drawing, Shadow };
  PixelSource Source(KeyUse use) const;
  int BitmapKeyIndex(int fallback) const;
  bool Fail(std::string why);

  Kind m_kind = kEmpty;
  std::unique_ptr<QPicture> m_metafile;
  std::unique_ptr<DibBitmap> m_bitmap;
  std::unique_ptr<PngImage> m_png;
  bool m_masked = false;
  bool m_keyed = false;
  float m_fade = 0.0f;
  QColor m_tint = QColor(0, 0, 0);
  std::string m_error;
};
