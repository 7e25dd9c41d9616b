// kncourse progress / bookmarks: what a student progress file or a bookmark file holds.
#include <cstdio>
#include <iostream>

#include "Kncourse.h"
#include "course/ContentsTable.h"
#include "course/CourseFileError.h"
#include "records/BookmarkFile.h"
#include "records/BookmarkList.h"
#include "records/FileBytes.h"
#include "records/LocatorCodec.h"
#include "records/ProgressFile.h"

namespace {

using kncourse::Args;

std::string Text(const std::optional<std::string>& s) {
  return s ? "\"" + kncourse::Show(*s) + "\"" : std::string("-");
}

std::string Place(int lesson, int page, int activity) {
  return std::to_string(lesson) + " " + std::to_string(page) + " " + std::to_string(activity);
}

void PrintLocator(const ActivityLocator& l, const ContentsTable* contents) {
  std::printf("place %-10s mark %-3d kind %-2d file %s  source %s", Place(l.lesson, l.page, l.activity).c_str(), l.mark,
              l.kind, Text(l.file).c_str(), Text(l.source).c_str());
  if (contents) std::printf("\n        shown as \"%s\"", kncourse::Show(BookmarkText(l, *contents)).c_str());
  std::printf("\n");
}

// Loads the --contents file; false (after a message) when it cannot be read.
bool LoadContents(Args& a, std::optional<ContentsTable>& contents, int& status) {
  const auto path = kncourse::TakeOption(a, "contents");
  if (!path) return true;
  try {
    const auto bytes = ReadWholeFile(*path, 16u << 20);
    contents.emplace();
    contents->Load(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), 1, 0, nullptr);
    return true;
  } catch (const CourseFileError& e) {
    status = kncourse::Fail(e.what());
    return false;
  }
}

std::string FailureText(const CourseFileError& e) {
  std::string text = e.path() + ": " + e.reason();
  if (e.offset() >= 0) text += " at byte " + std::to_string(e.offset());
  return text;
}

}  // namespace

namespace kncourse {

int ProgressShow(Args a) {
  std::optional<ContentsTable> contents;
  int status = 0;
  if (!LoadContents(a, contents, status)) return status;
  if (a.size() != 1) kncourse::BadUsage("progress takes one FILE");

  ProgressData d;
  try {
    ProgressReadOptions o;
    o.label = a[0];
    d = ReadProgressFile(ReadWholeFile(a[0], kMaxProgressFileBytes), o);  // every mark kept, to show them all
  } catch (const CourseFileError& e) {
    return kncourse::Fail("the player cannot open this progress file: " + FailureText(e));
  }

  std::printf("name:        \"%s\"\n", kncourse::Show(d.learner.name()).c_str());
  std::printf("completed:   %zu\n", d.learner.completions().size());
  for (const CompletionMark& m : d.learner.completions()) {
    std::printf("  %s", Place(m.lesson, m.page, m.activity).c_str());
    if (contents) {
      if (!ActivityExists(m.lesson, m.page, m.activity, *contents))
        std::printf("  dropped");
      else
        std::printf("  \"%s\"",
                    kncourse::Show(BookmarkText(ActivityLocator(m.lesson, m.page, m.activity), *contents)).c_str());
    }
    std::printf("\n");
  }
  std::printf("bookmarks:   %d\n", d.learner.bookmarkCount());
  for (int i = 0; i < d.learner.bookmarkCount(); ++i) {
    std::printf("  %3d ", i);
    PrintLocator(d.learner.bookmarks()[static_cast<std::size_t>(i)], contents ? &*contents : nullptr);
  }

  const Preferences& p = d.preferences;
  std::printf("preferences:\n");
  std::printf(
      "  flags       %d %d %d %d %d %d %d %d %d %d  (flag0 DisableSounds NeverAdjust HideTime flag4 "
      "ExpoSource ShowTips flag7 flag8 TextToSpeech)\n",
      p.flag0, p.disableSounds, p.neverAdjust, p.hideTime, p.flag4, p.expoSource, p.showTips, p.flag7, p.flag8,
      p.textToSpeech);
  std::printf("  FontSize %d  BundledText %d  PageFormat %d  Asterisks 0x%04X\n", p.fontSize, p.bundledText,
              p.pageFormat, p.asterisks);
  std::printf("  teacher folder %s\n", d.teacherFolder.empty() ? "-" : ("\"" + kncourse::Show(d.teacherFolder) + "\"").c_str());
  std::printf("  window entries taken from the file:\n");
  for (int i = 0; i < p.UsedWindowEntries(); ++i) {
    const auto& e = p.windowTable()[static_cast<std::size_t>(i)];
    std::printf("    key %-5d top %d left %d bottom %d right %d\n", e.key, e.rect.top, e.rect.left, e.rect.bottom,
                e.rect.right);
  }
  std::printf("windows:     %zu\n", d.windows.size());
  for (const WindowRecord& w : d.windows) {
    std::printf("  kind %-5d top %d left %d bottom %d right %d\n        ", w.kind, w.rect.top, w.rect.left,
                w.rect.bottom, w.rect.right);
    PrintLocator(w.locator, contents ? &*contents : nullptr);
  }
  return 0;
}

int BookmarksShow(Args a) {
  std::optional<ContentsTable> contents;
  int status = 0;
  if (!LoadContents(a, contents, status)) return status;
  if (a.size() != 1) kncourse::BadUsage("bookmarks takes one FILE");
  std::vector<ActivityLocator> list;
  try {
    list = LoadBookmarkFile(a[0]);
  } catch (const CourseFileError& e) {
    return kncourse::Fail("the player cannot load this bookmark file: " + FailureText(e));
  }
  std::printf("bookmarks:   %zu\n", list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::printf("  %3zu ", i);
    PrintLocator(list[i], contents ? &*contents : nullptr);
  }
  return 0;
}

}  // namespace kncourse
