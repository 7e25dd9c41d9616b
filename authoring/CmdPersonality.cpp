// kncourse personality: what the player reads from a personality file.
#include <cstdio>
#include <iostream>

#include "Kncourse.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/ResourceContainer.h"

namespace {

using kncourse::Args;

const char* TypeName(PersonalityType t) {
  switch (t) {
    case PersonalityType::String: return "string";
    case PersonalityType::Boolean: return "boolean";
    case PersonalityType::Integer: return "integer";
    case PersonalityType::Colour: return "colour";
  }
  return "?";
}

std::string Resolved(const CoursePersonality& p, const PersonalityKey& key) {
  const std::string raw = kncourse::Show(p.GetString(key.id));
  std::string value;
  switch (key.type) {
    case PersonalityType::String: return "\"" + raw + "\"";
    case PersonalityType::Boolean: value = p.GetBool(key.id, key.fallback != 0) ? "true" : "false"; break;
    case PersonalityType::Integer: value = std::to_string(p.GetInt(key.id, key.fallback)); break;
    case PersonalityType::Colour: value = p.GetColor(key.id).name().toStdString(); break;
  }
  if (p.FromFile(key.id)) value += "  (\"" + raw + "\")";
  return value;
}

}  // namespace

namespace kncourse {

int PersonalityShow(Args args) {
  if (args.size() != 1) kncourse::BadUsage("personality takes one FILE");
  NoticeRecorder quiet;  // the player's message box; the reason is reported below instead
  const CoursePersonality p{std::filesystem::path(args[0])};
  if (p.loadState() == CoursePersonality::LoadState::Missing) return kncourse::Fail("cannot open " + args[0]);
  if (p.loadState() == CoursePersonality::LoadState::Damaged)
    return kncourse::Fail("the player cannot load this personality file: " + p.loadError());

  std::printf("%-5s %-20s %-8s %-8s %s\n", "id", "key", "type", "from", "value");
  for (const PersonalityKey& key : PersonalityKeys())
    std::printf("%-5d %-20s %-8s %-8s %s\n", key.id, key.name, TypeName(key.type),
                p.FromFile(key.id) ? "file" : "default", Resolved(p, key).c_str());

  std::printf("\npictures:\n");
  for (const char* name : {kSplashScreenPicture, kAboutScreenPicture, kExploreIconPicture}) {
    if (!p.HasEntry(kEntryPicture, name)) {
      std::printf("  %-14s none (built-in picture)\n", name);
      continue;
    }
    const auto data = p.ReadEntry(kEntryPicture, name);
    std::printf("  %-14s %s\n", name,
                data ? (std::to_string(data->size()) + " bytes").c_str() : "present but unreadable");
  }
  return 0;
}

}  // namespace kncourse
