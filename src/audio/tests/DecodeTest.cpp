// Decoding against reference PCM made by other tools (see data/make-fixtures.sh).
#include <gtest/gtest.h>

#include <memory>

#include "AudioTestSupport.h"
#include "TestSupport.h"
#include "audio/AiffDecoder.h"
#include "audio/ClipDecoder.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

using namespace audio;
using kntest::AudioFixture;
using kntest::DecodeAll;
using kntest::ReadWaveSamples;

namespace {

std::unique_ptr<ClipDecoder> OpenFixture(const std::string& name) {
  return ClipDecoder::Open(CourseFile::Open(AudioFixture(name)), name);
}

// Every other sample: the ones a doubled stream copies from its source.
std::vector<std::int16_t> OddSamples(const std::vector<std::int16_t>& v) {
  std::vector<std::int16_t> out;
  for (std::size_t i = 1; i < v.size(); i += 2) out.push_back(v[i]);
  return out;
}

// A doubled stream lags its source by one output sample.
std::vector<std::int16_t> DropFirst(std::vector<std::int16_t> v) {
  v.erase(v.begin());
  return v;
}

}  // namespace

TEST(ClipDecoding, FormatsAndLengthsOnTheClock) {
  struct Case {
    const char* file;
    ClipFormat format;
    int rate;
    std::int64_t length;
  };
  const Case cases[] = {
      {"sweep11k.aif", ClipFormat::Aiff, 11025, 22050},   // 22 050 bytes of data: one second
      {"ima22k.aif", ClipFormat::Ima22k, 22050, 22080},   // 345 packets of 64 samples
      {"ima11k.aif", ClipFormat::Ima11k, 11025, 173 * 128},
      {"vorbis22k.ogg", ClipFormat::Vorbis, 22050, 22080},
      {"vorbis44k.ogg", ClipFormat::Vorbis, 44100, 22080},  // 44 160 samples at 44 100 Hz
      {"narration5s.ogg", ClipFormat::Vorbis, 22050, 5 * 22050},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    auto d = OpenFixture(c.file);
    EXPECT_EQ(d->format(), c.format);
    EXPECT_EQ(d->sourceRate(), c.rate);
    EXPECT_EQ(d->length(), c.length);
  }
  auto ima = OpenFixture("ima22k.aif");
  EXPECT_EQ(static_cast<AiffDecoder&>(*ima).layout().dataSize, 345u * 34u);
}

TEST(ClipDecoding, AiffIsByteSwappedAndDoubledByMeans) {
  auto d = OpenFixture("sweep11k.aif");
  const auto out = DecodeAll(*d);
  const auto source = ReadWaveSamples(AudioFixture("sweep11k.wav"));
  ASSERT_EQ(out.size(), 2 * source.size());
  // Odd samples are the source samples exactly.
  EXPECT_EQ(OddSamples(out), source);
  // Against the same sweep made at 22 050 Hz, one sample later: the doubling is linear
  // interpolation, which loses most near 2 kHz (about 20 dB over the sweep; without
  // the one-sample lag it would be 15).
  EXPECT_GT(kntest::SnrDb(ReadWaveSamples(AudioFixture("sweep22k.wav")), DropFirst(out)), 18.0);
}

TEST(ClipDecoding, AiffSamplesAreDoubledByTheMeanWithTheSampleBefore) {
  // Big-endian 16, 48, -16, 32767, -32768. Each is preceded by its mean with the one
  // before (the first by itself); means drop their fraction toward zero.
  kntest::AiffShape shape;
  shape.data = {0x00, 0x10, 0x00, 0x30, 0xFF, 0xF0, 0x7F, 0xFF, 0x80, 0x00};
  auto d = ClipDecoder::Open(CourseFile::FromMemory(kntest::BuildAiff(shape), "t.aif"), "t.aif");
  EXPECT_EQ(DecodeAll(*d), (std::vector<std::int16_t>{16, 16, 32, 48, 16, -16, 16375, 32767, 0, -32768}));
}

