// Exercise files (.fil): the questions the exercise window builds from the text
// section, blanks and choices within the boxes' limits, answers that no choice can
// fill, pictures the questions name, and line ends that split questions apart.
#include <set>

#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"

namespace kncheck {
namespace {

constexpr unsigned char kOpen = 0xC7, kClose = 0xC8;  // the guillemets that mark an item (Mac OS Roman)
constexpr std::size_t kMaxLine = 1023;
constexpr std::size_t kMaxItems = 40;
constexpr std::size_t kMaxItem = 55;
constexpr std::size_t kMaxDisplay = 1535;

struct Question {
  int line = 0;
  std::string fill, choices;
  bool also = false;
  bool hasFill = false;
};

// The item texts of a box's text; problems with the marks reported.
std::vector<std::string> Items(CourseCheck& check, const std::string& file, int line, const std::string& text,
                               const char* box) {
  std::vector<std::string> items;
  bool open = false;
  std::string current;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == kOpen) {
      if (open) check.Report(file, line, std::string("an item of the ") + box + " opens inside another one");
      open = true;
      current.clear();
    } else if (c == kClose) {
      if (!open) check.Report(file, line, std::string("the ") + box + " closes an item that was not opened");
      else items.push_back(current);
      open = false;
    } else if (open) {
      current += ch;
    }
  }
  if (open) check.Report(file, line, std::string("an item of the ") + box + " is not closed");
  if (text.size() > kMaxDisplay)
    check.Report(file, line, std::string("the ") + box + " text is " + std::to_string(text.size()) + " bytes: the box holds 1535");
  if (items.size() > kMaxItems)
    check.Report(file, line, std::string("the ") + box + " has " + std::to_string(items.size()) + " items: the box holds 40");
  for (const auto& item : items)
    if (item.size() > kMaxItem)
      check.Report(file, line, "the item \"" + item + "\" is longer than 55 characters");
  return items;
}

void CheckQuestion(CourseCheck& check, const std::string& file, const Question& q) {
  const auto blanks = Items(check, file, q.line, q.fill, "fill box");
  if (blanks.empty()) {
    check.Report(file, q.line, "the question has no blank: it can never be answered");
    return;
  }
  std::vector<std::string> choices;
  if (!q.choices.empty() && !q.also) {
    choices = Items(check, file, q.line, q.choices, "choices box");
  } else {
    std::set<std::string> generated(blanks.begin(), blanks.end());
    if (q.also)
      for (auto& c : Items(check, file, q.line, q.choices, "choices box")) generated.insert(c);
    if (generated.size() > kMaxItems)
      check.Report(file, q.line, "the generated choices are " + std::to_string(generated.size()) + ": the box holds 40");
    choices.assign(generated.begin(), generated.end());
  }
  // A blank is right when the dropped text begins with the blank's answer.
  for (const auto& answer : blanks) {
    const bool reachable = std::any_of(choices.begin(), choices.end(),
                                       [&](const std::string& c) { return c.compare(0, answer.size(), answer) == 0; });
    if (!reachable)
      check.Report(file, q.line, "the answer \"" + answer + "\" is not among the choices: the question cannot be answered");
  }
}

void CheckExercise(CourseCheck& check, const std::string& path) {
  auto container = check.OpenContainer(path);
  if (!container) return;
  const std::string file = CourseCheck::Display(path);
  CheckContainerPictures(check, *container, file);
  const auto bytes = container->ReadTextSection();
  const std::string text(bytes.begin(), bytes.end());
  if (text.find("\r\n") != std::string::npos)
    check.Report(file, 0, "CR LF line ends: each ends a line and adds an empty one, so every question ends after its first line");

  static const std::set<std::string> kKeys = {"title", "height", "height_win", "fill", "choices", "also", "hint",
                                               "picture", "font", "sound", "comment", "height_mac"};
  Question q;
  int questions = 0, lineNo = 0;
  bool pendingKeys = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n' && text[end] != '\0') ++end;
    std::string line = text.substr(pos, end - pos);
    ++lineNo;
    const bool atEnd = end >= text.size() || text[end] == '\0';
    if (line.size() > kMaxLine) {
      check.Report(file, lineNo, "the line is " + std::to_string(line.size()) + " bytes: the exercise keeps 1023");
      line.resize(kMaxLine);
    }
    if (line.empty()) {
      if (q.hasFill) {
        CheckQuestion(check, file, q);
        ++questions;
        q = Question{};
        pendingKeys = false;
      }
    } else if (const std::size_t colon = line.find(':'); colon == std::string::npos) {
      check.Report(file, lineNo, "a line without \"key:\" is ignored");
    } else {
      const std::string key = ToAsciiLower(line.substr(0, colon));
      const std::string value = line.substr(colon + 1);
      if (!kKeys.count(key)) check.Report(file, lineNo, "the key \"" + key + "\" is not known and is ignored");
      if (key != "title") pendingKeys = true;
      if (key == "fill") {
        q.fill = value;
        q.hasFill = true;
        q.line = lineNo;
      } else if (key == "choices") {
        q.choices = value;
      } else if (key == "also") {
        q.choices = value;
        q.also = true;
      } else if (key == "picture" && !container->FindEntry(value, kEntryPicture)) {
        check.Report(file, lineNo, "the picture \"" + value + "\" is not in the exercise file: the line is ignored");
      }
    }
    if (atEnd) break;
    pos = end + 1;
  }
  if (q.hasFill) {
    CheckQuestion(check, file, q);
    ++questions;
  } else if (pendingKeys) {
    check.Report(file, lineNo, "keys after the last question, without a fill line, are dropped");
  }
  if (questions == 0) check.Report(file, 0, "the exercise has no question (no fill line)");
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
