#include "hypertext/Picture.h"

#include <QtGui/QPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <QtGui/QTransform>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "course/AsciiCase.h"
#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "hypertext/DibBitmap.h"
#include "hypertext/PictureRenderer.h"
#include "hypertext/PictureShadow.h"
#include "hypertext/PngImage.h"

namespace {

constexpr QRgb kKeyGrey = 0xEEEEEE;  // (238, 238, 238)
constexpr int kShadowWidth = 10, kShadowHeight = 11;
// No single draw builds more output than this (an 8192 x 8192 area).
constexpr std::uint64_t kMaxDrawPixels = 64u * 1024 * 1024;

bool IsKeyGrey(QRgb c) { return (c & 0xFFFFFF) == kKeyGrey; }

std::string LowerFileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return ToAsciiLower(slash == std::string::npos ? path : path.substr(slash + 1));
}

// Bitmap files and program bitmaps: the colour of the bottom-left pixel is the key.
// An index beyond the colour table names no entry and changes nothing.
void MakeBottomLeftKey(DibBitmap& b) {
  const std::uint8_t index = b.rowFromBottom(0)[0];
  if (index < b.colours().size()) b.colours()[index] = qRgb(238, 238, 238);
}

// The part of the painter's logical space that reaches its device, or none when
// the device cannot tell (a recording): then the whole destination is built.
std::optional<QRect> VisibleArea(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  if (!device || device->devType() == QInternal::Picture || device->width() <= 0 || device->height() <= 0)
    return std::nullopt;
  bool invertible = false;
  const QTransform toLogical = painter.deviceTransform().inverted(&invertible);
  if (!invertible) return QRect();
  // Generous for devices whose width already counts device pixels.
  const qreal ratio = std::max<qreal>(1.0, device->devicePixelRatioF());
  QRect area = toLogical.mapRect(QRectF(0, 0, device->width() * ratio, device->height() * ratio)).toAlignedRect();
  if (painter.hasClipping()) area &= painter.clipBoundingRect().toAlignedRect();
  return area;
}

// The device pixels under a logical rectangle, for blending: only an image device
// painted without scaling can be read. Parts outside the image start black.
QImage ReadDevice(const QPainter& painter, const QRect& logical) {
  const QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return {};
  const QTransform t = painter.deviceTransform();
  if (t.type() > QTransform::TxTranslate) return {};
  const auto* image = static_cast<const QImage*>(device);
  if (image->devicePixelRatio() != 1.0) return {};
  const QRect target = logical.translated(qRound(t.dx()), qRound(t.dy()));
  QImage out(logical.size(), QImage::Format_RGB32);
  if (out.isNull()) return out;
  out.fill(qRgb(0, 0, 0));
  const QRect inside = target & image->rect();
  if (inside.isEmpty()) return out;
  const int dx = inside.left() - target.left(), dy = inside.top() - target.top();
  const std::size_t rowBytes = std::size_t(inside.width()) * 4;
  const QImage::Format format = image->format();
  if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) {
    // Rows as they are: the blend reads only the colour channels.
    for (int y = 0; y < inside.height(); ++y)
      std::memcpy(out.scanLine(y + dy) + std::size_t(dx) * 4,
                  image->constScanLine(inside.top() + y) + std::size_t(inside.left()) * 4, rowBytes);
    return out;
  }
  const QImage part = image->copy(inside).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < part.height(); ++y) std::memcpy(out.scanLine(y + dy) + std::size_t(dx) * 4, part.constScanLine(y), rowBytes);
  return out;
}

}  // namespace

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(Picture&& other) noexcept = default;
Picture& Picture::operator=(Picture&& other) noexcept = default;

void Picture::Clear() {
  m_kind = kEmpty;
  m_metafile.reset();
  m_bitmap.reset();
  m_png.reset();
}

bool Picture::Fail(std::string why) {
  Clear();
  m_error = std::move(why);
  return false;
}

bool Picture::LoadFromMemory(std::span<const std::uint8_t> data) {
  Clear();
  m_error.clear();
  try {
    if (PngImage::HasSignature(data)) {
      CourseFile file = CourseFile::FromMemory(std::vector<std::uint8_t>(data.begin(), data.end()), "picture.png");
      m_png = std::make_unique<PngImage>(PngImage::Read(file));
      m_kind = kPng;
    } else {
      m_bitmap = std::make_unique<DibBitmap>(DibBitmap::FromPacked(data, "packed bitmap"));
      m_kind = kBitmap;
    }
  } catch (const CourseFileError& e) {
    return Fail(e.what());
  } catch (const std::bad_alloc&) {
    return Fail("out of memory");
  }
  return true;
}

