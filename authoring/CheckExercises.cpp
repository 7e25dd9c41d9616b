// Exercise files (.fil): the questions the exercise window builds from the text
// section, blanks and choices within the boxes' limits, answers that no choice can
// fill, pictures the questions name, and line ends that split questions apart.
// The exercise window's own reader and engine do the reading.
#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "exercises/QuizSession.h"

namespace kncheck {
namespace {

void Report(CourseCheck& check, const std::string& file, int line, const char* box,
            const std::vector<std::string>& problems) {
  for (const std::string& p : problems) check.Report(file, line, std::string(box) + ": " + ExerciseTextToUtf8(p));
}

// Each question as the window shows it: the boxes' marks and limits, and blanks that no
// choice can fill (an answer is right when the dropped text begins with it).
void CheckQuestions(CourseCheck& check, const std::string& file, QuizSession& session) {
  for (int i = 0; i < session.count(); ++i) {
    session.Show(i);
    const ExerciseQuestion& q = *session.currentQuestion();
    Report(check, file, q.line, "the fill box", session.fill().problems());
    Report(check, file, q.line, "the choices box", session.choices().problems());
    if (q.also) {
      QuizBox extra;
      extra.Parse(q.choices, QuizBox::Role::Choices);
      Report(check, file, q.line, "the also line", extra.problems());
    }
    const auto& blanks = session.fill().items();
    if (blanks.empty()) {
      check.Report(file, q.line, "the question has no blank: it can never be answered");
      continue;
    }
    for (int b = 0; b < static_cast<int>(blanks.size()); ++b)
      if (session.AnsweringChoice(b) < 0)
        check.Report(file, q.line, "the answer \"" + ExerciseTextToUtf8(blanks[static_cast<std::size_t>(b)]) +
                                       "\" is not among the choices: the question cannot be answered");
  }
}

void CheckExercise(CourseCheck& check, const std::string& path) {
  auto container = check.OpenContainer(path);
  if (!container) return;
  const std::string file = CourseCheck::Display(path);
  CheckContainerPictures(check, *container, file);
  ExerciseText text = ReadExercise(*container, {}, false);
  for (const ExerciseProblem& p : text.problems) check.Report(file, p.line, ExerciseTextToUtf8(p.text));
  QuizSession session;
  session.Load(std::move(text));
  CheckQuestions(check, file, session);
}

void CheckExercises(CourseCheck& check) {
  if (!check.contentsLoaded) return;
  const ContentsTable& t = check.contents;
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson& lesson = *t.Lesson(pos);
    for (int p = 0; p < lesson.pageCount; ++p) {
      const ContentsPage& page = lesson.pages[static_cast<std::size_t>(p)];
      for (int a = 0; a < page.activityCount; ++a) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
        if (!act.file || KindOfFileName(t.String(act.file)) != kKindExercise) continue;
        const std::string path = ActivityLocator(pos, p, a).Path(t, t.String(act.file));
        if (check.Find(path)) CheckExercise(check, path);
      }
    }
  }
}

}  // namespace

KN_COURSE_CHECK(60, "exercises", CheckExercises);

}  // namespace kncheck