TEST(ClipDecoding, ImaMatchesAnIndependentDecoder) {
  // ffmpeg's decoder runs its state on between packets as the player does, so the
  // tolerance is exact equality; against the original sweep the codec's own loss shows.
  auto d = OpenFixture("ima22k.aif");
  const auto out = DecodeAll(*d);
  const auto ref = ReadWaveSamples(AudioFixture("ima22k.ref.wav"));
  ASSERT_EQ(out.size(), ref.size());
  EXPECT_EQ(kntest::MaxAbsDiff(out, ref), 0);
  EXPECT_GT(kntest::SnrDb(ReadWaveSamples(AudioFixture("sweep22k.wav")), out), 30.0);

  auto d11 = OpenFixture("ima11k.aif");
  const auto out11 = DecodeAll(*d11);
  const auto ref11 = ReadWaveSamples(AudioFixture("ima11k.ref.wav"));
  ASSERT_EQ(out11.size(), 2 * ref11.size());
  EXPECT_EQ(kntest::MaxAbsDiff(OddSamples(out11), ref11), 0);
  EXPECT_GT(kntest::SnrDb(ReadWaveSamples(AudioFixture("sweep22k.wav")), DropFirst(out11)), 17.0);
}

TEST(ClipDecoding, VorbisMatchesTheReferenceDecoderAndHalves44k) {
  auto d = OpenFixture("vorbis22k.ogg");
  const auto out = DecodeAll(*d);
  const auto ref = ReadWaveSamples(AudioFixture("vorbis22k.ref.wav"));
  ASSERT_EQ(out.size(), ref.size());
  EXPECT_LE(kntest::MaxAbsDiff(out, ref), 1);  // float-to-integer rounding only

  auto d44 = OpenFixture("vorbis44k.ogg");
  const auto out44 = DecodeAll(*d44);
  EXPECT_EQ(d44->unitsPerBlock(), 4096);  // 16 384 decoded bytes, halved
  // The 44.1 kHz stream runs on the same clock as the 22 050 Hz sweep it was made from.
  EXPECT_GT(kntest::SnrDb(ReadWaveSamples(AudioFixture("sweep22k.wav")), out44), 24.0);
}

TEST(ClipDecoding, VorbisMixesChannelsAndRefusesOtherRates) {
  auto d = OpenFixture("stereo22k.ogg");
  EXPECT_EQ(d->channels(), 2);
  EXPECT_EQ(d->length(), 4410);
  const auto out = DecodeAll(*d);
  const auto interleaved = ReadWaveSamples(AudioFixture("stereo22k.ref.wav"));
  ASSERT_EQ(interleaved.size(), 2 * out.size());
  std::vector<std::int16_t> mixed(out.size());
  for (std::size_t i = 0; i < mixed.size(); ++i) mixed[i] = static_cast<std::int16_t>((interleaved[2 * i] + interleaved[2 * i + 1]) / 2);
  EXPECT_LE(kntest::MaxAbsDiff(out, mixed), 2);
  // 48 kHz would play at less than half speed on the 22 050 Hz clock.
  EXPECT_THROW(OpenFixture("vorbis48k.ogg"), CourseFileError);
}

TEST(ClipDecoding, VorbisSeeksAnywhere) {
  auto whole = OpenFixture("vorbis22k.ogg");
  const auto all = DecodeAll(*whole);
  auto d = OpenFixture("vorbis22k.ogg");
  std::vector<std::int16_t> part(1000);
  d->decode(12345, 13345, part.data());
  EXPECT_LE(kntest::MaxAbsDiff(part, std::vector<std::int16_t>(all.begin() + 12345, all.begin() + 13345)), 1);
}

