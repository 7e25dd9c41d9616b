// kncourse: the course authors' command. Every command and subcommand is one row of the
// table in CommandTable.cpp: its name, usage line, explanation and handler. The overview
// (--help), each command's usage (COMMAND --help) and the dispatch all read that table,
// so a new subcommand is a row there plus its handler in the group's Cmd*.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QGuiApplication;

namespace kncourse {

using Args = std::vector<std::string>;
// Returns the process exit status: 0 success, 1 "not found"/check failures, 2 usage or file errors.
// The arguments are those after the subcommand's name (after the command's name when it has
// no subcommands); handlers take them apart with TakeOption/TakeSwitch.
using Handler = int (*)(Args args);

struct Subcommand {
  std::string_view name;      // empty: the command takes its arguments itself
  std::string_view synopsis;  // the arguments, as the usage line shows them after the name
  std::string_view help;      // what it does, one or more lines
  // Runs it. A row without a handler shows another form of the row above it in the usage.
  Handler run = nullptr;
};

struct Command {
  std::string_view name;
  std::string_view summary;  // one line for the overview
  std::vector<Subcommand> subcommands;
  std::string_view notes = {};                   // printed after the usage lines
  std::string (*moreNotes)() = nullptr;          // notes built from a table of the group's own
};

// Every command in overview order (by name).
const std::vector<Command>& Commands();

// Runs kncourse with the arguments after the program name; the process exit status.
int Main(const Args& args);

// A usage error of the command being run: "kncourse: message" and the command's usage on
// stderr, exit status 2. Never returns: the dispatcher, which knows the command, reports it.
[[noreturn]] void BadUsage(std::string_view message);
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

// The application object that fonts and pictures need, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise; null when one exists already.
std::unique_ptr<QGuiApplication> MakeGuiApplication();

// Course bytes (Windows-1252) shown on a UTF-8 terminal.
std::string Show(std::string_view courseBytes);

// The handlers, one per row of the command table, defined in the group's Cmd*.cpp.
int AudioInfo(Args args);
int AudioDecode(Args args);
int CheckFolder(Args args);
int ContainerList(Args args);
int ContainerFind(Args args);
int ContainerPack(Args args);
int ContainerExtract(Args args);
int ContentsTree(Args args);
int EquationLayoutList(Args args);
int EquationRender(Args args);
int GlossaryList(Args args);
int GlossaryFind(Args args);
int GlossaryShow(Args args);
int IndexShow(Args args);
int ResolveId(Args args);
int LaunchDryRun(Args args);
int SearchCourse(Args args);
int MarkupStrip(Args args);
int MarkupEvents(Args args);
int MarkupParagraphs(Args args);
int MarkupRender(Args args);
int MovieInfo(Args args);
int MovieFrame(Args args);
int PersonalityShow(Args args);
int PictureDraw(Args args);
int ProgressShow(Args args);
int BookmarksShow(Args args);
int ScriptChunks(Args args);
int ScriptTokens(Args args);
int ScriptArgs(Args args);
int ScriptEval(Args args);
int ScriptRun(Args args);
int ExpoPlay(Args args);
int StatsEvaluate(Args args);
std::string StatsFunctionList();
int ExerciseDump(Args args);
int ExerciseCheck(Args args);

}  // namespace kncourse
