// The movie of a `movie` object as the program plays it: a movie file of the activity's
// folder opened with the movie component, kept at the narration's position.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "exposition/ExpoHost.h"
#include "movies/Movie.h"

class ExpoCourseMovie : public ExpoMovie {
 public:
  explicit ExpoCourseMovie(std::unique_ptr<CMovie> movie);

  QSize NaturalSize() const override;
  std::int64_t DurationSamples() const override;
  void SetLoop(bool loop, bool palindrome) override;
  void SetPreview(std::int64_t startSamples) override;
  void SetRate(double rate) override;
  void Follow(std::int64_t samples, bool playing) override;
  QImage CurrentFrame() override;

  CMovie& movie() { return *m_movie; }
  // The movie time the narration position samples (from the movie's start) stands for:
  // scaled by the rate, wrapped round when looping, reflected on the way back of a
  // palindrome, held at the ends otherwise; before the start, the preview time.
  MovieTime TimeAt(std::int64_t samples) const;

 private:
  MovieTime Scaled(std::int64_t samples) const;

  std::unique_ptr<CMovie> m_movie;
  bool m_loop = false;
  bool m_palindrome = false;
  double m_rate = 1.0;
  MovieTime m_preview = 0;
};

// Opens the movie name (as a script gives it) in folder, found the way course files are
// found; null when there is no such file or it cannot be played.
std::unique_ptr<ExpoMovie> OpenExpoCourseMovie(const std::filesystem::path& folder, std::string_view name);
