// The movie texts in the program string table (resources/strings/movies.txt).
#pragma once

namespace movie_strings {
constexpr int kCannotPlay = 8550;       // "Could not play the movie because of error '%s'."
constexpr int kHalfSizeTip = 9066;      // tool tips of the resize commands
constexpr int kDoubleSizeTip = 9067;
constexpr int kNormalSizeTip = 9068;
}  // namespace movie_strings
