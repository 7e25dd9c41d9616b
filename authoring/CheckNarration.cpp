#include "CheckNarration.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CourseCheck.h"
#include "audio/AiffParser.h"
#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "exposition/ScriptChunk.h"

namespace kncheck {
namespace {

// Memory callbacks for the Vorbis library: the clip is read from the bytes in hand.
struct MemoryClip {
  const std::vector<std::uint8_t>* bytes;
  std::size_t pos = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* clip = static_cast<MemoryClip*>(source);
  if (size == 0) return 0;
  const std::size_t left = clip->bytes->size() - clip->pos;
  const std::size_t items = std::min(count, left / size);
  std::memcpy(out, clip->bytes->data() + clip->pos, items * size);
  clip->pos += items * size;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* clip = static_cast<MemoryClip*>(source);
  const auto size = static_cast<ogg_int64_t>(clip->bytes->size());
  ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(clip->pos) : size;
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > size) return -1;
  clip->pos = static_cast<std::size_t>(target);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryClip*>(source)->pos); }

std::string Seconds(double samples) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", samples / ScriptChunk::kSampleRate);
  return text;
}

// AIFF and AIFC as the clip reader takes them: the player's own parser judges the
// clip. Returns an error text or empty.
std::string AiffProblem(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  try {
    CourseFile file = CourseFile::FromMemory(bytes, path);
    audio::ParseAiff(file);
  } catch (const CourseFileError& e) {
    return e.offset() >= 0 ? e.reason() + " (at byte " + std::to_string(e.offset()) + ")" : e.reason();
  }
  return {};
}

}  // namespace

ClipInfo ReadOggClip(const std::vector<std::uint8_t>& bytes) {
  ClipInfo info;
  MemoryClip clip{&bytes};
  OggVorbis_File vf;
  const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  if (ov_open_callbacks(&clip, &vf, nullptr, 0, callbacks) != 0) {
    info.error = "not an Ogg Vorbis stream";
    return info;
  }
  const vorbis_info* vi = ov_info(&vf, -1);
  const ogg_int64_t samples = ov_pcm_total(&vf, -1);
  if (!vi) info.error = "an Ogg Vorbis stream without stream information";
  else if (vi->channels != 1) info.error = "a stream of " + std::to_string(vi->channels) + " channels, not mono";
  else if (vi->rate != 22050 && vi->rate != 44100)
    info.error = "sampled at " + std::to_string(vi->rate) + " Hz: clips are 22 050 or 44 100 Hz";
  else if (samples < 0) info.error = "an Ogg Vorbis stream whose length cannot be read";
  else info.length = vi->rate == 44100 ? samples / 2 : samples;
  ov_clear(&vf);
  return info;
}

void CheckNarrationClip(CourseCheck& check, const std::string& path, bool spoken, std::int32_t lastStart,
                        int lastStartLine) {
  const std::string file = CourseCheck::Display(path);
  const std::string stem = path.substr(0, path.size() - 4);
  std::string clip = stem + ".ogg";
  bool ogg = true;
  if (!check.Find(clip)) {
    clip = stem + ".aif";
    ogg = false;
  }
  if (!check.Find(clip)) {
    if (spoken)
      check.Report(file, 0, "the narration clip " + CourseCheck::Display(stem) +
                                ".ogg (or .aif) is missing: the exposition runs silently");
    return;
  }
  const auto bytes = check.Read(clip);
  if (!bytes) return;
  if (!ogg) {
    const std::string why = AiffProblem(*bytes, clip);
    if (!why.empty()) check.Report(CourseCheck::Display(clip), 0, "the player cannot open this clip: " + why);
    return;
  }
  const ClipInfo info = ReadOggClip(*bytes);
  if (!info.error.empty()) {
    check.Report(CourseCheck::Display(clip), 0, "the player cannot open this clip: it is " + info.error);
    return;
  }
  if (lastStart > info.length)
    check.Report(file, lastStartLine, "the last chunk starts at " + Seconds(lastStart) + ", after the narration ends at " +
                                          Seconds(static_cast<double>(info.length)) + ": it runs only when the clip has ended");
}

}  // namespace kncheck
