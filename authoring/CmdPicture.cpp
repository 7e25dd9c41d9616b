// kncourse picture: renders a picture the way the player draws it, or describes it.
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "Kncourse.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "hypertext/Picture.h"
#include "hypertext/PictureShadow.h"

namespace {

using kncourse::Args;

std::optional<QRgb> ParseColour(std::string text) {
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.size() != 6 || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return qRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::optional<QSize> ParseSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  int w = 0, h = 0;
  const auto a = std::from_chars(text.data(), text.data() + x, w);
  const auto b = std::from_chars(text.data() + x + 1, text.data() + text.size(), h);
  if (a.ec != std::errc() || a.ptr != text.data() + x || b.ec != std::errc() || b.ptr != text.data() + text.size() ||
      w < 1 || h < 1 || w > 16384 || h > 16384)
    return std::nullopt;
  return QSize(w, h);
}

// FILE, or CONTAINER:NAME when FILE names no file but the part before its last colon does.
bool LoadPicture(const std::string& source, Picture& picture, std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(source, ec)) {
    if (picture.LoadFromFile(std::filesystem::path(source))) return true;
    error = picture.loadError();
    return false;
  }
  const std::size_t colon = source.rfind(':');
  if (colon == std::string::npos || !std::filesystem::is_regular_file(source.substr(0, colon), ec)) {
    error = "no such file: " + source;
    return false;
  }
  auto container = ResourceContainer::Open(source.substr(0, colon));
  const std::string name = source.substr(colon + 1);
  const ContainerEntry* entry = container.FindEntry(name, kEntryPicture);
  if (!entry) {
    error = "no picture entry '" + kncourse::Show(name) + "' in " + container.path();
    return false;
  }
  if (picture.LoadFromMemory(container.ReadEntry(*entry))) return true;
  error = picture.loadError();
  return false;
}

const char* KindName(Picture::Kind kind) {
  switch (kind) {
    case Picture::kMetafile:
      return "vector picture";
    case Picture::kBitmap:
      return "bitmap";
    case Picture::kPng:
      return "PNG image";
    case Picture::kEmpty:
      break;
  }
  return "empty";
}

int Info(const Picture& p) {
  const QSize size = p.Size();
  std::printf("kind:    %s, %d bits per pixel\n", KindName(p.kind()), p.BitsPerPixel());
  std::printf("size:    %d x %d (with shadow %d x %d)\n", size.width(), size.height(), p.ShadowedSize().width(),
              p.ShadowedSize().height());
  const int key = p.KeyIndex();
  if (key >= 0)
    std::printf("key:     entry %d\n", key);
  else if (p.BitsPerPixel() == 16)
    std::printf("key:     pixel value 0x77BD\n");
  else if (p.BitsPerPixel() == 24 || (p.BitsPerPixel() == 32 && p.kind() == Picture::kBitmap))
    std::printf("key:     colour (254, 254, 254)\n");
  else if (p.kind() == Picture::kPng && p.BitsPerPixel() == 32)
    std::printf("key:     alpha below 128\n");
  else
    std::printf("key:     none\n");
  long long opaque = 0;
  for (const QRect& r : p.OpaqueRegion()) opaque += static_cast<long long>(r.width()) * r.height();
  std::printf("opaque:  %lld of %lld pixels\n", opaque, static_cast<long long>(size.width()) * size.height());
  return 0;
}

}  // namespace

namespace kncourse {

int PictureDraw(Args a) {
  const bool info = kncourse::TakeSwitch(a, "info");
  const bool masked = kncourse::TakeSwitch(a, "masked");
  const bool dark = kncourse::TakeSwitch(a, "dark");
  std::optional<QSize> size;
  std::optional<QRgb> key;
  QRgb tint = qRgb(0, 0, 0), background = qRgb(255, 255, 255);
  float fade = 0.0f;
  std::optional<int> depth;
  if (auto v = kncourse::TakeOption(a, "size"); v && !(size = ParseSize(*v)))
    kncourse::BadUsage("--size takes WxH, each 1 to 16384");
  if (auto v = kncourse::TakeOption(a, "key"); v && !(key = ParseColour(*v)))
    kncourse::BadUsage("--key takes a colour RRGGBB");
  if (auto v = kncourse::TakeOption(a, "tint")) {
    const auto c = ParseColour(*v);
    if (!c) kncourse::BadUsage("--tint takes a colour RRGGBB");
    tint = *c;
  }
  if (auto v = kncourse::TakeOption(a, "background")) {
    const auto c = ParseColour(*v);
    if (!c) kncourse::BadUsage("--background takes a colour RRGGBB");
    background = *c;
  }
  if (auto v = kncourse::TakeOption(a, "fade")) {
    const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), fade);
    if (ec != std::errc() || end != v->data() + v->size() || !(fade >= 0.0f && fade <= 1.0f))
      kncourse::BadUsage("--fade takes a fraction from 0 to 1");
  }
  if (auto v = kncourse::TakeOption(a, "shadow")) {
    int d = -1;
    const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), d);
    if (ec != std::errc() || end != v->data() + v->size() || d < 0 || d > PictureShadow::kMaxDepth)
      kncourse::BadUsage("--shadow takes a depth from 0 to 6");
    depth = d;
  }
  if (size && depth) kncourse::BadUsage("--shadow draws at the picture's own size; leave out --size");
  for (const auto& arg : a)
    if (arg.rfind("--", 0) == 0) kncourse::BadUsage("unknown option " + arg);
  if (a.size() != (info ? 1u : 2u))
    kncourse::BadUsage(info ? "picture --info takes one picture" : "picture takes a picture and OUT.png");

  Picture picture;
  std::string error;
  if (!LoadPicture(a[0], picture, error)) return kncourse::Fail(error);
  if (key) picture.ReplaceKeyColour(QColor(*key));
  picture.setMasked(masked || info);
  if (info) return Info(picture);

  picture.setFade(fade);
  picture.setTint(QColor(tint));
  const QSize canvasSize = depth ? picture.ShadowedSize() : size.value_or(picture.Size());
  if (canvasSize.isEmpty()) return kncourse::Fail("the picture has no pixels");
  QImage canvas(canvasSize, QImage::Format_RGB32);
  if (canvas.isNull()) return kncourse::Fail("out of memory for a canvas of that size");
  canvas.fill(background);
  {
    QPainter painter(&canvas);
    painter.setBackground(QColor(background));
    if (depth)
      picture.DrawWithShadow(painter, QPoint(0, 0), *depth, dark);
    else
      picture.Draw(painter, QRect(QPoint(0, 0), canvasSize));
  }
  if (!canvas.save(QString::fromStdString(a[1]), "PNG")) return kncourse::Fail("cannot write " + a[1]);
  return 0;
}

}  // namespace kncourse
