// The disc launcher's settings text: every line rule, key and value parser.
#include <cstdint>
#include <string_view>

#include "setup/SetupSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int checks = 0;
  const SetupSettings s = ParseSetupSettings(text, [&] { ++checks; });
  if (s.buttons.size() > setup_limits::kMaxButtons) __builtin_trap();
  for (const auto& b : s.buttons) {
    if (b.label.size() > setup_limits::kFieldLimit || b.target.size() > setup_limits::kFieldLimit) __builtin_trap();
    (void)SetupFunctionName(b.function);
  }
  if (s.clientWidth < setup_limits::kMinWindowWidth || s.clientHeight < setup_limits::kMinWindowHeight) __builtin_trap();
  (void)ParseSetupPair(text);
  (void)ParseSetupColor(text);
  (void)ParseSetupFlag(text);
  return 0;
}
