#include "shell/LockKeys.h"

#include <fstream>
#include <string>
#include <system_error>

namespace {

void Merge(std::optional<bool>& state, bool lit) { state = state.value_or(false) || lit; }

}  // namespace

LockKeyStates ReadLockKeys(const std::filesystem::path& ledsFolder) {
  LockKeyStates states;
  std::error_code ec;
  std::filesystem::directory_iterator it(ledsFolder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::size_t sep = name.rfind("::");
    if (sep == std::string::npos) continue;
    const std::string function = name.substr(sep + 2);
    std::optional<bool>* target = nullptr;
    if (function == "capslock")
      target = &states.caps;
    else if (function == "numlock")
      target = &states.num;
    else if (function == "scrolllock")
      target = &states.scroll;
    if (!target) continue;
    std::ifstream in(it->path() / "brightness");
    int brightness = 0;
    if (in >> brightness) Merge(*target, brightness > 0);
  }
  return states;
}
