#include "hypertext/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "course/CourseFile.h"
#include "course/CourseFileError.h"

// Everything the decoder's callbacks touch. A decoder error jumps back into
// Decode, so every object with a destructor lives here, outside the frames the
// jump unwinds.
struct PngReadState {
  CourseFile* file = nullptr;
  PngImage* image = nullptr;
  std::vector<png_bytep> rows;
  char message[200] = {};

  // Returns false on a decoder error, with the reason in message.
  bool Decode(png_structp png, png_infop info, std::uint64_t fileSize);
};

namespace {

// Deflate cannot expand data by more than about 1032 to 1; a stream whose header
// promises more than that from the bytes present is broken, and is refused before
// its pixel buffer is allocated.
constexpr std::uint64_t kMaxInflateRatio = 1040;
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

void OnError(png_structp png, png_const_charp message) {
  auto* s = static_cast<PngReadState*>(png_get_error_ptr(png));
  std::snprintf(s->message, sizeof s->message, "%s", message ? message : "PNG decoding error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnRead(png_structp png, png_bytep out, png_size_t count) {
  auto* s = static_cast<PngReadState*>(png_get_io_ptr(png));
  std::size_t got = 0;
  bool failed = false;
  try {
    got = s->file->read(out, count);
  } catch (const std::exception&) {
    failed = true;
  }
  // png_error jumps; it is called only once the handler above has been left.
  if (failed) png_error(png, "the file could not be read");
  if (got != count) png_error(png, "the file ends before the image does");
}

}  // namespace

bool PngReadState::Decode(png_structp png, png_infop info, std::uint64_t fileSize) {
  if (setjmp(png_jmpbuf(png))) return false;

  png_set_user_limits(png, PngImage::kMaxSide, PngImage::kMaxSide);
  png_set_chunk_cache_max(png, 256);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
  char why[160];
  if (std::uint64_t(width) * height > PngImage::kMaxPixels) {
    std::snprintf(why, sizeof why, "image of %u x %u pixels is larger than the %llu pixels allowed", unsigned(width),
                  unsigned(height), static_cast<unsigned long long>(PngImage::kMaxPixels));
    png_error(png, why);
  }
  const std::uint64_t rawRow = (std::uint64_t(width) * png_get_channels(png, info) * unsigned(depth) + 7) / 8 + 1;
  if (rawRow * height > fileSize * kMaxInflateRatio + 1024) {
    std::snprintf(why, sizeof why, "a file of %llu bytes cannot hold the pixels of a %u x %u image",
                  static_cast<unsigned long long>(fileSize), unsigned(width), unsigned(height));
    png_error(png, why);
  }

  PngImage& image = *this->image;
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    if (depth < 8) png_set_packing(png);
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &plte, &count) != PNG_INFO_PLTE || count < 1) png_error(png, "palette image without a palette");
    for (int i = 0; i < count; ++i) image.m_palette.push_back(qRgb(plte[i].red, plte[i].green, plte[i].blue));
    png_bytep alphas = nullptr;
    int transparent = 0;
    if (png_get_tRNS(png, info, &alphas, &transparent, nullptr) == PNG_INFO_tRNS) image.m_transparencyCount = transparent;
    image.m_form = PngImage::Form::Palette8;
  } else {
    if (depth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
      if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
      png_set_gray_to_rgb(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS))
      png_set_tRNS_to_alpha(png);
    else if (!(colourType & PNG_COLOR_MASK_ALPHA))
      png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    image.m_form = PngImage::Form::Rgba8;
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const std::size_t expected = std::size_t(width) * (image.m_form == PngImage::Form::Palette8 ? 1 : 4);
  if (png_get_rowbytes(png, info) != expected) png_error(png, "unexpected row layout after conversion");
  image.m_width = static_cast<int>(width);
  image.m_height = static_cast<int>(height);
  image.m_stride = expected;
  image.m_pixels.assign(expected * height, 0);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.m_pixels.data() + std::size_t(y) * expected;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

namespace {

struct PngStructs {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngStructs() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

}  // namespace

bool PngImage::HasSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

PngImage PngImage::Read(CourseFile& file) {
  PngImage image;
  PngReadState state;
  state.file = &file;
  state.image = &image;
  PngStructs structs;
  structs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  if (structs.png) structs.info = png_create_info_struct(structs.png);
  if (!structs.png || !structs.info) throw std::bad_alloc();
  png_set_read_fn(structs.png, &state, OnRead);
  file.seek(0);
  if (!state.Decode(structs.png, structs.info, file.size()))
    throw CourseFileError(CourseFileError::Kind::Format, file.path(), std::string("PNG: ") + state.message);
  return image;
}
