// personal.knp beside the course folder: the keyed strings the player reads from it
// (values it would read differently from what the author wrote) and its pictures.
#include <array>
#include <filesystem>

#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/AsciiCase.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"

namespace kncheck {
namespace {

constexpr const char* kFile = "../personal.knp";
// Longer values are ignored in favour of the built-in default.
constexpr std::size_t kMaxValue = 260;

constexpr std::array kBooleans = {"Help Guide", "QuickTime", "Goal Icon", "TOC Icons", "Index Icons", "Dog Ear",
                                  "Page Number", "Homework", "Projects", "Disable Sounds", "Shrink Explanation"};
constexpr std::array kIntegers = {"Lesson Base", "Custom Bookmark", "Page Format"};
constexpr std::array kPictures = {"Splash Screen", "About Screen", "Explore Icon", "Incomplete Icon", "Checkmark Icon",
                                  "Support Picture", "Credits Picture"};

bool IsDecimal(std::string_view v) {
  std::size_t i = (!v.empty() && (v[0] == '-' || v[0] == '+')) ? 1 : 0;
  if (i >= v.size()) return false;
  for (; i < v.size(); ++i)
    if (v[i] < '0' || v[i] > '9') return false;
  return true;
}

bool IsColour(std::string_view v) {
  if (v.size() == 7 && v[0] == '#')
    return std::all_of(v.begin() + 1, v.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
  return IsDecimal(v);
}

void CheckPersonality(CourseCheck& check) {
  // "course", "course/" and "course/." all name the course folder.
  auto courseFolder = std::filesystem::absolute(check.folder()).lexically_normal();
  if (!courseFolder.has_filename()) courseFolder = courseFolder.parent_path();
  const auto programFolder = courseFolder.parent_path();
  const auto path = ResolveCoursePath(programFolder.empty() ? "." : programFolder, "personal.knp");
  if (!path || !std::filesystem::is_regular_file(*path)) {
    check.Report(kFile, 0, "there is no personal.knp beside the course folder: the player runs with its built-in "
                           "names, pictures and switches");
    return;
  }
  ResourceContainer personality;
  try {
    personality = ResourceContainer::Open(*path);
  } catch (const CourseFileError& e) {
    check.Report(kFile, 0, std::string("the player shows \"Cannot load personality file\": ") + e.what());
    return;
  }
  auto value = [&](const char* key) -> std::optional<std::string> {
    const ContainerEntry* e = personality.FindEntry(key, kEntryText);
    if (!e) return std::nullopt;
    if (e->length >= kMaxValue) {
      check.Report(kFile, 0, std::string("\"") + key + "\" is " + std::to_string(e->length) +
                                 " bytes long: values of 260 bytes or more are ignored");
      return std::nullopt;
    }
    auto bytes = personality.ReadEntry(*e);
    std::string text(bytes.begin(), bytes.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
  };
  for (const ContainerEntry& e : personality.directory().entries())
    if (e.type == kEntryText) value(e.name.c_str());  // reports over-long values of any key

  for (const char* key : kBooleans) {
    const auto v = value(key);
    if (!v || v->empty()) continue;
    const std::string lower = ToAsciiLower(*v);
    if (lower != "true" && lower != "1" && lower != "false" && lower != "0")
      check.Report(kFile, 0, std::string("\"") + key + "\" is \"" + *v + "\", which reads as false (write true or false)");
  }
  for (const char* key : kIntegers) {
    const auto v = value(key);
    if (v && !v->empty() && !IsDecimal(*v))
      check.Report(kFile, 0, std::string("\"") + key + "\" is \"" + *v + "\", which is not a decimal number");
  }
  if (const auto base = value("Lesson Base"); base && IsDecimal(*base)) check.lessonBase = std::stoi(*base);
  if (const auto link = value("Link Color"); link && !link->empty() && !IsColour(*link))
    check.Report(kFile, 0, "\"Link Color\" is \"" + *link + "\": write # and six hexadecimal digits");

  // Course files the personality names.
  if (const auto movie = value("Splash Movie"); movie && !movie->empty() && !check.Find(*movie))
    check.Report(kFile, 0, "\"Splash Movie\" names " + CourseCheck::Display(*movie) +
                               ", which is not in the course folder: the Welcome window reports a missing disc");
  for (const char* key : {"Explore Docs", "Explore Tutor"}) {
    const auto v = value(key);
    if (!v || v->empty()) continue;
    // ":rf:Tutorial.ise" is looked up as rf\Tutorial.ise.
    std::string name = (*v)[0] == ':' ? v->substr(1) : *v;
    std::replace(name.begin(), name.end(), ':', '\\');
    if (!check.Find(name))
      check.Report(kFile, 0, std::string("\"") + key + "\" names " + CourseCheck::Display(name) + ", which is missing");
  }

  for (const char* name : kPictures) {
    const ContainerEntry* e = personality.FindEntry(name, kEntryPicture);
    if (!e) continue;
    const std::string why = PictureDataProblem(personality.ReadEntry(*e));
    if (!why.empty()) check.Report(kFile, 0, std::string("picture \"") + name + "\" is " + why);
  }
}

}  // namespace

KN_COURSE_CHECK(10, "personality", CheckPersonality);

}  // namespace kncheck
