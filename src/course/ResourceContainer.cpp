#include "course/ResourceContainer.h"

#include <limits>
#include <stdexcept>

#include "course/AsciiCase.h"
#include "course/ByteReader.h"
#include "course/CourseFileError.h"

namespace {
void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  StoreLe32(std::span<std::uint8_t, 4>(out.data() + at, 4), v);
}
}  // namespace

std::string TypeCodeToString(std::uint32_t code) {
  std::uint8_t b[4];
  StoreBe32(b, code);
  return std::string(reinterpret_cast<const char*>(b), 4);
}

std::optional<std::uint32_t> TypeCodeFromString(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  return LoadBe32(BytesOf(text).first<4>());
}

ContainerDirectory ContainerDirectory::Parse(std::span<const std::uint8_t> bytes, std::uint64_t fileSize,
                                             const std::string& path) {
  ByteReader r(bytes, path);
  if (fileSize < kHeaderSize || bytes.size() < kHeaderSize)
    r.failAt(0, "file of " + std::to_string(fileSize) + " bytes is shorter than the 12-byte header");
  ContainerDirectory d;
  d.m_fileSize = fileSize;
  const std::uint32_t count = r.u32le("entry count");
  d.m_textOffset = r.u32le("text offset");
  d.m_typeCode = r.u32le("type code");

  const std::uint64_t directoryEnd = kHeaderSize + std::uint64_t(count) * kEntrySize;
  if (directoryEnd > fileSize)
    r.failAt(0, "directory of " + std::to_string(count) + " entries needs " + std::to_string(directoryEnd) +
                    " bytes but the file has " + std::to_string(fileSize));
  if (directoryEnd > bytes.size())
    r.failAt(bytes.size(), "directory was not read completely");
  if (d.m_textOffset > fileSize)
    r.failAt(4, "text section offset " + std::to_string(d.m_textOffset) + " lies beyond the end of the file (" +
                    std::to_string(fileSize) + " bytes)");
  if (d.m_textOffset < directoryEnd)
    r.failAt(4, "text section offset " + std::to_string(d.m_textOffset) + " overlaps the directory, which ends at " +
                    std::to_string(directoryEnd));

  d.m_entries.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = r.offset();
    ContainerEntry e;
    e.type = r.u32le("entry type");
    auto name = r.bytes(kNameField, "entry name");
    std::size_t len = 0;
    while (len < kNameField && name[len] != 0) ++len;
    e.name.assign(reinterpret_cast<const char*>(name.data()), len);
    e.offset = r.u32le("entry offset");
    e.length = r.u32le("entry length");
    if (std::uint64_t(e.offset) + e.length > fileSize)
      r.failAt(at + 36, "entry " + std::to_string(i) + " (\"" + e.name + "\") data at " + std::to_string(e.offset) +
                            " of " + std::to_string(e.length) + " bytes runs past the end of the file (" +
                            std::to_string(fileSize) + " bytes)");
    if (e.length > 0 && e.offset < directoryEnd)
      r.failAt(at + 36, "entry " + std::to_string(i) + " (\"" + e.name + "\") data at " + std::to_string(e.offset) +
                            " overlaps the header and directory, which end at " + std::to_string(directoryEnd));
    d.m_entries.push_back(std::move(e));
  }
  return d;
}

ContainerDirectory ContainerDirectory::Read(CourseFile& file) {
  const std::uint64_t size = file.size();
  std::uint8_t head[kHeaderSize];
  file.seek(0);
  if (file.read(head, kHeaderSize) != kHeaderSize)
    throw CourseFileError(CourseFileError::Kind::Format, file.path(),
                          "file of " + std::to_string(size) + " bytes is shorter than the 12-byte header", 0);
  const std::uint32_t count = ByteReader(head, file.path()).u32le("entry count");
  const std::uint64_t directoryEnd = kHeaderSize + std::uint64_t(count) * kEntrySize;
  if (directoryEnd > size)  // checked before the directory is allocated
    throw CourseFileError(CourseFileError::Kind::Format, file.path(),
                          "directory of " + std::to_string(count) + " entries needs " +
                              std::to_string(directoryEnd) + " bytes but the file has " + std::to_string(size),
                          0);
  auto bytes = file.readAt(0, directoryEnd, "directory");
  return Parse(bytes, size, file.path());
}

