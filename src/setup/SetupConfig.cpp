#include "setup/SetupConfig.h"

#include <string_view>

#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

namespace {

std::optional<SetupConfig> Load(ResourceContainer container, const std::function<void()>& quickTimeCheck) {
  using namespace setup_limits;
  const ContainerDirectory& d = container.directory();
  if (d.fileSize() - d.textOffset() > kMaxSettingsBytes) return std::nullopt;
  SetupConfig config;
  if (const ContainerEntry* e = container.FindEntry("Splash", kEntryPicture)) {
    if (e->length > kMaxSplashBytes) return std::nullopt;
    config.splash = container.ReadEntry(*e);
  }
  const std::vector<std::uint8_t> text = container.ReadTextSection();
  config.settings = ParseSetupSettings(
      std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), quickTimeCheck);
  return config;
}

}  // namespace

std::optional<SetupConfig> LoadSetupConfig(const std::filesystem::path& file,
                                           const std::function<void()>& quickTimeCheck) {
  try {
    return Load(ResourceContainer::Open(file), quickTimeCheck);
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
}

std::optional<SetupConfig> LoadSetupConfigFromBytes(std::vector<std::uint8_t> bytes,
                                                    const std::function<void()>& quickTimeCheck) {
  try {
    return Load(ResourceContainer::FromBytes(std::move(bytes), kSetupConfigName), quickTimeCheck);
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
}
