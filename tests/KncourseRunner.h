// Runs the built kncourse for command-line tests.
#pragma once

#include <string>
#include <vector>

namespace kntest {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs build/bin/kncourse with args (no shell involved).
CommandResult RunKncourse(const std::vector<std::string>& args);

}  // namespace kntest
