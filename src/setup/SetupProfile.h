// The launcher's own settings file: ~/.config/Kestrelon/Setup.ini (the XDG config
// folder), section "Config". Its one value, "Show_Dialog", says whether an automatic
// start shows the window (non-zero, the default) or only opens the program's folder.
#pragma once

#include <memory>

class QSettings;

class SetupProfile {
 public:
  SetupProfile();
  ~SetupProfile();
  SetupProfile(const SetupProfile&) = delete;
  SetupProfile& operator=(const SetupProfile&) = delete;

  // The stored integer; 1 when the value is missing or not a number.
  int showDialog() const;
  void setShowDialog(int value);
  // Non-zero becomes 0 and 0 becomes 1; the new value is written at once and returned.
  int toggleShowDialog();

 private:
  std::unique_ptr<QSettings> m_settings;
};
