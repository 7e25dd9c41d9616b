#include "exercises/ExerciseFile.h"

#include <limits>

#include "course/AsciiCase.h"
#include "course/ByteReader.h"
#include "course/ResourceContainer.h"
#include "hypertext/Picture.h"

ExerciseQuestion::ExerciseQuestion() = default;
ExerciseQuestion::~ExerciseQuestion() = default;
ExerciseQuestion::ExerciseQuestion(ExerciseQuestion&&) noexcept = default;
ExerciseQuestion& ExerciseQuestion::operator=(ExerciseQuestion&&) noexcept = default;

std::int32_t LeadingInteger(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  std::int64_t n = 0;
  constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) n = std::min(kLimit, n * 10 + (value[i] - '0'));
  if (negative) return static_cast<std::int32_t>(-n);
  return static_cast<std::int32_t>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

namespace {

// "fixed" sets both boxes, the box's own word sets it alone, a non-zero number sets both.
bool FontFlag(std::string_view value, std::string_view word) {
  return EqualNoCase(value, word) || EqualNoCase(value, "fixed") || LeadingInteger(value) != 0;
}

class Reader {
 public:
  Reader(const PictureLookup& pictures, ExerciseText& out) : m_pictures(pictures), m_out(out) {}

  void Line(std::string_view line, int number) {
    if (line.empty()) {
      EndRecord();
      return;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      Problem(number, "a line without \"key:\" is ignored");
      return;
    }
    const std::string key = ToAsciiLower(line.substr(0, colon));
    const std::string_view value = line.substr(colon + 1);
    if (key != "title") m_pendingKeys = number;
    ExerciseQuestion& q = m_record;
    if (key == "title") {
      m_out.title = std::string(value);
    } else if (key == "height" || key == "height_win") {
      q.height = LeadingInteger(value);
    } else if (key == "fill") {
      q.fill = value;
      q.line = number;
      m_hasFill = true;
    } else if (key == "choices") {
      q.choices = value;
    } else if (key == "also") {
      q.choices = value;
      q.also = true;
    } else if (key == "hint") {
      q.hint = std::string(value);
    } else if (key == "picture") {
      if (m_pictures && m_pictures(value))
        q.pictureName = value;
      else
        Problem(number, "the picture \"" + std::string(value) + "\" is not in the exercise file: the line is ignored");
    } else if (key == "font") {
      q.fixedSource = FontFlag(value, "fixedSource");
      q.fixedDest = FontFlag(value, "fixedDest");
    } else if (key != "sound" && key != "comment" && key != "height_mac") {
      Problem(number, "the key \"" + key + "\" is not known and is ignored");
    }
  }

  // An empty line, or the end of the text.
  void EndRecord() {
    if (!m_hasFill) return;
    m_out.questions.push_back(std::move(m_record));
    m_record = ExerciseQuestion{};
    m_hasFill = false;
    m_pendingKeys = 0;
  }

  void Finish(int lastLine) {
    if (!m_hasFill && m_pendingKeys)
      Problem(m_pendingKeys, "keys after the last question, without a fill line, are dropped");
    EndRecord();
    if (m_out.questions.empty()) Problem(0, "the exercise has no question (no fill line)");
  }

  void Problem(int line, std::string text) { m_out.problems.push_back({line, std::move(text)}); }

 private:
  const PictureLookup& m_pictures;
  ExerciseText& m_out;
  ExerciseQuestion m_record;
  bool m_hasFill = false;
  int m_pendingKeys = 0;  // the line of a key given to a record that has no fill yet
};

}  // namespace

ExerciseText ParseExerciseText(std::span<const std::uint8_t> text, const PictureLookup& pictureExists) {
  ExerciseText out;
  Reader reader(pictureExists, out);
  ByteReader bytes(text);
  bool sawCrLf = false;
  int number = 0;
  std::string line;
  for (;;) {
    line.clear();
    bool cut = false;
    std::uint8_t end = 0;
    while (!bytes.atEnd()) {
      const std::uint8_t c = bytes.u8();
      if (c == '\r' || c == '\n' || c == 0) {
        end = c;
        break;
      }
      if (line.size() < exercise::kMaxLine)
        line += static_cast<char>(c);
      else
        cut = true;
    }
    ++number;
    if (cut) reader.Problem(number, "the line is longer than 1023 bytes: the rest of it is dropped");
    if (end == '\r' && !bytes.atEnd() && bytes.offset() < text.size() && text[bytes.offset()] == '\n') sawCrLf = true;
    reader.Line(line, number);
    if (end == 0) break;  // a NUL, or the end of the text
  }
  if (sawCrLf)
    reader.Problem(0, "CR LF line ends: each ends a line and adds an empty one, so every question ends after its first line");
  reader.Finish(number);
  return out;
}

ExerciseText ReadExercise(ResourceContainer& container, const QColor& background, bool decodePictures) {
  const std::vector<std::uint8_t> text = container.ReadTextSection();
  ExerciseText out = ParseExerciseText(
      text, [&container](std::string_view name) { return container.FindEntry(name, kEntryPicture) != nullptr; });
  if (!decodePictures) return out;
  for (ExerciseQuestion& q : out.questions) {
    if (q.pictureName.empty()) continue;
    const auto data = container.ReadEntry(q.pictureName, kEntryPicture);
    if (!data) continue;
    auto picture = std::make_unique<Picture>();
    if (!picture->LoadFromMemory(*data)) continue;
    picture->ReplaceKeyColour(background);
    q.picture = std::move(picture);
  }
  return out;
}
