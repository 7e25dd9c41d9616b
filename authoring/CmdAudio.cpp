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
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace {

using kncourse::Args;

const char* kUsage =
    "Usage:\n"
    "  kncourse audio info FILE\n"
    "      A narration clip (.aif, .ogg): its format number (0 AIFF, 1 and 2 AIFC ima4 at\n"
    "      22050 and 11025 Hz, 3 Ogg Vorbis), source rate and length on the narration\n"
    "      clock (samples at 22050 Hz). A .wav sound: how the player plays it as a\n"
    "      built-in sound.\n"
    "  kncourse audio decode FILE OUT.wav [--from UNITS]\n"
    "      Writes the 22050 Hz mono 16-bit stream the wave output receives, from the\n"
    "      start or from clock unit UNITS (moved back to where decoding can start).\n";

bool IsWave(const std::string& name) {
  return name.size() >= 4 && (name.compare(name.size() - 4, 4, ".wav") == 0 || name.compare(name.size() - 4, 4, ".WAV") == 0);
}

double Seconds(std::int64_t units) { return double(units) / audio::kClockRate; }

// A .wav file played as a built-in sound: 16-bit mono PCM at 11 025 Hz (doubled) or
// 22 050 Hz; nothing otherwise.
std::optional<std::vector<std::int16_t>> WaveStream(const std::vector<std::uint8_t>& bytes, int* rate) {
  const auto wave = audio::ParseWaveResource(bytes);
  if (!wave) return std::nullopt;
  *rate = wave->rate;
  if (wave->rate == 11025) return audio::OneShotSamples(wave->data, audio::OneShotMode::LittleEndian11k);
  if (wave->rate == audio::kClockRate) return audio::OneShotSamples(wave->data, audio::OneShotMode::Native);
  return std::nullopt;
}

int Info(const Args& a) {
  if (a.size() != 1) return kncourse::UsageError("audio info takes one FILE", kUsage);
  if (IsWave(a[0])) {
    auto file = CourseFile::Open(a[0]);
    int rate = 0;
    const auto stream = WaveStream(file.readAll(), &rate);
    if (!stream) {
      if (rate) return kncourse::Fail(a[0] + ": " + std::to_string(rate) + " Hz; built-in sounds play at 11025 or 22050 Hz");
      return kncourse::Fail(a[0] + ": not a RIFF WAVE of 16-bit mono PCM");
    }
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

int Decode(const Args& args) {
  Args a = args;
  std::int64_t from = 0;
  if (auto f = kncourse::TakeOption(a, "from")) {
    try {
      from = std::stoll(*f);
    } catch (const std::exception&) {
      return kncourse::UsageError("--from takes a number of clock units", kUsage);
    }
  }
  if (a.size() != 2) return kncourse::UsageError("audio decode takes FILE OUT.wav", kUsage);
  std::vector<std::int16_t> stream;
  if (IsWave(a[0])) {
    auto file = CourseFile::Open(a[0]);
    int rate = 0;
    auto s = WaveStream(file.readAll(), &rate);
    if (!s) return kncourse::Fail(a[0] + ": not a built-in sound the player can play");
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

int Audio(const Args& args) {
  if (args.empty() || kncourse::WantsHelp(args)) {
    std::cout << kUsage;
    return args.empty() ? 2 : 0;
  }
  const Args rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "info") return Info(rest);
    if (args[0] == "decode") return Decode(rest);
  } catch (const CourseFileError& e) {
    return kncourse::Fail(e.what());
  }
  return kncourse::UsageError("unknown audio command '" + args[0] + "'", kUsage);
}

}  // namespace

KN_COMMAND("audio", "narration clips and sounds as the player decodes them", Audio);
