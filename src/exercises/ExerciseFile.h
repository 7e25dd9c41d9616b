// The exercise file (.fil): a resource container whose text section (Mac OS Roman) holds
// the questions as "key:value" lines, one blank-line-separated record per question, and
// whose directory holds the pictures the questions name.
//
// Lines end at CR, LF or NUL, each on its own (a CR LF pair is a line end and an empty
// line). A line keeps its first 1023 bytes; the rest of an over-long line is dropped, not
// read as a line of its own. Keys are matched without regard to case; values are taken
// verbatim. Nothing in a file can make the reader fail: what it cannot use is skipped and
// listed among the problems, which `kncourse check` reports to the author.
#pragma once

#include <QtGui/QColor>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Picture;
class ResourceContainer;

namespace exercise {

// The three bytes with fixed roles in exercise text (Mac OS Roman guillemets and pilcrow).
inline constexpr unsigned char kItemOpen = 0xC7;
inline constexpr unsigned char kItemClose = 0xC8;
inline constexpr unsigned char kLineBreak = 0xA6;
inline constexpr std::size_t kMaxLine = 1023;

}  // namespace exercise

struct ExerciseQuestion {
  ExerciseQuestion();
  ~ExerciseQuestion();
  ExerciseQuestion(ExerciseQuestion&&) noexcept;
  ExerciseQuestion& operator=(ExerciseQuestion&&) noexcept;

  std::string fill;                 // the text with its blanks between the item marks
  std::string choices;              // the choice list, or the extra choices with `also`
  std::optional<std::string> hint;
  std::string pictureName;          // the picture entry named last (and present); empty: none
  std::unique_ptr<Picture> picture; // decoded by ReadExercise; null when absent or undecodable
  std::int32_t height = 0;          // requested fill box height; 0 keeps the current boxes
  bool also = false;
  bool fixedSource = false;         // the choices box in the fixed-pitch font
  bool fixedDest = false;           // the fill box in the fixed-pitch font
  bool done = false;
  int line = 0;                     // the line of its fill key, counted from 1
};

struct ExerciseProblem {
  int line = 0;  // counted from 1; 0 for the file as a whole
  std::string text;
};

struct ExerciseText {
  std::optional<std::string> title;  // the last "title" value
  std::vector<ExerciseQuestion> questions;
  std::vector<ExerciseProblem> problems;
};

// Whether the exercise file's directory holds a picture entry of that name.
using PictureLookup = std::function<bool(std::string_view name)>;

// Reads the questions from a text section; pictureExists may be empty (no picture is found).
ExerciseText ParseExerciseText(std::span<const std::uint8_t> text, const PictureLookup& pictureExists = {});

// Reads the whole exercise from its container: the questions, and each question's picture
// decoded with its key colour replaced by background. Throws CourseFileError when the
// container cannot be read; a picture that cannot be decoded leaves its question without one.
ExerciseText ReadExercise(ResourceContainer& container, const QColor& background, bool decodePictures = true);

// The leading decimal integer of a value as the exercise reader takes it: an optional sign
// and digits, 0 when there are none; kept within 32 bits.
std::int32_t LeadingInteger(std::string_view value);