bool Picture::LoadFromFile(CourseFile& file) {
  Clear();
  m_error.clear();
  const std::string name = LowerFileName(file.path());
  try {
    if (name.find(".bmp") != std::string::npos) {
      auto bitmap = std::make_unique<DibBitmap>(DibBitmap::ReadFile(file));
      if (bitmap->bitCount() == 8) {
        // Only the bottom-left pixel's colour may be the key: any other entry of the
        // key grey is nudged off it first.
        for (QRgb& c : bitmap->colours())
          if (IsKeyGrey(c)) c = qRgb(238, 238, 239);
        MakeBottomLeftKey(*bitmap);
      }
      m_bitmap = std::move(bitmap);
      m_kind = kBitmap;
    } else if (name.find(".png") != std::string::npos) {
      m_png = std::make_unique<PngImage>(PngImage::Read(file));
      m_kind = kPng;
    } else {
      return Fail(file.path() + ": not a picture file (the name has neither .bmp nor .png)");
    }
  } catch (const CourseFileError& e) {
    return Fail(e.what());
  } catch (const std::bad_alloc&) {
    return Fail(file.path() + ": out of memory");
  }
  return true;
}

bool Picture::LoadFromFile(const std::filesystem::path& path) {
  try {
    CourseFile file = CourseFile::Open(path);
    return LoadFromFile(file);
  } catch (const CourseFileError& e) {
    return Fail(e.what());
  }
}

bool Picture::LoadFromResource(int id) {
  Clear();
  m_error.clear();
  const auto bytes = ProgramResource("bitmap", id);
  std::string name = ProgramResourcePath("bitmap", id);
  if (!bytes) return Fail("no bitmap resource " + std::to_string(id));
  if (name.rfind(":/", 0) == 0) name.erase(0, 2);
  return LoadProgramBitmap(*bytes, name);
}

bool Picture::LoadProgramBitmap(std::span<const std::uint8_t> bytes, const std::string& name) {
  Clear();
  m_error.clear();
  const bool isPng = PngImage::HasSignature(bytes);
  try {
    CourseFile file = CourseFile::FromMemory(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), name);
    std::unique_ptr<DibBitmap> bitmap;
    int depth = 0;
    if (isPng) {
      const PngImage png = PngImage::Read(file);
      depth = png.pixelDepth();
      if (png.form() == PngImage::Form::Palette8) {
        bitmap = std::make_unique<DibBitmap>(png.width(), png.height(), 8, png.palette());
        for (int y = 0; y < png.height(); ++y)
          std::memcpy(bitmap->rowFromBottom(png.height() - 1 - y), png.row(y), std::size_t(png.width()));
      }
    } else {
      bitmap = std::make_unique<DibBitmap>(DibBitmap::ReadFile(file));
      depth = bitmap->bitCount();
    }
    if (depth > 8) {
      ShowNotice(str::kBitmapTooDeep, name);
      return Fail(name + ": program bitmaps must have at most 8 bits per pixel, this one has " + std::to_string(depth));
    }
    MakeBottomLeftKey(*bitmap);
    m_bitmap = std::move(bitmap);
    m_kind = kBitmap;
  } catch (const CourseFileError& e) {
    return Fail(e.what());
  } catch (const std::bad_alloc&) {
    return Fail(name + ": out of memory");
  }
  return true;
}

void Picture::AttachMetafile(std::unique_ptr<QPicture> metafile) {
  Clear();
  m_error.clear();
  m_metafile = std::move(metafile);
  if (m_metafile) m_kind = kMetafile;
}

QSize Picture::Size() const {
  switch (m_kind) {
    case kMetafile: {
      const QRect b = m_metafile->boundingRect();
      return b.isValid() ? b.size() : QSize(0, 0);
    }
    case kBitmap:
      return {m_bitmap->width(), m_bitmap->height()};
    case kPng:
      return {m_png->width(), m_png->height()};
    case kEmpty:
      break;
  }
  return {0, 0};
}

QSize Picture::ShadowedSize() const {
  if (!IsLoaded()) return {0, 0};
  return Size() + QSize(kShadowWidth, kShadowHeight);
}

int Picture::BitsPerPixel() const {
  if (m_kind == kBitmap) return m_bitmap->bitCount();
  if (m_kind == kPng) return m_png->pixelDepth();
  return 0;
}

void Picture::ReplaceKeyColour(const QColor& colour) {
  m_keyed = true;
  if (m_kind != kBitmap || m_bitmap->bitCount() == 8) return;
  DibBitmap& b = *m_bitmap;
  const int r = colour.red(), g = colour.green(), bl = colour.blue();
  const std::uint16_t packed = static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3));
  // Row by row over the pixels proper: the padding at the end of a row is no pixel.
  const PixelSource s = Source(KeyUse::Drawing);
  const int bytes = b.bitCount() / 8;
  for (int y = 0; y < b.height(); ++y) {
    std::uint8_t* row = b.rowFromBottom(y);
    for (int x = 0; x < b.width(); ++x) {
      if (!s.IsKey(row, x)) continue;
      std::uint8_t* p = row + std::size_t(x) * bytes;
      if (bytes == 2) {
        StoreLe16(std::span<std::uint8_t, 2>(p, 2), static_cast<std::uint16_t>(packed));
      } else {
        p[0] = static_cast<std::uint8_t>(bl);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(r);
        if (bytes == 4) p[3] = 0;
      }
    }
  }
}

int Picture::BitmapKeyIndex(int fallback) const {
  if (m_masked || m_keyed) {
    const auto& colours = m_bitmap->colours();
    const auto it = std::find_if(colours.begin(), colours.end(), IsKeyGrey);
    if (it != colours.end()) return static_cast<int>(it - colours.begin());
  }
  return fallback;
}

