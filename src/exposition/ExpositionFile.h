// An exposition or tool file (".exp", ".scr"): a resource container whose entries
// are the pictures (kind 0) and sounds (kind 1) that statements name, whose type
// code selects the window class, and whose text section holds the narration and the
// script lines. The exposition window keeps the whole file in memory while it lives
// (entries and the exposition text are read from it) and builds its chunks from it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "course/ResourceContainer.h"
#include "exposition/ChunkLoader.h"

class KeywordOrder;

class ExpositionFile {
 public:
  ExpositionFile() = default;

  // Throws CourseFileError(Format) when the header or the directory does not fit the
  // bytes; label names the file in the error.
  static ExpositionFile FromBytes(std::vector<std::uint8_t> bytes, std::string label = {});
  // Reads the whole file; throws CourseFileError.
  static ExpositionFile Open(const std::filesystem::path& path);

  const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
  const ContainerDirectory& directory() const { return m_directory; }
  std::uint32_t typeCode() const { return m_directory.typeCode(); }
  // The exposition text: from the text offset to the end of the file.
  std::span<const std::uint8_t> text() const;

  // Entries by name (without regard to case) and kind, by the container's lookup
  // rule: for pictures a name with "@" appended wins and the last match counts; for
  // sounds the first match. Nullptr when there is none.
  const ContainerEntry* FindEntry(std::string_view name, int kind) const { return m_directory.FindEntry(name, kind); }
  // The entry's bytes within the file (checked against the file when it was read).
  std::span<const std::uint8_t> EntryData(const ContainerEntry& entry) const;

  ChunkLoadResult BuildChunks() const;
  ChunkLoadResult BuildChunks(const KeywordOrder& keywords) const;

 private:
  std::vector<std::uint8_t> m_bytes;
  ContainerDirectory m_directory;
};

// Whether path names an exposition or tool file: ".exp" or ".scr" anywhere in it,
// without regard to case.
bool HasExpositionExtension(std::string_view path);