const ContainerEntry* ContainerDirectory::FindEntry(std::string_view name, int type) const {
  const bool withAlternative = type == kEntryPicture;
  std::string alternative;
  if (withAlternative) {
    alternative.assign(name);
    alternative += '@';
  }
  const ContainerEntry* plain = nullptr;
  const ContainerEntry* alt = nullptr;
  for (const ContainerEntry& e : m_entries) {
    const bool typeMatches = type == kAnyEntryType || static_cast<std::int64_t>(e.type) == type;
    if (typeMatches && EqualNoCase(name, e.name)) {
      if (!withAlternative) return &e;
      plain = &e;
    } else if (withAlternative && e.type == kEntryPicture && EqualNoCase(alternative, e.name)) {
      alt = &e;
    }
  }
  return alt ? alt : plain;
}

const ContainerEntry* FindEntry(const ContainerDirectory* directory, std::string_view name, int type) {
  return directory ? directory->FindEntry(name, type) : nullptr;
}

ResourceContainer::ResourceContainer(CourseFile file) : m_file(std::move(file)) {
  m_directory = ContainerDirectory::Read(m_file);
}

ResourceContainer ResourceContainer::Open(const std::filesystem::path& path) {
  return ResourceContainer(CourseFile::Open(path, CourseFile::Mode::Read));
}

ResourceContainer ResourceContainer::FromBytes(std::vector<std::uint8_t> bytes, std::string label) {
  return ResourceContainer(CourseFile::FromMemory(std::move(bytes), std::move(label)));
}

std::vector<std::uint8_t> ResourceContainer::ReadEntry(const ContainerEntry& entry) {
  auto data = m_file.readAt(entry.offset, entry.length, "entry data");
  if (entry.type == kEntryText) data.push_back(0);
  return data;
}

std::optional<std::vector<std::uint8_t>> ResourceContainer::ReadEntry(std::string_view name, int type) {
  const ContainerEntry* e = FindEntry(name, type);
  if (!e) return std::nullopt;
  return ReadEntry(*e);
}

std::vector<std::uint8_t> ResourceContainer::ReadTextSection() {
  const std::uint64_t size = m_file.size();
  const std::uint64_t start = m_directory.textOffset();
  if (start > size)  // the file shrank since the directory was read
    throw CourseFileError(CourseFileError::Kind::Format, m_file.path(), "text section lies beyond the end", 4);
  return m_file.readAt(start, size - start, "text section");
}

void ContainerWriter::AddEntry(std::uint32_t type, std::string name, std::vector<std::uint8_t> data) {
  if (name.size() >= ContainerDirectory::kNameField)
    throw std::invalid_argument("entry name \"" + name + "\" is longer than 31 characters");
  if (name.find('\0') != std::string::npos) throw std::invalid_argument("entry name holds a NUL byte");
  m_entries.push_back({type, std::move(name), std::move(data)});
}

std::vector<std::uint8_t> ContainerWriter::Build() const {
  std::uint64_t total = ContainerDirectory::kHeaderSize + m_entries.size() * ContainerDirectory::kEntrySize;
  for (const auto& e : m_entries) total += e.data.size();
  const std::uint64_t textOffset = total;
  total += m_text.size();
  if (total > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("container would exceed 4 GiB");

  std::vector<std::uint8_t> out(static_cast<std::size_t>(total), 0);
  PutU32(out, 0, static_cast<std::uint32_t>(m_entries.size()));
  PutU32(out, 4, static_cast<std::uint32_t>(textOffset));
  PutU32(out, 8, m_typeCode);
  std::size_t dir = ContainerDirectory::kHeaderSize;
  std::size_t data = dir + m_entries.size() * ContainerDirectory::kEntrySize;
  for (const auto& e : m_entries) {
    PutU32(out, dir, e.type);
    std::copy(e.name.begin(), e.name.end(), out.begin() + static_cast<std::ptrdiff_t>(dir + 4));
    PutU32(out, dir + 36, static_cast<std::uint32_t>(data));
    PutU32(out, dir + 40, static_cast<std::uint32_t>(e.data.size()));
    std::copy(e.data.begin(), e.data.end(), out.begin() + static_cast<std::ptrdiff_t>(data));
    dir += ContainerDirectory::kEntrySize;
    data += e.data.size();
  }
  std::copy(m_text.begin(), m_text.end(), out.begin() + static_cast<std::ptrdiff_t>(data));
  return out;
}
