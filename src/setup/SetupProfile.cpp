#include "setup/SetupProfile.h"

#include <QtCore/QSettings>

namespace {
constexpr const char* kShowDialogKey = "Config/Show_Dialog";
}

SetupProfile::SetupProfile()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Kestrelon", "Setup")) {}

SetupProfile::~SetupProfile() = default;

int SetupProfile::showDialog() const {
  m_settings->sync();  // another copy of the launcher may have changed it
  bool ok = false;
  const int value = m_settings->value(kShowDialogKey).toInt(&ok);
  return ok ? value : 1;
}

void SetupProfile::setShowDialog(int value) {
  m_settings->setValue(kShowDialogKey, value);
  m_settings->sync();
}

int SetupProfile::toggleShowDialog() {
  const int value = showDialog() ? 0 : 1;
  setShowDialog(value);
  return value;
}
