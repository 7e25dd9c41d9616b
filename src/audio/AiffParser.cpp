#include "audio/AiffParser.h"

#include <algorithm>
#include <optional>
#include <string>

#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace audio {

namespace {

constexpr int kExponent11k = 0x400C;  // 2^12 .. 2^13 - 1 Hz
constexpr int kExponent22k = 0x400D;  // 2^13 .. 2^14 - 1 Hz

[[noreturn]] void Fail(const CourseFile& file, const std::string& what, std::uint64_t offset) {
  throw CourseFileError(CourseFileError::Kind::Format, file.path(), what, static_cast<std::int64_t>(offset));
}

struct Comm {
  int channels;
  int sampleSize;
  int exponent;
  std::string compression;  // AIFC only
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
    ByteReader h(header, file.path(), pos);
    const std::string_view id = h.chars(4, "chunk id");
    const std::uint32_t size = h.u32be("chunk size");
    const std::uint64_t body = pos + 8;
    if (id == "FORM") {
      std::uint8_t type[4];
      file.readExact(type, 4, "form type");
      const std::string_view form = ByteReader(type, file.path(), body).chars(4, "form type");
      if (form == "AIFF")
        compressed = false;
      else if (form == "AIFC")
        compressed = true;
      else
        Fail(file, "form type is neither AIFF nor AIFC", body);
      pos = body + 4;  // the form's chunks follow its type
      continue;
    }
    if (compressed && id == "COMM") {
      const std::size_t need = *compressed ? 22 : 18;
      if (size < need) Fail(file, "COMM chunk of " + std::to_string(size) + " bytes is too short", pos);
      std::uint8_t c[22] = {};
      file.readExact(c, need, "COMM chunk");
      ByteReader r(std::span(c, need), file.path(), body);
      Comm m{};
      m.offset = pos;
      m.channels = r.u16be("channel count");
      r.u32be("sample frame count");  // the data chunk's size is what is played
      m.sampleSize = r.u16be("sample size");
      m.exponent = r.u16be("sample rate exponent");
      r.skip(8, "sample rate mantissa");
      if (*compressed) m.compression = r.chars(4, "compression type");
      comm = m;
    } else if (compressed && id == "SSND") {
      if (size < 8) Fail(file, "SSND chunk of " + std::to_string(size) + " bytes is too short", pos);
      std::uint8_t s[8];
      file.readExact(s, 8, "SSND header");
      const std::uint32_t offset = ByteReader(s, file.path(), body).u32be("SSND data offset");
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
  if (comm->compression != "ima4")
    Fail(file, "compression type '" + comm->compression + "'; only ima4 is played", comm->offset + 26);
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