TEST(ClipDecoding, ImaSeekStartsAtThePacketFromTheStateTable) {
  auto d = OpenFixture("ima22k.aif");
  auto& ima = static_cast<AiffDecoder&>(*d);
  const auto all = DecodeAll(*d);
  ASSERT_TRUE(ima.blockState(2).has_value());

  // A position inside packet 300 (block 2 holds packets 256..344) restarts at the
  // packet's first sample; decoding from there reproduces the continuous stream.
  const std::int64_t position = 300 * 64 + 17;
  EXPECT_EQ(d->alignDown(position), 300 * 64);
  const std::int64_t before = ima.packetsDecoded();
  std::vector<std::int16_t> out(static_cast<std::size_t>(d->length() - 300 * 64));
  d->decode(d->alignDown(position), d->length(), out.data());
  EXPECT_EQ(out, std::vector<std::int16_t>(all.begin() + 300 * 64, all.end()));
  // Block start to the packet, then the packets asked for: never from the clip's start.
  EXPECT_EQ(ima.packetsDecoded() - before, (300 - 256) + (345 - 300));
}

TEST(ClipDecoding, ImaSeekWithoutKnownStateUsesThePacketHeader) {
  auto reference = OpenFixture("ima22k.aif");
  const auto all = DecodeAll(*reference);
  auto d = OpenFixture("ima22k.aif");
  auto& ima = static_cast<AiffDecoder&>(*d);
  EXPECT_FALSE(ima.blockState(1).has_value());
  std::vector<std::int16_t> out(8192);
  d->decode(8192, 16384, out.data());
  EXPECT_EQ(ima.packetsDecoded(), 128);
  ASSERT_TRUE(ima.blockState(1).has_value());  // recorded for later seeks
  // The header holds the predictor to 7 bits less: the result stays that close.
  EXPECT_LE(kntest::MaxAbsDiff(out, std::vector<std::int16_t>(all.begin() + 8192, all.begin() + 16384)), 128);
}

TEST(ClipDecoding, ChoosesTheDecoderByNameAndRefusesOthers) {
  EXPECT_THROW(ClipDecoder::Open(CourseFile::Open(AudioFixture("vorbis22k.ogg")), "clip.wav"), CourseFileError);
  // An Ogg file named .aif is parsed as AIFF and refused.
  EXPECT_THROW(ClipDecoder::Open(CourseFile::Open(AudioFixture("vorbis22k.ogg")), "CLIP.AIF"), CourseFileError);
  EXPECT_THROW(ClipDecoder::Open(CourseFile::Open(AudioFixture("sweep11k.aif")), "x.ogg"), CourseFileError);
  EXPECT_NO_THROW(ClipDecoder::Open(CourseFile::Open(AudioFixture("sweep11k.aif")), "LESSON1.AIF"));
}

TEST(ClipDecoding, EveryTruncationOfAnOggIsRefusedOrDecodesAsTheWholeFileBegins) {
  const auto bytes = kntest::ReadFileBytes(AudioFixture("vorbis22k.ogg"));
  auto whole = ClipDecoder::Open(CourseFile::FromMemory(bytes, "whole.ogg"), "whole.ogg");
  const auto all = DecodeAll(*whole);
  int refused = 0, opened = 0;
  for (std::size_t cut = 0; cut < bytes.size(); cut += 97) {
    SCOPED_TRACE(cut);
    try {
      auto d = ClipDecoder::Open(CourseFile::FromMemory({bytes.begin(), bytes.begin() + cut}, "cut.ogg"), "cut.ogg");
      ++opened;
      EXPECT_LE(d->length(), whole->length());
      const auto out = DecodeAll(*d);
      // What the cut file still holds decodes as the start of the whole file does.
      const auto n = static_cast<std::ptrdiff_t>(std::min<std::size_t>(out.size(), 2048));
      EXPECT_LE(kntest::MaxAbsDiff({out.begin(), out.begin() + n}, {all.begin(), all.begin() + n}), 1);
    } catch (const CourseFileError& e) {
      ++refused;
      EXPECT_EQ(e.kind(), CourseFileError::Kind::Format) << e.what();
      EXPECT_EQ(e.path(), "cut.ogg");
    }
  }
  // Cuts inside the headers are refused; cuts after some audio pages open.
  EXPECT_GT(refused, 0);
  EXPECT_GT(opened, 0);
}
