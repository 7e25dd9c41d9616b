// Packed device-independent bitmaps: the picture entries of resource containers hold
// the information header, the colour table and the pixels, without the 14-byte file
// header of a .bmp file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QImage;

namespace setup_limits {
constexpr std::int32_t kMaxDibSide = 16384;  // pixels; larger pictures are refused
}

// The .bmp file bytes for a packed bitmap: its header is checked (size, planes, depth,
// compression, colour count, dimensions, and for uncompressed pictures that every
// pixel row is present) and the file header that locates the pixels is put in front.
// None when the header does not describe a picture that the bytes hold.
std::optional<std::vector<std::uint8_t>> PackedDibToBmpFile(std::span<const std::uint8_t> dib);

// The picture, or a null image when the bytes are not a packed bitmap.
QImage DecodePackedDib(std::span<const std::uint8_t> dib);

// A 24-bit bottom-up packed bitmap of image (alpha dropped), for building pictures.
std::vector<std::uint8_t> EncodePackedDib(const QImage& image);
