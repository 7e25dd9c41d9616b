// kncourse exercise: what the exercise window makes of an exercise file, and how it
// judges answers, through the same engine.
#include <cstdio>
#include <string>

#include "Kncourse.h"
#include "course/ResourceContainer.h"
#include "exercises/QuizSession.h"

namespace {

using kncourse::Args;

std::string Utf8(std::string_view bytes) { return ExerciseTextToUtf8(bytes); }

// The fill text with each blank as [n], a pilcrow where a line is forced.
std::string FillWithBlanks(const QuizBox& box) {
  std::string out;
  const std::string& text = box.text();
  for (const QuizPiece& piece : box.pieces()) {
    if (piece.kind == QuizPiece::kItem)
      out += "[" + std::to_string(piece.slot + 1) + "]";
    else if (piece.kind == QuizPiece::kBreak)
      out += "\xC2\xB6";
    else
      out += Utf8(std::string_view(text).substr(piece.begin, piece.end - piece.begin));
  }
  return out;
}

std::string RectText(const QRect& r) {
  return std::to_string(r.left()) + "," + std::to_string(r.top()) + " " + std::to_string(r.width()) + "x" +
         std::to_string(r.height());
}

QuizSession Load(const std::string& path, ExerciseText* copy = nullptr) {
  auto container = ResourceContainer::Open(path);
  ExerciseText text = ReadExercise(container, {}, false);
  if (copy) {
    copy->title = text.title;
    copy->problems = text.problems;
  }
  QuizSession session;
  session.Load(std::move(text));
  return session;
}

}  // namespace

namespace kncourse {

int ExerciseDump(Args a) {
  if (a.size() != 1) BadUsage("exercise dump takes one FILE");
  ExerciseText info;
  QuizSession s = Load(a[0], &info);
  std::printf("title: %s\n", info.title ? Utf8(*info.title).c_str() : "(none: the activity's title)");
  std::printf("questions: %d\n", s.count());
  for (int i = 0; i < s.count(); ++i) {
    s.Show(i);  // in order: a question without a height keeps the boxes of the one before
    const ExerciseQuestion& q = *s.currentQuestion();
    std::printf("\nquestion %d (line %d)\n", i + 1, q.line);
    std::printf("  fill:     %s\n", FillWithBlanks(s.fill()).c_str());
    for (std::size_t b = 0; b < s.fill().items().size(); ++b)
      std::printf("  blank %zu:  %s\n", b + 1, Utf8(s.fill().items()[b]).c_str());
    const char* how = !q.choices.empty() && !q.also ? "as given" : q.also ? "generated, with also" : "generated";
    std::string choices;
    for (const QuizSlot& slot : s.choices().slotList()) choices += (choices.empty() ? "" : " | ") + Utf8(slot.text);
    std::printf("  choices:  %s  (%s)\n", choices.c_str(), how);
    std::printf("  hint:     %s\n", q.hint ? Utf8(*q.hint).c_str() : "(none)");
    std::printf("  font:     fill box %s, choices box %s\n", q.fixedDest ? "fixed-pitch" : "proportional",
                q.fixedSource ? "fixed-pitch" : "proportional");
    std::printf("  boxes:    fill %s, choices %s (height %d)\n", RectText(s.fillRect()).c_str(),
                RectText(s.choicesRect()).c_str(), q.height);
    std::printf("  picture:  %s\n", q.pictureName.empty() ? "(none)" : Utf8(q.pictureName).c_str());
    for (const std::string& p : s.fill().problems()) std::printf("  fill box: %s\n", p.c_str());
    for (const std::string& p : s.choices().problems()) std::printf("  choices box: %s\n", p.c_str());
  }
  if (!info.problems.empty()) std::printf("\nproblems:\n");
  for (const ExerciseProblem& p : info.problems) std::printf("  line %d: %s\n", p.line, Utf8(p.text).c_str());
  return 0;
}

int ExerciseCheck(Args a) {
  if (a.size() < 2) BadUsage("exercise check takes FILE QUESTION ANSWER...");
  QuizSession s = Load(a[0]);
  int question = 0;
  try {
    question = std::stoi(a[1]);
  } catch (const std::exception&) {
    BadUsage("QUESTION is a number from 1");
  }
  if (question < 1 || question > s.count())
    return Fail("the exercise has " + std::to_string(s.count()) + " questions: there is no question " + a[1]);
  s.Show(question - 1);
  const int blanks = static_cast<int>(s.fill().slotList().size());
  const int answers = static_cast<int>(a.size()) - 2;
  if (answers > blanks)
    return Fail("question " + a[1] + " has " + std::to_string(blanks) + " blanks, not " + std::to_string(answers));
  QuizSession::Drop last = QuizSession::Drop::Ignored;
  for (int b = 0; b < answers; ++b) last = s.DropAnswer(b, Utf8ToExerciseText(a[std::size_t(b) + 2]));
  // As the window does: the last blank filled checks at once and may mark the question done.
  if (last == QuizSession::Drop::AllFilled)
    s.AutoCheck();
  else
    s.Check();
  for (int b = 0; b < blanks; ++b) {
    const QuizSlot& slot = s.fill().slotList()[std::size_t(b)];
    const char* verdict = b >= answers ? "not answered" : s.IsRight(b) ? "right" : "wrong";
    std::printf("blank %d: %s  (%s; the answer is %s)\n", b + 1, verdict, Utf8(slot.text).c_str(),
                Utf8(s.fill().items()[std::size_t(b)]).c_str());
  }
  const bool done = s.currentQuestion()->done;
  std::printf("%s\n", done ? "done" : "not done");
  return done ? 0 : 1;
}

}  // namespace kncourse
