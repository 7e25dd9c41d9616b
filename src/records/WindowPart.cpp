#include "records/WindowPart.h"

#include <algorithm>

#include "course/CommandIds.h"
#include "course/Preferences.h"

void RestoreWindowPart(const std::vector<WindowRecord>& records, Preferences& preferences,
                       const WindowRestoreActions& a) {
  if (a.hideFloatingBars) a.hideFloatingBars();
  std::vector<int> opened;
  // No more windows than the placement table can remember: a file asking for more is
  // not one the program wrote.
  const std::size_t count = std::min<std::size_t>(records.size(), Preferences::kWindowSlots);
  for (std::size_t i = 0; i < count; ++i) {
    const WindowRecord& r = records[i];
    if (r.kind > 0) preferences.RememberRect(r.kind, r.rect);
    int window = 0;
    if (r.kind == kWindowIgnored || r.kind < 0) {
      continue;
    } else if (r.kind == kWindowLessonBook) {
      ActivityLocator page = r.locator;
      page.activity = -1;
      if (a.openLessonBook) window = a.openLessonBook(page);
    } else if (r.kind >= kWindowFirstBar && r.kind <= kWindowLastBar) {
      if (a.floatBar) window = a.floatBar(r.kind, r.rect.left, r.rect.top);
    } else if (r.kind == kWindowAssistant || r.kind == kWindowDatasets) {
      if (a.sendCommand) window = a.sendCommand(r.kind == kWindowAssistant ? cmd::kAssistant : cmd::kListDatasets);
    } else if (a.launch) {
      window = a.launch(r.locator);
    }
    if (!window) continue;  // could not be opened: skipped
    if (a.activate) a.activate(window);
    opened.push_back(window);
  }
  if (a.toFront)
    for (auto it = opened.rbegin(); it != opened.rend(); ++it) a.toFront(*it);
}

std::vector<WindowRecord> CollectWindowPart(const std::vector<OpenWindow>& windows, const std::vector<OpenWindow>& bars,
                                            Preferences& preferences) {
  std::vector<WindowRecord> records;
  const auto take = [&](const OpenWindow& w, const ActivityLocator& locator) {
    preferences.RememberRect(w.kind, w.rect);
    // A full placement table keeps no rectangle for a new key: the window's own then.
    const CourseRect rect = preferences.LookupRect(w.kind).value_or(w.rect);
    records.push_back({static_cast<std::int16_t>(w.kind), rect, locator});
  };
  for (const OpenWindow& w : windows)
    if (w.kind != 0) take(w, w.locator);
  for (const OpenWindow& b : bars)
    if (b.kind != 0 && b.visible && b.floating) take(b, EmptyWindowLocator());
  return records;
}
