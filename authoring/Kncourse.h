// kncourse: the course authors' command. Each command group ("container", "stats",
// ...) lives in its own Cmd*.cpp and registers itself with KN_COMMAND; main()
// dispatches on the first argument.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kncourse {

using Args = std::vector<std::string>;
// Returns the process exit status: 0 success, 1 "not found"/check failures, 2 usage or file errors.
using CommandFn = std::function<int(const Args& args)>;

struct Command {
  std::string name;
  std::string summary;  // one line for the overview
  CommandFn run;
};

struct Registrar {
  Registrar(std::string name, std::string summary, CommandFn run);
};

const std::vector<Command>& Commands();

// Usage error: prints "kncourse: message" and the usage text to stderr, returns 2.
int UsageError(std::string_view message, std::string_view usage);
// Reports an error to stderr and returns 2.
int Fail(std::string_view message);

bool WantsHelp(const Args& args);  // any of --help / -h

// Writes bytes to the file at path (replacing it): 0, or the error status with
// "cannot write PATH" reported.
int WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes);

// Removes "--name VALUE" (or "--name=VALUE") from args; none when absent.
std::optional<std::string> TakeOption(Args& args, std::string_view name);
// Removes a "--name" switch; whether it was there.
bool TakeSwitch(Args& args, std::string_view name);

// Course bytes (Windows-1252) shown on a UTF-8 terminal.
std::string Show(std::string_view courseBytes);

}  // namespace kncourse

#define KN_COMMAND_CONCAT2(a, b) a##b
#define KN_COMMAND_CONCAT(a, b) KN_COMMAND_CONCAT2(a, b)
#define KN_COMMAND(name, summary, fn) \
  static ::kncourse::Registrar KN_COMMAND_CONCAT(kn_command_, __LINE__)(name, summary, fn)
