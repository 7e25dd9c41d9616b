// Exercise files (.fil): the container with its pictures when the bytes are one, and the
// bytes as a text section either way; then every question shown, answered (the right
// choice, then a wrong one), checked, undone and copied, as the window and kncourse do.
#include <cstdint>
#include <span>

#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "exercises/QuizSession.h"

namespace {

void Exercise(ExerciseText text) {
  QuizSession s;
  s.Load(std::move(text));
  for (int i = 0; i < s.count(); ++i) {
    s.Show(i);
    const int blanks = static_cast<int>(s.fill().slotList().size());
    for (int b = 0; b < blanks; ++b) {
      const int choice = s.AnsweringChoice(b);
      const auto& choices = s.choices().slotList();
      const std::string answer = choice >= 0 ? choices[static_cast<std::size_t>(choice)].text : std::string("x");
      if (s.DropAnswer(b, b % 2 ? answer : answer + "z") == QuizSession::Drop::AllFilled) s.AutoCheck();
    }
    s.Check();
    s.Undo();
    (void)s.CopyText();
    (void)s.NextTarget();
    (void)s.BackTarget();
  }
  (void)s.AllDone();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  Exercise(ParseExerciseText(bytes, [](std::string_view name) { return name.size() == 1; }));
  try {
    auto container = ResourceContainer::FromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    Exercise(ReadExercise(container, QColor(255, 192, 224)));
  } catch (const CourseFileError&) {
  }
  return 0;
}
