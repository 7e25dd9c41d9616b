// The source-folder form of a resource container, for authors and for the build:
//
//   manifest.txt   optional; when present it fixes the type code, the order, types
//                  and exact names of the entries (lines below)
//   section.txt    optional; the text section
//   picture/ sound/ text/
//                  one file per entry; without a manifest each file becomes an entry
//                  of that type named after the file without its extension, in byte
//                  order of the file names (pictures, then sounds, then texts)
//
// Manifest lines (TAB-separated; "#" starts a comment line):
//   code<TAB>tftb            four characters, or 0x followed by eight hex digits
//   <type><TAB><name><TAB><file>   type picture|sound|text; name in Windows-1252
//                            with \xHH and \\ escapes; file relative to the folder
//
// Extracting writes a manifest, so extract -> pack reproduces the container's
// entries, names, order, type code and text byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// Builds the container bytes; code, when given, overrides the manifest's code.
// Throws std::runtime_error naming the file and line of a problem.
std::vector<std::uint8_t> PackContainerFolder(const std::filesystem::path& dir,
                                              std::optional<std::uint32_t> code = std::nullopt);

// Writes the folder form of a container (the folder is created; existing files of the
// same names are replaced). Throws CourseFileError for a damaged container.
void ExtractContainerFolder(const std::vector<std::uint8_t>& container, const std::filesystem::path& dir);

const char* EntryTypeName(std::uint32_t type);  // "picture", "sound", "text", or "type N"
std::optional<std::uint32_t> EntryTypeFromName(std::string_view name);
