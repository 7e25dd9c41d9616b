#include "audio/VorbisDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>

#include "audio/PcmConvert.h"
#include "course/CourseFileError.h"

namespace audio {

namespace {

// libvorbisfile callbacks over CourseFile. Read errors become a short read with errno
// set, which the library reports as a read fault.
std::size_t ReadCallback(void* ptr, std::size_t size, std::size_t count, void* source) {
  if (size == 0 || count == 0) return 0;
  auto* file = static_cast<CourseFile*>(source);
  try {
    return file->read(ptr, size * count) / size;
  } catch (const CourseFileError&) {
    errno = EIO;
    return 0;
  }
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<CourseFile*>(source);
  std::int64_t base = 0;
  if (whence == SEEK_CUR)
    base = static_cast<std::int64_t>(file->tell());
  else if (whence == SEEK_END)
    base = static_cast<std::int64_t>(file->size());
  else if (whence != SEEK_SET)
    return -1;
  if (offset < -base) return -1;
  file->seek(static_cast<std::uint64_t>(base + offset));
  return 0;
}

long TellCallback(void* source) { return static_cast<long>(static_cast<CourseFile*>(source)->tell()); }

[[noreturn]] void Fail(const CourseFile& file, const std::string& what) {
  throw CourseFileError(CourseFileError::Kind::Format, file.path(), what);
}

}  // namespace

VorbisDecoder::VorbisDecoder(CourseFile file) : m_file(std::move(file)) {
  const ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
  const int rc = ov_open_callbacks(&m_file, &m_vf, nullptr, 0, callbacks);
  if (rc < 0) Fail(m_file, "not an Ogg Vorbis stream (libvorbisfile error " + std::to_string(rc) + ")");
  // From here a refusal must still free the library's state: the destructor does not
  // run for a constructor that throws.
  try {
    readStreamInfo();
  } catch (...) {
    ov_clear(&m_vf);
    throw;
  }
  m_open = true;
}

void VorbisDecoder::readStreamInfo() {
  if (!ov_seekable(&m_vf)) Fail(m_file, "Ogg Vorbis stream cannot be sought");
  const vorbis_info* info = ov_info(&m_vf, 0);
  if (!info) Fail(m_file, "Ogg Vorbis stream without stream information");
  m_rate = static_cast<int>(info->rate);
  m_channels = info->channels;
  for (int link = 1; link < ov_streams(&m_vf); ++link) {
    const vorbis_info* other = ov_info(&m_vf, link);
    if (!other || other->rate != info->rate || other->channels != info->channels)
      Fail(m_file, "chained Ogg Vorbis streams of different rates or channels");
  }
  if (m_rate == 44100)
    m_ratio = 2;
  else if (m_rate != 22050)
    Fail(m_file, "Ogg Vorbis sample rate " + std::to_string(m_rate) + " Hz; only 22050 and 44100 Hz are played");
  if (m_channels < 1) Fail(m_file, "Ogg Vorbis stream without channels");
  const ogg_int64_t total = ov_pcm_total(&m_vf, -1);
  if (total < 0) Fail(m_file, "Ogg Vorbis stream of unknown length");
  m_length = total / m_ratio;
  m_sourcePos = 0;
}

VorbisDecoder::~VorbisDecoder() {
  if (m_open) ov_clear(&m_vf);
}

std::int64_t VorbisDecoder::alignDown(std::int64_t unit) const { return std::clamp<std::int64_t>(unit, 0, m_length); }

// Up to count samples from the current place, mixed to mono. Holes in the stream
// are skipped; a fault or the end of the data ends the read early.
std::size_t VorbisDecoder::readSource(std::int16_t* out, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    float** pcm = nullptr;
    int section = 0;
    const long want = static_cast<long>(std::min<std::size_t>(count - done, 4096));
    const long got = ov_read_float(&m_vf, &pcm, static_cast<int>(want), &section);
    if (got == OV_HOLE) continue;
    if (got <= 0) break;
    const int channels = std::max(1, ov_info(&m_vf, section) ? ov_info(&m_vf, section)->channels : m_channels);
    for (long i = 0; i < got; ++i) {
      float v = pcm[0][i];
      for (int c = 1; c < channels; ++c) v += pcm[c][i];
      if (channels > 1) v /= static_cast<float>(channels);
      // As libvorbisfile's own 16-bit output: scale, round to nearest, clip.
      const long s = std::lrint(v * 32768.0f);
      out[done + static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::clamp<long>(s, -32768, 32767));
    }
    done += static_cast<std::size_t>(got);
  }
  return done;
}

void VorbisDecoder::decode(std::int64_t from, std::int64_t to, std::int16_t* out) {
  from = alignDown(from);
  to = std::clamp(to, from, m_length);
  const std::size_t units = static_cast<std::size_t>(to - from);
  if (units == 0) return;
  const std::int64_t sourceFrom = from * m_ratio;
  if (sourceFrom != m_sourcePos) {
    ++m_seeks;
    if (ov_pcm_seek(&m_vf, sourceFrom) != 0) {
      m_sourcePos = -1;
      throw CourseFileError(CourseFileError::Kind::Format, m_file.path(),
                            "cannot seek the Ogg Vorbis stream to sample " + std::to_string(sourceFrom));
    }
  }
  const std::size_t want = units * static_cast<std::size_t>(m_ratio);
  m_source.resize(want);
  const std::size_t got = readSource(m_source.data(), want);
  // A stream that ends early or breaks keeps its stated length as silence; the next
  // read seeks again.
  std::fill(m_source.begin() + static_cast<std::ptrdiff_t>(got), m_source.end(), std::int16_t{0});
  m_sourcePos = got == want ? sourceFrom + static_cast<std::int64_t>(want) : -1;
  if (m_ratio == 1)
    std::copy(m_source.begin(), m_source.end(), out);
  else
    HalveRate(m_source.data(), want, out);
}

}  // namespace audio
