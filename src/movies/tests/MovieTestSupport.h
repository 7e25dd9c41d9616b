// Shared by the movie tests: the test movies, a clock the test drives, image comparison.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QtGui/QImage>

#include "movies/Movie.h"
#include "movies/MovieTime.h"

namespace movietest {

// src/movies/tests/data/<name>
std::filesystem::path DataFile(const std::string& name);

// A clock that moves only when the test says so.
struct ManualClock {
  MovieTime now = 5 * kMovieTimeScale;
  CMovie::Clock clock() {
    return [this] { return now; };
  }
  void Advance(MovieTime by) { now += by; }
};

// A test movie opened by path, driven by clock.
std::unique_ptr<CMovie> OpenTestMovie(const std::string& name, ManualClock& clock);

struct ImageDiff {
  int maxDiff = 0;        // largest difference of one colour channel
  double meanDiff = 0;    // mean over all channels of all pixels
  bool sizesDiffer = false;
};
// Compares the red, green and blue channels of two images of the same size.
ImageDiff Compare(const QImage& a, const QImage& b);

}  // namespace movietest
