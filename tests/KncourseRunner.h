// Runs the built programs (kncourse, kestrelon) for command-line tests.
#pragma once

#include <string>
#include <vector>

namespace kntest {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs build/bin/<program> with args (no shell involved), waiting at most timeoutMs.
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs = 120000);

// Runs build/bin/kncourse with args.
CommandResult RunKncourse(const std::vector<std::string>& args);

}  // namespace kntest
