#include "TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kntest {

namespace {
std::filesystem::path g_root;
std::atomic<int> g_counter{0};
}  // namespace

void SetTempRoot(const std::filesystem::path& root) { g_root = root; }

std::filesystem::path SourceDir() {
  if (const char* env = std::getenv("KN_SOURCE_DIR"); env && *env) return env;
  return KN_SOURCE_DIR_DEFAULT;
}

std::filesystem::path MakeTempDir(const std::string& hint) {
  auto dir = g_root / (hint + "-" + std::to_string(++g_counter));
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteFileText(const std::filesystem::path& path, const std::string& text) {
  WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace kntest
