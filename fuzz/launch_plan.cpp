// What the launcher makes of course data: a contents file and a locator taken from the
// input (as bookmarks and marker files deliver them). The plan's path ends in its file,
// its extension is the file's, the error text keeps its limit, and the program sniffing
// of a file's start never reads past it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "course/ContentsTable.h"
#include "launch/LaunchPlan.h"
#include "launch/LaunchTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Four bytes of locator (lesson, page, activity, kind), a file name up to the first
  // NUL, then the contents text.
  ActivityLocator r(static_cast<std::int8_t>(data[0]), static_cast<std::int8_t>(data[1]),
                    static_cast<std::int8_t>(data[2]));
  r.kind = data[3];
  std::string_view rest = bytes.substr(4);
  const std::size_t nul = rest.find('\0');
  if (nul != std::string_view::npos) {
    r.file = std::string(rest.substr(0, nul));
    rest.remove_prefix(nul + 1);
  }
  ContentsTable contents;
  contents.Load(rest, 1, 0, nullptr);
  const LaunchPlan plan = PlanLaunch(r, &contents);
  if (plan.fileName.empty() && plan.route.handler != LaunchHandler::None) std::abort();
  if (plan.extension != LaunchExtension(plan.fileName)) std::abort();
  if (!plan.relativePath.ends_with(plan.fileName)) std::abort();
  if (LaunchErrorText(std::string(bytes)).size() > 259) std::abort();
  (void)ProgramKindOfStart(bytes);
  (void)ApplicationName(plan.fileName, "Explore");
  return 0;
}
