// Resource container: the file format of most course files. A 12-byte header
// (entry count, offset of the text section, type code), a directory of 44-byte
// entries (type, NUL-terminated name of at most 31 characters, data offset, data
// length), entry data, and a text section that runs from its offset to the end.
// All numbers are 32-bit little-endian.
//
// Parsing checks every count, offset and length against the file's size and
// throws CourseFileError(Format) naming the offending offset; nothing is read or
// allocated on the strength of an unchecked number.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/CourseFile.h"

enum ContainerEntryType : std::uint32_t {
  kEntryPicture = 0,
  kEntrySound = 1,
  kEntryText = 2,
};
constexpr int kAnyEntryType = -1;

struct ContainerEntry {
  std::uint32_t type = 0;
  std::string name;  // the bytes before the first NUL of the 32-byte field
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

// Tool type codes are stored as a number whose most significant byte is the first
// character ("tftb" -> 0x74667462); these convert between the two forms.
std::string TypeCodeToString(std::uint32_t code);
std::optional<std::uint32_t> TypeCodeFromString(std::string_view text);  // exactly four characters

class ContainerDirectory {
 public:
  static constexpr std::size_t kHeaderSize = 12;
  static constexpr std::size_t kEntrySize = 44;
  static constexpr std::size_t kNameField = 32;

  ContainerDirectory() = default;

  // bytes: at least the header and the directory (may be the whole file);
  // fileSize: the size of the whole file, against which every offset is checked.
  static ContainerDirectory Parse(std::span<const std::uint8_t> bytes, std::uint64_t fileSize,
                                  const std::string& path = {});
  // Reads just the header and the directory from an open file.
  static ContainerDirectory Read(CourseFile& file);

  std::uint32_t count() const { return static_cast<std::uint32_t>(m_entries.size()); }
  std::uint32_t textOffset() const { return m_textOffset; }
  std::uint32_t typeCode() const { return m_typeCode; }
  std::uint64_t fileSize() const { return m_fileSize; }
  const std::vector<ContainerEntry>& entries() const { return m_entries; }

  // The lookup rule: for type 0 (pictures) an entry named name + "@" wins over
  // plain matches and the last match of each kind counts; for any other type
  // (1, 2 or kAnyEntryType) the first plain match is the result.
  const ContainerEntry* FindEntry(std::string_view name, int type) const;

 private:
  std::vector<ContainerEntry> m_entries;
  std::uint32_t m_textOffset = 0;
  std::uint32_t m_typeCode = 0;
  std::uint64_t m_fileSize = 0;
};

// Null-directory form of the lookup used by callers that may not have a container.
const ContainerEntry* FindEntry(const ContainerDirectory* directory, std::string_view name, int type);

// An open container: the directory in memory, entry data read on demand.
class ResourceContainer {
 public:
  ResourceContainer() = default;
  // Takes the open file and reads its directory; throws CourseFileError.
  explicit ResourceContainer(CourseFile file);
  static ResourceContainer Open(const std::filesystem::path& path);
  static ResourceContainer FromBytes(std::vector<std::uint8_t> bytes, std::string label = {});

  bool isOpen() const { return m_file.isOpen(); }
  const std::string& path() const { return m_file.path(); }
  const ContainerDirectory& directory() const { return m_directory; }
  std::uint32_t typeCode() const { return m_directory.typeCode(); }
  const ContainerEntry* FindEntry(std::string_view name, int type) const {
    return m_directory.FindEntry(name, type);
  }

  // The entry's data; a text entry comes back one byte longer, NUL-terminated.
  std::vector<std::uint8_t> ReadEntry(const ContainerEntry& entry);
  // Lookup and read in one; none when the lookup finds nothing.
  std::optional<std::vector<std::uint8_t>> ReadEntry(std::string_view name, int type);
  // The bytes from the text offset to the end of the file (no terminator).
  std::vector<std::uint8_t> ReadTextSection();

 private:
  CourseFile m_file;
  ContainerDirectory m_directory;
};

// Builds a container: header, directory in insertion order, entry data in the same
// order, text section last.
class ContainerWriter {
 public:
  void SetTypeCode(std::uint32_t code) { m_typeCode = code; }
  // Throws std::invalid_argument for a name of more than 31 bytes or one holding NUL.
  void AddEntry(std::uint32_t type, std::string name, std::vector<std::uint8_t> data);
  void SetText(std::vector<std::uint8_t> text) { m_text = std::move(text); }
  // Throws std::length_error when the result would not fit 32-bit offsets.
  std::vector<std::uint8_t> Build() const;

 private:
  struct Pending {
    std::uint32_t type;
    std::string name;
    std::vector<std::uint8_t> data;
  };
  std::uint32_t m_typeCode = 0;
  std::vector<Pending> m_entries;
  std::vector<std::uint8_t> m_text;
};
