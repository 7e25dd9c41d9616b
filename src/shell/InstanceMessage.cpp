#include "shell/InstanceMessage.h"

#include <algorithm>

#include "course/ByteReader.h"

namespace {

constexpr std::string_view kOpenPrefix = "[open(\"";
constexpr std::string_view kOpenSuffix = "\")]";
constexpr std::size_t kMaxPathBytes = 4096;

}  // namespace

std::string OpenCommandText(std::string_view path) {
  std::string out;
  out.reserve(kOpenPrefix.size() + path.size() + kOpenSuffix.size());
  out.append(kOpenPrefix).append(path).append(kOpenSuffix);
  return out;
}

std::optional<InstanceCommand> ParseInstanceCommand(std::string_view text) {
  if (text.empty() || text.size() > kMaxCommandBytes) return std::nullopt;
  if (text == kActivateCommand) return InstanceCommand{InstanceCommand::Kind::Activate, {}};
  if (text.size() < kOpenPrefix.size() + kOpenSuffix.size() + 1) return std::nullopt;
  if (text.substr(0, kOpenPrefix.size()) != kOpenPrefix) return std::nullopt;
  if (text.substr(text.size() - kOpenSuffix.size()) != kOpenSuffix) return std::nullopt;
  const std::string_view path = text.substr(kOpenPrefix.size(), text.size() - kOpenPrefix.size() - kOpenSuffix.size());
  // A file name may hold any byte but NUL (a newline, control bytes, invalid UTF-8): the
  // frame carries the path's bytes as they are.
  if (path.empty() || path.front() != '/' || path.size() > kMaxPathBytes) return std::nullopt;
  if (path.find('\0') != std::string_view::npos) return std::nullopt;
  return InstanceCommand{InstanceCommand::Kind::Open, std::string(path)};
}

std::string EncodeInstanceFrame(std::string_view command) {
  if (!ParseInstanceCommand(command)) return {};
  std::string out(kInstanceMagic, sizeof kInstanceMagic);
  std::uint8_t length[4];
  StoreBe32(length, static_cast<std::uint32_t>(command.size()));
  out.append(reinterpret_cast<const char*>(length), sizeof length);
  out.append(command);
  return out;
}

InstanceFrameReader::State InstanceFrameReader::Refuse(std::string why) {
  m_state = State::Refused;
  m_error = std::move(why);
  m_text.clear();
  return m_state;
}

InstanceFrameReader::State InstanceFrameReader::Feed(const char* data, std::size_t size) {
  if (m_state == State::Refused) return m_state;
  if (m_state == State::Complete) return size ? Refuse("bytes after the request") : m_state;
  std::size_t pos = 0;
  while (pos < size && m_header.size() < kInstanceHeaderBytes) {
    m_header.push_back(data[pos++]);
    if (m_header.size() <= sizeof kInstanceMagic && m_header.back() != kInstanceMagic[m_header.size() - 1])
      return Refuse("not a request of this program");
    if (m_header.size() == kInstanceHeaderBytes) {
      m_length = LoadBe32(BytesOf(m_header).subspan<sizeof kInstanceMagic, 4>());
      if (m_length == 0 || m_length > kMaxCommandBytes)
        return Refuse("request length " + std::to_string(m_length) + " out of range");
      m_text.reserve(m_length);
    }
  }
  if (m_header.size() < kInstanceHeaderBytes) return m_state;
  const std::size_t want = m_length - m_text.size();
  const std::size_t take = std::min(want, size - pos);
  m_text.append(data + pos, take);
  pos += take;
  if (m_text.size() < m_length) return m_state;
  if (pos < size) return Refuse("bytes after the request");
  if (!ParseInstanceCommand(m_text)) return Refuse("malformed request");
  m_state = State::Complete;
  return m_state;
}