int Picture::KeyIndex() const {
  if (m_kind == kBitmap && m_bitmap->bitCount() == 8) return BitmapKeyIndex(255);
  if (m_kind == kPng && m_png->form() == PngImage::Form::Palette8) return m_png->transparencyCount() - 1;
  return -1;
}

PixelSource Picture::Source(KeyUse use) const {
  PixelSource s;
  if (m_kind == kBitmap) {
    const DibBitmap& b = *m_bitmap;
    s.width = b.width();
    s.height = b.height();
    s.bottomRow = b.rowFromBottom(0);
    s.rowStep = static_cast<std::ptrdiff_t>(b.stride());
    switch (b.bitCount()) {
      case 8:
        s.format = PixelSource::Format::Indexed8;
        s.colours = b.colours();
        s.keyIndex = BitmapKeyIndex(use == KeyUse::Shadow ? 215 : 255);
        break;
      case 16:
        s.format = PixelSource::Format::Rgb555;
        break;
      case 24:
        s.format = PixelSource::Format::Bgr24;
        break;
      default:
        s.format = PixelSource::Format::Bgrx32;
        break;
    }
  } else if (m_kind == kPng) {
    const PngImage& p = *m_png;
    s.width = p.width();
    s.height = p.height();
    s.bottomRow = p.row(p.height() - 1);
    s.rowStep = -static_cast<std::ptrdiff_t>(p.stride());
    if (p.form() == PngImage::Form::Palette8) {
      s.format = PixelSource::Format::Indexed8;
      s.colours = p.palette();
      s.keyIndex = p.transparencyCount() - 1;
    } else {
      s.format = PixelSource::Format::Rgba32;
    }
  }
  return s;
}

void Picture::Draw(QPainter& painter, const QRect& rect) const {
  if (!IsLoaded() || rect.width() <= 0 || rect.height() <= 0 || !painter.isActive()) return;
  if (m_kind == kMetafile) {
    const QRect b = m_metafile->boundingRect();
    if (!b.isValid() || b.isEmpty()) return;
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(qreal(rect.width()) / b.width(), qreal(rect.height()) / b.height());
    painter.translate(-b.topLeft());
    painter.drawPicture(QPoint(0, 0), *m_metafile);
    painter.restore();
    return;
  }

  const std::optional<QRect> area = VisibleArea(painter);
  const QRect visible = area ? (*area & rect) : rect;
  if (visible.isEmpty() || std::uint64_t(visible.width()) * std::uint64_t(visible.height()) > kMaxDrawPixels) return;
  const QRect window = visible.translated(-rect.topLeft());

  RenderOptions options;
  options.masked = m_masked;
  options.fade = m_fade;
  options.tint = m_tint.rgb();
  options.background = painter.background().color().rgb();
  QImage destination;
  if (m_masked && m_kind == kPng && m_png->form() == PngImage::Form::Rgba8) destination = ReadDevice(painter, visible);

  QRegion opaque;
  const QImage out = PictureRenderer::Render(Source(KeyUse::Drawing), rect.size(), window, options,
                                             m_masked ? &opaque : nullptr,
                                             destination.isNull() ? nullptr : &destination);
  if (out.isNull()) return;
  painter.save();
  if (m_masked) {
    if (opaque.isEmpty()) {
      painter.restore();
      return;
    }
    // Transparent pixels are left out by clipping to the opaque ones.
    if (opaque != QRegion(QRect(QPoint(0, 0), window.size())))
      painter.setClipRegion(opaque.translated(visible.topLeft()), Qt::IntersectClip);
  }
  painter.drawImage(visible.topLeft(), out);
  painter.restore();
}

void Picture::DrawAt(QPainter& painter, QPoint at) const { Draw(painter, QRect(at, Size())); }

void Picture::DrawWithShadow(QPainter& painter, QPoint at, int depth, bool dark) const {
  if ((m_kind != kBitmap && m_kind != kPng) || !painter.isActive()) return;
  const QImage image = PictureShadow::Render(Source(KeyUse::Shadow), depth, dark && BitsPerPixel() == 8);
  if (!image.isNull()) painter.drawImage(at, image);
}

QRegion Picture::OpaqueRegion() const {
  const QSize size = Size();
  if (size.isEmpty()) return {};
  const bool byPixel = (m_kind == kBitmap && m_bitmap->bitCount() == 8) || m_kind == kPng;
  if (!byPixel) return QRegion(QRect(QPoint(0, 0), size));
  const PixelSource s = Source(KeyUse::Drawing);
  RunRegionBuilder region;
  for (int y = 0; y < s.height; ++y) {
    const std::uint8_t* row = s.rowFromTop(y);
    region.BeginRow(y);
    int x = 0;
    while (x < s.width) {
      while (x < s.width && s.IsKey(row, x)) ++x;
      const int start = x;
      while (x < s.width && !s.IsKey(row, x)) ++x;
      if (x > start) region.AddRun(start, x);
    }
    region.EndRow();
  }
  return region.Region();
}
