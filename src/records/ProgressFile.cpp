#include "records/ProgressFile.h"

#include <algorithm>

#include "course/CourseStream.h"
#include "records/LocatorCodec.h"

ActivityLocator EmptyWindowLocator() {
  ActivityLocator l(-1, -1, -1);
  l.mark = 0;
  return l;
}

ProgressData ReadProgressFile(std::span<const std::uint8_t> bytes, const ProgressReadOptions& options) {
  CourseStream s(bytes, options.label);
  ProgressData data;
  data.learner.Serialize(s, options.contents);
  if (options.skipSettings) return data;

  if (options.basePreferences) data.preferences = *options.basePreferences;
  data.preferences.Serialize(s, &data.teacherFolder);
  const int w = s.ReadU16("window count");
  // No course shows anywhere near this many windows; a larger count is damage, and
  // honouring it would open window after window.
  if (w > StudentRecord::kMaxStoredCount) s.Fail("bad index: " + std::to_string(w) + " window records (at most 999)");
  data.windows.reserve(static_cast<std::size_t>(w));
  for (int i = 0; i < w; ++i) {
    WindowRecord r;
    r.kind = s.ReadI16("window kind");
    r.rect = s.ReadRect("window rectangle");
    r.locator = ReadLocator(s);
    data.windows.push_back(std::move(r));
  }
  data.hasSettings = true;
  return data;
}

std::vector<std::uint8_t> WriteProgressFile(const StudentRecord& learner, const Preferences& preferences,
                                            const std::vector<WindowRecord>& windows) {
  CourseStream s;
  learner.Store(s);
  Preferences block = preferences;  // Serialize is one function for both directions
  block.Serialize(s);
  const std::size_t w = std::min<std::size_t>(windows.size(), StudentRecord::kMaxStoredCount);
  s.WriteU16(static_cast<std::uint16_t>(w));
  for (std::size_t i = 0; i < w; ++i) {
    s.WriteI16(windows[i].kind);
    s.WriteRect(windows[i].rect);
    WriteLocator(s, windows[i].locator);
  }
  return s.TakeData();
}
