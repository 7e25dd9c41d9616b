// The overview, each command's usage and the dispatch come from one table; these run the
// built kncourse over every command the overview lists, so a row added without its usage or
// handler shows up here.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "KncourseRunner.h"

using kntest::RunKncourse;

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The command names of the overview's "Commands:" section, in its order.
std::vector<std::string> ListedCommands() {
  const auto r = RunKncourse({"--help"});
  EXPECT_EQ(r.status, 0);
  std::istringstream in(r.out);
  std::vector<std::string> names;
  std::string line;
  bool inList = false;
  while (std::getline(in, line)) {
    if (line == "Commands:") {
      inList = true;
    } else if (inList && StartsWith(line, "  ")) {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    } else if (inList) {
      break;
    }
  }
  return names;
}

TEST(CommandTable, OverviewListsEveryCommandOnceInOrder) {
  const auto names = ListedCommands();
  const std::vector<std::string> expected = {"audio",    "bookmarks", "check",       "container", "contents",
                                             "equation", "expo",      "glossary",    "index",     "launch",
                                             "markup",   "movie",     "personality", "picture",   "progress",
                                             "resolve",  "script",    "stats",       "search",    "exercise"};
  EXPECT_EQ(names, expected);

  const auto bare = RunKncourse({});
  EXPECT_EQ(bare.status, 2);
  EXPECT_TRUE(bare.out.empty());
  EXPECT_NE(bare.err.find("Commands:"), std::string::npos);

  const auto unknown = RunKncourse({"frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(StartsWith(unknown.err, "kncourse: unknown command 'frobnicate'\n")) << unknown.err;
}

TEST(CommandTable, EveryCommandHasUsageForHelpAndForNoArguments) {
  for (const auto& name : ListedCommands()) {
    const auto help = RunKncourse({name, "--help"});
    EXPECT_EQ(help.status, 0) << name;
    EXPECT_TRUE(StartsWith(help.out, "Usage:\n  kncourse " + name + " ")) << name << ":\n" << help.out;
    EXPECT_TRUE(help.err.empty()) << name << ": " << help.err;

    // Without arguments the usage goes to stderr: nothing was done.
    const auto bare = RunKncourse({name});
    EXPECT_EQ(bare.status, 2) << name;
    EXPECT_TRUE(bare.out.empty()) << name << ": " << bare.out;
    EXPECT_EQ(bare.err, help.out) << name;
  }
}

TEST(CommandTable, SubcommandHelpShowsThatSubcommandAndTheNotes) {
  const auto r = RunKncourse({"markup", "render", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(StartsWith(r.out, "Usage:\n  kncourse markup render FILE OUT.png [--container]")) << r.out;
  EXPECT_EQ(r.out.find("markup strip"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("--container: FILE is a resource container"), std::string::npos) << r.out;

  // A command without subcommands shows every form of its usage line.
  const auto picture = RunKncourse({"picture", "x.bmp", "--help"});
  EXPECT_NE(picture.out.find("  kncourse picture FILE|CONTAINER:NAME OUT.png [options]\n"), std::string::npos);
  EXPECT_NE(picture.out.find("  kncourse picture FILE|CONTAINER:NAME --info\n      Kind, size"), std::string::npos);
}

TEST(CommandTable, UsageErrorsNameTheProblemThenTheCommandsUsage) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
    std::string usageStart;
  };
  const std::vector<Case> cases = {
      {{"container", "frobnicate"}, "unknown container command 'frobnicate'", "  kncourse container list FILE\n"},
      {{"audio", "info"}, "audio info takes one FILE", "  kncourse audio info FILE\n"},
      {{"launch", "root", "id"}, "only --dry-run is supported", "  kncourse launch --dry-run ROOT ID\n"},
      {{"stats", "NormalCdf"}, "NormalCdf takes Z", "  kncourse stats FUNCTION ARG...\n"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_TRUE(r.out.empty()) << c.message;
    EXPECT_EQ(r.err.substr(0, r.err.find("Usage:\n") + 7), "kncourse: " + c.message + "\n\nUsage:\n") << r.err;
    EXPECT_NE(r.err.find("Usage:\n" + c.usageStart), std::string::npos) << r.err;
  }
}

}  // namespace
