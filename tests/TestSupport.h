// Helpers shared by the test programs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kntest {

// The source tree (for fixtures under <folder>/tests/data and sample-course/).
std::filesystem::path SourceDir();

// A fresh empty folder under this test program's private temporary root; removed at exit.
std::filesystem::path MakeTempDir(const std::string& hint = "t");

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);

}  // namespace kntest
