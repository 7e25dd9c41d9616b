// Files that are not playable movies: refused with a course file error, or opened and
// played without faults when the damage lies inside the movie's data. The sanitizer
// build runs these too.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "MovieTestSupport.h"
#include "TestSupport.h"
#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "movies/MovieSound.h"

namespace {

using movietest::DataFile;

std::vector<std::uint8_t> Bytes(const std::string& name) { return kntest::ReadFileBytes(DataFile(name)); }

std::unique_ptr<CMovie> OpenBytes(std::vector<std::uint8_t> bytes) {
  return CMovie::Open(CourseFile::FromMemory(std::move(bytes), "hostile.mov"));
}

// Opens bytes and, when that works, asks for pictures and sound everywhere. Returns
// whether the movie opened; anything thrown but a course file error fails the test.
bool PlaysOrRefuses(std::vector<std::uint8_t> bytes, const std::string& what) {
  std::unique_ptr<CMovie> movie;
  try {
    movie = OpenBytes(std::move(bytes));
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::Format) << what;
    EXPECT_FALSE(e.reason().empty()) << what;
    return false;
  }
  const QSize size = movie->NaturalSize();
  for (MovieTime t : {MovieTime{0}, movie->Duration() / 2, movie->Duration(), MovieTime{700'000}, MovieTime{0}}) {
    const QImage& frame = movie->FrameAt(t);
    if (movie->HasPictures()) {
      EXPECT_EQ(frame.size(), size) << what;
    }
  }
  if (MovieSoundSource* sound = movie->Sound()) {
    std::vector<std::int16_t> buffer(5000);
    for (std::int64_t at : {std::int64_t{0}, sound->Length() / 2, std::int64_t{100}})
      EXPECT_LE(sound->Read(at, buffer), buffer.size()) << what;
  }
  return true;
}

void ExpectRefused(std::vector<std::uint8_t> bytes, const std::string& what) {
  try {
    OpenBytes(std::move(bytes));
    ADD_FAILURE() << what << " opened";
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::Format) << what;
    EXPECT_EQ(e.path(), "hostile.mov") << what;
  }
}

// Offset of the first occurrence of tag in bytes from from on; npos when absent.
std::size_t Find(const std::vector<std::uint8_t>& bytes, const char* tag, std::size_t from = 0) {
  const std::size_t n = std::strlen(tag);
  for (std::size_t i = from; i + n <= bytes.size(); ++i)
    if (std::memcmp(bytes.data() + i, tag, n) == 0) return i;
  return std::string::npos;
}

TEST(MovieHostile, NonMoviesAreRefused) {
  std::vector<std::uint8_t> noise(4096);
  std::mt19937 random(7);
  for (auto& b : noise) b = static_cast<std::uint8_t>(random());
  const std::string text = "This is a transcript, not a movie.\r\n";
  ExpectRefused({}, "an empty file");
  ExpectRefused(noise, "noise");
  ExpectRefused(std::vector<std::uint8_t>(text.begin(), text.end()), "text");
  ExpectRefused(Bytes("pattern-rle-1.4s.png"), "a PNG picture");
}

TEST(MovieHostile, TruncatedMoviesAreRefusedOrPlayWhatIsThere) {
  for (const char* name : {"pattern-h264.mov", "pattern-mjpeg.mov", "pattern-rle.mov", "tone-ima.mov"}) {
    const auto whole = Bytes(name);
    int opened = 0;
    for (std::size_t keep : {std::size_t{8}, std::size_t{40}, whole.size() / 10, whole.size() / 3, whole.size() / 2,
                             whole.size() * 9 / 10, whole.size() - 1}) {
      std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
      opened += PlaysOrRefuses(std::move(part), std::string(name) + " cut to " + std::to_string(keep));
    }
    // ffmpeg writes the movie header last: most cuts lose it.
    EXPECT_LT(opened, 7) << name;
  }
}

TEST(MovieHostile, DamagedMovieDataStillPlays) {
  for (const char* name : {"pattern-h264.mov", "pattern-mjpeg.mov", "pattern-rle.mov", "tone-ima.mov"}) {
    auto bytes = Bytes(name);
    const std::size_t mdat = Find(bytes, "mdat");
    const std::size_t moov = Find(bytes, "moov");
    ASSERT_NE(mdat, std::string::npos) << name;
    ASSERT_NE(moov, std::string::npos) << name;
    ASSERT_LT(mdat, moov) << name;
    std::mt19937 random(11);
    for (std::size_t i = mdat + 8; i < moov; i += 1 + random() % 97) bytes[i] = static_cast<std::uint8_t>(random());
    EXPECT_TRUE(PlaysOrRefuses(std::move(bytes), std::string(name) + " with damaged data")) << name;
  }
}

TEST(MovieHostile, DamagedHeadersNeverFault) {
  for (const char* name : {"pattern-h264.mov", "pattern-rle.mov", "tone-ima.mov"}) {
    const auto whole = Bytes(name);
    const std::size_t moov = Find(whole, "moov");
    ASSERT_NE(moov, std::string::npos);
    std::mt19937 random(3);
    for (int round = 0; round < 40; ++round) {
      auto bytes = whole;
      for (int k = 0; k < 4; ++k) {
        const std::size_t at = moov + random() % (whole.size() - moov);
        bytes[at] = static_cast<std::uint8_t>(random());
      }
      PlaysOrRefuses(std::move(bytes), std::string(name) + " round " + std::to_string(round));
    }
  }
}

TEST(MovieHostile, OversizedPicturesAreRefused) {
  // The sample description of the Animation track: its width and height follow the
  // codec tag at 28 and 30 bytes on.
  auto bytes = Bytes("pattern-rle.mov");
  const std::size_t rle = Find(bytes, "rle ", Find(bytes, "moov"));
  ASSERT_NE(rle, std::string::npos);
  for (const auto& [width, height] : {std::pair{30000, 20000}, std::pair{5000, 16}, std::pair{4096, 4096}}) {
    auto patched = bytes;
    StoreBe16(std::span(patched).subspan(rle + 28).first<2>(), static_cast<std::uint16_t>(width));
    StoreBe16(std::span(patched).subspan(rle + 30).first<2>(), static_cast<std::uint16_t>(height));
    try {
      OpenBytes(std::move(patched));
      ADD_FAILURE() << width << "x" << height << " opened";
    } catch (const CourseFileError& e) {
      EXPECT_NE(e.reason().find("size"), std::string::npos) << e.reason();
    }
  }
}

TEST(MovieHostile, PicturesOfAnyWidthAreScaledToTheMovieBox) {
  // The track header and the sample description both claim a width; the H.264 stream
  // still decodes at 320, so every frame is scaled into the odd box.
  const auto bytes = Bytes("pattern-h264.mov");
  const std::size_t moov = Find(bytes, "moov");
  const std::size_t tkhd = Find(bytes, "tkhd", moov);
  const std::size_t avc1 = Find(bytes, "avc1", moov);
  ASSERT_NE(avc1, std::string::npos);
  ASSERT_EQ(bytes[tkhd + 4], 0) << "a version 0 track header";
  for (std::uint32_t width : {1u, 2u, 3u, 7u, 33u, 641u}) {
    auto patched = bytes;
    StoreBe32(std::span(patched).subspan(tkhd + 80).first<4>(), width << 16);  // 16.16 fixed point
    StoreBe16(std::span(patched).subspan(avc1 + 28).first<2>(), static_cast<std::uint16_t>(width));
    auto movie = OpenBytes(std::move(patched));
    EXPECT_EQ(movie->NaturalSize(), QSize(static_cast<int>(width), 240));
    for (MovieTime t : {0, 1'400'000, 300'000, 1'999'999}) EXPECT_EQ(movie->FrameAt(t).size(), movie->NaturalSize());
  }
}

TEST(MovieHostile, UnknownPictureFormatIsRefused) {
  auto bytes = Bytes("pattern-rle.mov");
  const std::size_t rle = Find(bytes, "rle ", Find(bytes, "moov"));
  ASSERT_NE(rle, std::string::npos);
  std::memcpy(bytes.data() + rle, "XYZW", 4);
  try {
    OpenBytes(std::move(bytes));
    FAIL() << "opened a movie in an unknown format";
  } catch (const CourseFileError& e) {
    EXPECT_NE(e.reason().find("format"), std::string::npos) << e.reason();
  }
}

}  // namespace
