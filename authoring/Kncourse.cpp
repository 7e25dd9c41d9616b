#include "Kncourse.h"

#include <algorithm>
#include <fstream>
#include <iostream>

#include "course/CourseText.h"

namespace kncourse {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

Registrar::Registrar(std::string name, std::string summary, CommandFn run) {
  Registry().push_back({std::move(name), std::move(summary), std::move(run)});
}

const std::vector<Command>& Commands() {
  auto& r = Registry();
  std::sort(r.begin(), r.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
  return r;
}

int UsageError(std::string_view message, std::string_view usage) {
  std::cerr << "kncourse: " << message << "\n\n" << usage;
  if (!usage.empty() && usage.back() != '\n') std::cerr << '\n';
  return 2;
}

int Fail(std::string_view message) {
  std::cerr << "kncourse: " << message << '\n';
  return 2;
}

int WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) return Fail("cannot write " + path);
  return 0;
}

bool WantsHelp(const Args& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

std::optional<std::string> TakeOption(Args& args, std::string_view name) {
  const std::string flag = "--" + std::string(name);
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it == flag && it + 1 != args.end()) {
      std::string value = *(it + 1);
      args.erase(it, it + 2);
      return value;
    }
    if (it->rfind(flag + "=", 0) == 0) {
      std::string value = it->substr(flag.size() + 1);
      args.erase(it);
      return value;
    }
  }
  return std::nullopt;
}

bool TakeSwitch(Args& args, std::string_view name) {
  const std::string flag = "--" + std::string(name);
  auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

std::string Show(std::string_view courseBytes) { return CourseToUtf8(courseBytes); }

}  // namespace kncourse

namespace {
void Overview(std::ostream& out) {
  out << "Usage: kncourse COMMAND [ARGS...]\n"
         "The course authors' command: pack, inspect and check course files.\n\nCommands:\n";
  for (const auto& c : kncourse::Commands()) out << "  " << c.name << std::string(14 - std::min<std::size_t>(13, c.name.size()), ' ') << c.summary << '\n';
  out << "\nRun 'kncourse COMMAND --help' for a command's usage.\n";
}
}  // namespace

int main(int argc, char** argv) {
  kncourse::Args args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    Overview(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "--version") {
    std::cout << "kncourse " << KN_VERSION << '\n';
    return 0;
  }
  for (const auto& c : kncourse::Commands()) {
    if (c.name == args[0]) {
      kncourse::Args rest(args.begin() + 1, args.end());
      try {
        return c.run(rest);
      } catch (const std::exception& e) {
        return kncourse::Fail(e.what());
      }
    }
  }
  std::cerr << "kncourse: unknown command '" << args[0] << "'\n\n";
  Overview(std::cerr);
  return 2;
}
