// kncourse audio: what the player makes of a narration clip or a sound file.
#include <cstdio>
#include <iostream>
#include <string>

#include "Kncourse.h"
#include "audio/AiffDecoder.h"
#include "audio/AudioFormat.h"
#include "audio/ClipDecoder.h"
#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"
#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace {

using kncourse::Args;

bool IsWave(const std::string& name) { return EndsWithNoCase(name, ".wav"); }

double Seconds(std::int64_t units) { return double(units) / audio::kClockRate; }

// A .wav file played as a built-in sound: 16-bit mono PCM at 11 025 Hz (doubled) or
// 22 050 Hz; nothing for another rate. A file that is no such wave throws
// CourseFileError saying what is wrong and where.
std::optional<std::vector<std::int16_t>> WaveStream(const std::string& path, int* rate) {
  auto file = CourseFile::Open(path);
  const auto bytes = file.readAll();
  const auto wave = audio::ParseWaveResource(bytes, path);
  *rate = wave.rate;
  if (wave.rate == 11025) return audio::OneShotSamples(wave.data, audio::OneShotMode::LittleEndian11k);
  if (wave.rate == audio::kClockRate) return audio::OneShotSamples(wave.data, audio::OneShotMode::Native);
  return std::nullopt;
}

}  // namespace

namespace kncourse {

int AudioInfo(Args a) {
  if (a.size() != 1) kncourse::BadUsage("audio info takes one FILE");
  if (IsWave(a[0])) {
    int rate = 0;
    const auto stream = WaveStream(a[0], &rate);
    if (!stream) return kncourse::Fail(a[0] + ": " + std::to_string(rate) + " Hz; built-in sounds play at 11025 or 22050 Hz");
    std::printf("format:   built-in sound, 16-bit PCM, %d Hz%s\n", rate, rate == 11025 ? " (doubled)" : "");
    std::printf("length:   %zu clock units (%.3f s)\n", stream->size(), Seconds(static_cast<std::int64_t>(stream->size())));
    return 0;
  }
  auto d = audio::ClipDecoder::Open(CourseFile::Open(a[0]), a[0]);
  std::printf("format:   %d (%s)\n", static_cast<int>(d->format()), audio::ClipFormatName(d->format()));
  std::printf("rate:     %d Hz\n", d->sourceRate());
  std::printf("channels: %d\n", d->channels());
  std::printf("length:   %lld clock units (%.3f s)\n", static_cast<long long>(d->length()), Seconds(d->length()));
  std::printf("blocks:   %lld of %lld clock units\n", static_cast<long long>(d->blockCount()),
              static_cast<long long>(d->unitsPerBlock()));
  if (const auto* aiff = dynamic_cast<const audio::AiffDecoder*>(d.get()))
    std::printf("data:     %llu bytes at offset %llu\n", static_cast<unsigned long long>(aiff->layout().dataSize),
                static_cast<unsigned long long>(aiff->layout().dataStart));
  return 0;
}

int AudioDecode(Args a) {
  std::int64_t from = 0;
  if (auto f = kncourse::TakeOption(a, "from")) {
    try {
      from = std::stoll(*f);
    } catch (const std::exception&) {
      kncourse::BadUsage("--from takes a number of clock units");
    }
  }
  if (a.size() != 2) kncourse::BadUsage("audio decode takes FILE OUT.wav");
  std::vector<std::int16_t> stream;
  if (IsWave(a[0])) {
    int rate = 0;
    auto s = WaveStream(a[0], &rate);
    if (!s) return kncourse::Fail(a[0] + ": " + std::to_string(rate) + " Hz; built-in sounds play at 11025 or 22050 Hz");
    from = std::clamp<std::int64_t>(from, 0, static_cast<std::int64_t>(s->size()));
    stream.assign(s->begin() + from, s->end());
  } else {
    auto d = audio::ClipDecoder::Open(CourseFile::Open(a[0]), a[0]);
    std::int64_t unit = d->alignDown(from);
    stream.resize(static_cast<std::size_t>(d->length() - unit));
    // Block by block, as a playing clip is streamed.
    std::int16_t* out = stream.data();
    while (unit < d->length()) {
      const std::int64_t to = std::min(d->length(), (d->blockOf(unit) + 1) * d->unitsPerBlock());
      d->decode(unit, to, out);
      out += to - unit;
      unit = to;
    }
  }
  const auto bytes = audio::EncodeWaveFile(stream, audio::kClockRate);
  return kncourse::WriteOutput(a[1], bytes);
}

}  // namespace kncourse
