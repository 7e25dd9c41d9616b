// setup.cfg: a resource container whose text section holds the settings and whose
// directory may hold the picture entry "Splash" (a packed device-independent bitmap).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "setup/SetupSettings.h"

constexpr const char* kSetupConfigName = "setup.cfg";

struct SetupConfig {
  SetupSettings settings;
  std::vector<std::uint8_t> splash;  // the "Splash" entry's bytes; empty when there is none
};

namespace setup_limits {
// A launcher's settings are a few kilobytes and its picture well under a megabyte;
// anything far larger is not a setup file and is refused before it is read.
constexpr std::uint64_t kMaxSettingsBytes = 4u << 20;
constexpr std::uint64_t kMaxSplashBytes = 64u << 20;
}  // namespace setup_limits

// Reads the whole file (shared read lock, so no one writes it meanwhile). None when it
// is missing, unreadable, not a container, or over the limits above: the caller shows
// "Cannot load Setup configuration file". quickTimeCheck runs as ParseSetupSettings says.
std::optional<SetupConfig> LoadSetupConfig(const std::filesystem::path& file,
                                           const std::function<void()>& quickTimeCheck = {});
std::optional<SetupConfig> LoadSetupConfigFromBytes(std::vector<std::uint8_t> bytes,
                                                    const std::function<void()>& quickTimeCheck = {});
