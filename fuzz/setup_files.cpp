// The disc launcher's other outside data: setup.cfg as a whole (container, settings and
// its "Splash" bitmap), a packed bitmap on its own, and installed .desktop entries.
#include <QtGui/QImage>
#include <cstdint>
#include <span>
#include <string_view>

#include "setup/DesktopPrograms.h"
#include "setup/PackedDib.h"
#include "setup/SetupConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (auto config = LoadSetupConfigFromBytes({data, data + size}))
    if (!config->splash.empty()) (void)DecodePackedDib(config->splash);
  const QImage image = DecodePackedDib(bytes);
  if (!image.isNull() && (image.width() > setup_limits::kMaxDibSide || image.height() > setup_limits::kMaxDibSide))
    __builtin_trap();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (auto entry = ParseDesktopEntry(text)) (void)DesktopExecProgram(entry->exec);
  (void)DesktopExecProgram(text);
  return 0;
}
