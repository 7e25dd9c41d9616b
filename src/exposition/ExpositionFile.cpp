#include "exposition/ExpositionFile.h"

#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "exposition/KeywordOrder.h"

ExpositionFile ExpositionFile::FromBytes(std::vector<std::uint8_t> bytes, std::string label) {
  ExpositionFile f;
  f.m_directory = ContainerDirectory::Parse(bytes, bytes.size(), label);
  f.m_bytes = std::move(bytes);
  return f;
}

ExpositionFile ExpositionFile::Open(const std::filesystem::path& path) {
  auto file = CourseFile::Open(path);
  return FromBytes(file.readAll(), file.path());
}

std::span<const std::uint8_t> ExpositionFile::text() const {
  if (m_bytes.empty()) return {};
  return std::span<const std::uint8_t>(m_bytes).subspan(m_directory.textOffset());
}

std::span<const std::uint8_t> ExpositionFile::EntryData(const ContainerEntry& entry) const {
  if (std::uint64_t(entry.offset) + entry.length > m_bytes.size()) return {};
  return std::span<const std::uint8_t>(m_bytes).subspan(entry.offset, entry.length);
}

ChunkLoadResult ExpositionFile::BuildChunks(const KeywordOrder& keywords) const {
  return LoadScriptChunks(text(), keywords);
}

ChunkLoadResult ExpositionFile::BuildChunks() const { return BuildChunks(SharedKeywordOrder()); }

bool HasExpositionExtension(std::string_view path) {
  return ContainsNoCase(path, ".exp") || ContainsNoCase(path, ".scr");
}
