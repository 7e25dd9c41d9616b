// The program's own numbered resources, compiled in from resources/:
//   strings/*.txt      one table of texts keyed by id ("<id><TAB><name><TAB><text>", with
//                      \n \t \\ escapes); code names the ids through course/StringIds.h
//                      (str::<name>)
//   <kind>/<id>.<ext>  bitmaps, icons, cursors, sounds and texts by number
// The interface is plain C++; Qt's resource system holds the bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 text of a string-table id; empty when the table has none.
std::string ProgramString(int id);
bool HasProgramString(int id);

// format with its single printf-style conversion (%s, %d, %i, %u, %c, %ld, with optional
// flags and width) replaced by arg; "%%" becomes "%". Further conversions are dropped.
std::string FormatText(std::string_view format, std::string_view arg);
std::string FormatProgramString(int id, std::string_view arg);

// Bytes of the resource <kind>/<id>.* (kind: "bitmap", "icon", "cursor", "sound", "text", ...).
std::optional<std::vector<std::uint8_t>> ProgramResource(std::string_view kind, int id);
// Qt resource path of the same (":/bitmap/5000.svg"), empty when absent; for Qt loaders.
std::string ProgramResourcePath(std::string_view kind, int id);

// Every (id, name, text, source file) of the string table, for checks and tools.
struct ProgramStringRecord {
  int id;
  std::string name;
  std::string text;
  std::string file;
};
std::vector<ProgramStringRecord> AllProgramStrings();
// Parses one strings file; malformed lines are reported through errors ("file:line: why").
std::vector<ProgramStringRecord> ParseStringTable(std::string_view text, const std::string& file,
                                                  std::vector<std::string>* errors = nullptr);
