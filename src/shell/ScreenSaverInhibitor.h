// Keeps the desktop's screen saver from starting while the program runs, so that a
// narrated exposition or a movie is not blanked out. Asks the session's screen saver
// service (org.freedesktop.ScreenSaver) to hold off, and lets go when destroyed. Without
// a session bus or such a service nothing happens.
#pragma once

#include <cstdint>

class CScreenSaverInhibitor {
 public:
  explicit CScreenSaverInhibitor(const char* reason);
  ~CScreenSaverInhibitor();
  CScreenSaverInhibitor(const CScreenSaverInhibitor&) = delete;
  CScreenSaverInhibitor& operator=(const CScreenSaverInhibitor&) = delete;

  bool active() const { return m_cookie != 0; }

 private:
  std::uint32_t m_cookie = 0;
};
