// Packed device-independent bitmaps: the picture entries of resource containers hold
// the information header, the colour table and the pixels, without the 14-byte file
// header of a .bmp file.
#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

class QImage;

namespace setup_limits {
// Pictures larger than these are refused before anything is allocated for them: a
// launcher picture fills a window of a few hundred pixels.
constexpr std::int32_t kMaxDibSide = 16384;           // pixels in either direction
constexpr std::int64_t kMaxDibPixels = 16 * 1024 * 1024;  // width x height
}

// The .bmp file bytes for a packed bitmap: its header is checked (size, planes, depth,
// compression, colour count, dimensions within the limits above, and for uncompressed pictures that every
// pixel row is present) and the file header that locates the pixels is put in front.
// Throws CourseFileError(Format) saying what is wrong and at which offset when the header
// does not describe a picture that the bytes hold (label names them).
std::vector<std::uint8_t> PackedDibToBmpFile(std::span<const std::uint8_t> dib, const std::string& label = {});

// The picture, or a null image when the bytes are not a packed bitmap.
QImage DecodePackedDib(std::span<const std::uint8_t> dib);

// A 24-bit bottom-up packed bitmap of image (alpha dropped), for building pictures.
std::vector<std::uint8_t> EncodePackedDib(const QImage& image);
