#include "Kncourse.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "course/CourseText.h"

namespace kncourse {

namespace {

// Thrown by BadUsage and reported by Dispatch with the usage of the command being run. Not a
// std::exception, so that a handler's own catch of library errors does not swallow it.
struct UsageFault {
  std::string message;
};

bool Runnable(const Subcommand& s) { return s.run != nullptr; }
bool TakesArgumentsItself(const Command& c) { return !c.subcommands.empty() && c.subcommands.front().name.empty(); }

void Overview(std::ostream& out) {
  out << "Usage: kncourse COMMAND [ARGS...]\n"
         "The course authors' command: pack, inspect and check course files.\n\nCommands:\n";
  for (const auto& c : Commands())
    out << "  " << c.name << std::string(14 - std::min<std::size_t>(13, c.name.size()), ' ') << c.summary << '\n';
  out << "\nRun 'kncourse COMMAND --help' for a command's usage.\n";
}

// The command's usage: a line for each row (only the rows of one subcommand when only is
// given), each followed by its explanation, then the command's notes.
std::string UsageText(const Command& c, const Subcommand* only = nullptr) {
  std::ostringstream u;
  u << "Usage:\n";
  bool shown = false;
  for (const Subcommand& s : c.subcommands) {
    // A row without a handler belongs to the row above it.
    if (Runnable(s)) shown = only == nullptr || &s == only;
    if (!shown) continue;
    u << "  kncourse " << c.name;
    if (!s.name.empty()) u << ' ' << s.name;
    if (!s.synopsis.empty()) u << ' ' << s.synopsis;
    u << '\n';
    std::string_view help = s.help;
    while (!help.empty()) {
      const std::size_t end = std::min(help.find('\n'), help.size());
      u << "      " << help.substr(0, end) << '\n';
      help.remove_prefix(std::min(end + 1, help.size()));
    }
  }
  u << c.notes;
  if (c.moreNotes) u << c.moreNotes();
  return u.str();
}

int UsageError(const Command& c, std::string_view message) {
  std::cerr << "kncourse: " << message << "\n\n" << UsageText(c);
  return 2;
}

const Subcommand* FindSubcommand(const Command& c, std::string_view name) {
  for (const Subcommand& s : c.subcommands)
    if (Runnable(s) && s.name == name) return &s;
  return nullptr;
}

int Dispatch(const Command& c, const Args& args) {
  if (args.empty()) {
    std::cerr << UsageText(c);
    return 2;
  }
  const Subcommand* sub = TakesArgumentsItself(c) ? &c.subcommands.front() : FindSubcommand(c, args[0]);
  if (WantsHelp(args)) {
    std::cout << UsageText(c, TakesArgumentsItself(c) ? nullptr : sub);
    return 0;
  }
  if (!sub) return UsageError(c, "unknown " + std::string(c.name) + " command '" + args[0] + "'");
  try {
    return sub->run(TakesArgumentsItself(c) ? args : Args(args.begin() + 1, args.end()));
  } catch (const UsageFault& f) {
    return UsageError(c, f.message);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}

}  // namespace

int Main(const Args& args) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    Overview(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "--version") {
    std::cout << "kncourse " << KN_VERSION << '\n';
    return 0;
  }
  for (const auto& c : Commands())
    if (c.name == args[0]) return Dispatch(c, Args(args.begin() + 1, args.end()));
  std::cerr << "kncourse: unknown command '" << args[0] << "'\n\n";
  Overview(std::cerr);
  return 2;
}

void BadUsage(std::string_view message) { throw UsageFault{std::string(message)}; }

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

int main(int argc, char** argv) { return kncourse::Main(kncourse::Args(argv + 1, argv + argc)); }
