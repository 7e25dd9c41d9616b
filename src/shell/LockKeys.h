// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status bar. Read from
// the keyboard lights the kernel exposes (/sys/class/leds/<device>::capslock and its
// companions), which every desktop and the console keep in step with the keys. A key
// whose light no keyboard reports is unknown.
#pragma once

#include <filesystem>
#include <optional>

struct LockKeyStates {
  std::optional<bool> caps;
  std::optional<bool> num;
  std::optional<bool> scroll;
};

// ledsFolder: the kernel's folder of lights (a test passes its own). A key is on when any
// keyboard's light for it is lit.
LockKeyStates ReadLockKeys(const std::filesystem::path& ledsFolder = "/sys/class/leds");
