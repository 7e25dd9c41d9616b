// Test main: isolates the program from the user's files, then runs GoogleTest.
// The GUI variant creates the application object on the offscreen platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#ifdef KN_TEST_GUI
#include <QtWidgets/QApplication>
#else
#include <QtGui/QGuiApplication>
#endif

namespace kntest {
void SetTempRoot(const std::filesystem::path& root);
}

int main(int argc, char** argv) {
  char pattern[] = "/tmp/kntest-XXXXXX";
  const char* made = mkdtemp(pattern);  // mode 0700, as XDG_RUNTIME_DIR requires
  if (!made) return 2;
  const std::filesystem::path root = made;
  for (const char* sub : {"home", "config", "data", "cache", "runtime"})
    std::filesystem::create_directories(root / sub);
  std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
  setenv("HOME", (root / "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  kntest::SetTempRoot(root / "work");

  testing::InitGoogleTest(&argc, argv);
#ifdef KN_TEST_GUI
  QApplication app(argc, argv);
#else
  QGuiApplication app(argc, argv);
#endif
  const int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
  return rc;
}
