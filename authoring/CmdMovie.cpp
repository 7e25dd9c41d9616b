// kncourse movie: what the player's movie component makes of a movie file: its size,
// duration and tracks, and the picture it shows at a given time.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include <QtGui/QImage>

#include "Kncourse.h"
#include "course/AsciiCase.h"
#include "course/CourseFileError.h"
#include "movies/Movie.h"
#include "movies/MovieLayout.h"
#include "movies/MovieSound.h"
#include "movies/MovieSupport.h"

namespace {

using kncourse::Args;

std::string Seconds(MovieTime t) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(t) / kMovieTimeScale);
  return text;
}

std::string SizeText(QSize s) { return std::to_string(s.width()) + " x " + std::to_string(s.height()); }

// The transcript beside a movie, its name compared without regard to case as the
// player's course folders do; empty when there is none.
std::string Transcript(const std::string& movie) {
  const std::filesystem::path path(movie);
  const std::string wanted = movie_layout::TranscriptPath(path.filename().string());
  if (wanted.empty()) return {};
  std::error_code ec;
  const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file(ec) && ToAsciiLower(entry.path().filename().string()) == wanted)
      return entry.path().string();
  return {};
}

}  // namespace

namespace kncourse {

int MovieInfo(Args a) {
  if (a.size() != 1) kncourse::BadUsage("movie info takes one FILE");
  const auto movie = CMovie::Open(a[0]);
  MovieSupport support;
  support.Initialise();
  std::printf("file:        %s\n", a[0].c_str());
  std::printf("duration:    %s\n", Seconds(movie->Duration()).c_str());
  if (movie->HasPictures()) {
    std::printf("pictures:    %s, %s\n", movie->PictureFormat().c_str(), SizeText(movie->NaturalSize()).c_str());
    if (movie->FrameDuration() > 0)
      std::printf("frame rate:  %.3f a second\n", static_cast<double>(kMovieTimeScale) / movie->FrameDuration());
  } else {
    std::printf("pictures:    none\n");
  }
  if (MovieSoundSource* sound = movie->Sound())
    std::printf("sound:       %s; played as %d Hz mono, %lld samples\n", movie->SoundFormat().c_str(),
                MovieSoundSource::kRate, static_cast<long long>(sound->Length()));
  else
    std::printf("sound:       none\n");
  const QSize natural = movie->NaturalSize();
  std::printf("window:      %s (half %s, double %s)\n", SizeText(movie_layout::ClientSize(natural, 1, 1)).c_str(),
              SizeText(movie_layout::ClientSize(natural, 1, 2)).c_str(),
              SizeText(movie_layout::ClientSize(natural, 2, 1)).c_str());
  const std::string transcript = Transcript(a[0]);
  std::printf("transcript:  %s\n", transcript.empty() ? "none" : transcript.c_str());
  std::printf("library:     %s\n", support.VersionText().c_str());
  return 0;
}

int MovieFrame(Args a) {
  if (a.size() != 3) kncourse::BadUsage("movie frame takes FILE SECONDS OUT.png");
  double seconds = 0;
  std::size_t used = 0;
  try {
    seconds = std::stod(a[1], &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != a[1].size() || !std::isfinite(seconds))
    kncourse::BadUsage("SECONDS must be a decimal number, not '" + a[1] + "'");
  const auto movie = CMovie::Open(a[0]);
  if (!movie->HasPictures()) return kncourse::Fail(a[0] + ": the movie has no pictures");
  const QImage& frame = movie->FrameAt(SecondsToMovieTime(seconds));
  if (!frame.save(QString::fromStdString(a[2]), "PNG")) return kncourse::Fail("cannot write " + a[2]);
  return 0;
}

}  // namespace kncourse
