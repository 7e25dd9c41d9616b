#include "audio/AiffParser.h"

#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace audio {

namespace {

constexpr int kExponent11k = 0x400C;  // 2^12 .. 2^13 - 1 Hz
constexpr int kExponent22k = 0x400D;  // 2^13 .. 2^14 - 1 Hz

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

[[noreturn]] void Fail(const CourseFile& file, const std::string& what, std::uint64_t offset) {
  throw CourseFileError(CourseFileError::Kind::Format, file.path(), what, static_cast<std::int64_t>(offset));
}

struct Comm {
  int channels;
  int sampleSize;
  int exponent;
  std::array<char, 4> compression;
  std::uint64_t offset;
};

struct Ssnd {
  std::uint64_t dataStart;
  std::uint64_t dataSize;
  std::uint64_t offset;
};

}  // namespace

AiffLayout ParseAiff(CourseFile& file) {
  const std::uint64_t end = file.size();
  std::uint64_t pos = 0;
  std::optional<bool> compressed;  // form type: false AIFF, true AIFC
  std::optional<Comm> comm;
  std::optional<Ssnd> ssnd;

  while (pos + 8 <= end && !(comm && ssnd)) {
    std::uint8_t header[8];
    file.seek(pos);
    file.readExact(header, 8, "chunk header");
    const std::uint32_t size = Be32(header + 4);
    const std::uint64_t body = pos + 8;
    if (!std::memcmp(header, "FORM", 4)) {
      std::uint8_t type[4];
      file.readExact(type, 4, "form type");
      if (!std::memcmp(type, "AIFF", 4))
        compressed = false;
      else if (!std::memcmp(type, "AIFC", 4))
        compressed = true;
      else
        Fail(file, "form type is neither AIFF nor AIFC", body);
      pos = body + 4;  // the form's chunks follow its type
      continue;
    }
    if (compressed && !std::memcmp(header, "COMM", 4)) {
      const std::size_t need = *compressed ? 22 : 18;
      if (size < need) Fail(file, "COMM chunk of " + std::to_string(size) + " bytes is too short", pos);
      std::uint8_t c[22] = {};
      file.readExact(c, need, "COMM chunk");
      Comm m{Be16(c), Be16(c + 6), Be16(c + 8), {}, pos};
      std::memcpy(m.compression.data(), c + 18, 4);
      comm = m;
    } else if (compressed && !std::memcmp(header, "SSND", 4)) {
      if (size < 8) Fail(file, "SSND chunk of " + std::to_string(size) + " bytes is too short", pos);
      std::uint8_t s[8];
      file.readExact(s, 8, "SSND header");
      const std::uint32_t offset = Be32(s);
      if (offset > size - 8) Fail(file, "SSND data offset " + std::to_string(offset) + " passes the chunk", body);
      const std::uint64_t start = body + 8 + offset;
      if (start > end) Fail(file, "SSND data starts past the end of the file", body);
      ssnd = Ssnd{start, std::min<std::uint64_t>(size - 8 - offset, end - start), pos};
    }
    pos = body + size + (size & 1);
  }

  if (!compressed) Fail(file, "no AIFF or AIFC form", 0);
  if (!comm) Fail(file, "no COMM chunk", pos);
  if (!ssnd) Fail(file, "no SSND chunk", pos);
  if (comm->channels != 1) Fail(file, std::to_string(comm->channels) + " channels; only mono is played", comm->offset);

  AiffLayout layout;
  layout.dataStart = ssnd->dataStart;
  if (!*compressed) {
    if (comm->sampleSize != 16)
      Fail(file, std::to_string(comm->sampleSize) + "-bit samples; only 16-bit PCM is played", comm->offset);
    if (comm->exponent != kExponent11k) Fail(file, "PCM sample rate other than 11025 Hz", comm->offset + 16);
    layout.format = ClipFormat::Aiff;
    layout.dataSize = ssnd->dataSize & ~std::uint64_t(1);
    return layout;
  }
  if (std::memcmp(comm->compression.data(), "ima4", 4))
    Fail(file, "compression type '" + std::string(comm->compression.data(), 4) + "'; only ima4 is played",
         comm->offset + 26);
  // QuickTime writes 16 (the decoded size), other encoders 4 (the code size).
  if (comm->sampleSize != 16 && comm->sampleSize != 4)
    Fail(file, "ima4 with a sample size of " + std::to_string(comm->sampleSize), comm->offset);
  if (comm->exponent == kExponent11k)
    layout.format = ClipFormat::Ima11k;
  else if (comm->exponent == kExponent22k)
    layout.format = ClipFormat::Ima22k;
  else
    Fail(file, "ima4 sample rate other than 11025 or 22050 Hz", comm->offset + 16);
  layout.dataSize = ssnd->dataSize;
  return layout;
}

}  // namespace audio
