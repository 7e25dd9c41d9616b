// Personality file: the container directory, every key's typed value, pictures, texts,
// placeholder expansion, menu texts and the "Volumes" value.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "course/CourseLocations.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/ResourceContainer.h"
#include "course/ResourceIds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = [] {
    SetNoticeHandler([](const NoticeRequest&) {});
    return true;
  }();
  (void)quiet;
  auto p = CoursePersonality::FromBytes(std::vector<std::uint8_t>(data, data + size), "fuzz.knp");
  for (const PersonalityKey& key : PersonalityKeys()) {
    const std::string value = p->GetString(key.id);
    if (value.size() >= CoursePersonality::kMaxValue) std::abort();  // longer values must give way to the default
    (void)p->FromFile(key.id);
    (void)p->GetBool(key.id, key.fallback != 0);
    (void)p->GetInt(key.id, key.fallback);
    (void)p->GetColor(key.id);
  }
  for (const char* name : {kSplashScreenPicture, kAboutScreenPicture, kExploreIconPicture})
    if (p->HasEntry(kEntryPicture, name) && !p->ReadEntry(kEntryPicture, name) &&
        p->loadState() == CoursePersonality::LoadState::Loaded)
      std::abort();  // the directory was checked against the file: a listed entry must read
  std::string text;
  (void)p->LoadText(txt::kLicense, "License Text", text);
  (void)p->ExpandName("application");
  (void)p->MenuRewrites();
  (void)FindCourseVolume(p->GetString(kKeyVolumes), {{"/nonexistent-kestrelon-disc", "Kestrelon"}});
  return 0;
}
