#include "audio/AiffDecoder.h"

#include <algorithm>

#include "audio/PcmConvert.h"

namespace audio {

AiffDecoder::AiffDecoder(CourseFile file) : m_file(std::move(file)) {
  m_layout = ParseAiff(m_file);
  switch (m_layout.format) {
    case ClipFormat::Aiff:
      m_length = static_cast<std::int64_t>(m_layout.dataSize);  // 2 bytes per sample, doubled
      break;
    case ClipFormat::Ima22k:
    case ClipFormat::Ima11k:
      m_unitsPerPacket = m_layout.format == ClipFormat::Ima22k ? 64 : 128;
      m_packetsPerBlock = unitsPerBlock() / m_unitsPerPacket;
      m_packetCount = static_cast<std::int64_t>(m_layout.dataSize / kImaPacketBytes);
      m_length = m_packetCount * m_unitsPerPacket;
      m_stateTable.resize(static_cast<std::size_t>(blockCount()));
      break;
    default:
      break;
  }
}

std::int64_t AiffDecoder::alignDown(std::int64_t unit) const {
  unit = std::clamp<std::int64_t>(unit, 0, m_length);
  if (m_layout.format == ClipFormat::Aiff) return unit & ~std::int64_t(1);
  return unit / m_unitsPerPacket * m_unitsPerPacket;
}

std::optional<ImaState> AiffDecoder::blockState(std::int64_t b) const {
  if (b < 0 || b >= static_cast<std::int64_t>(m_stateTable.size())) return std::nullopt;
  return m_stateTable[static_cast<std::size_t>(b)];
}

void AiffDecoder::decode(std::int64_t from, std::int64_t to, std::int16_t* out) {
  from = alignDown(from);
  to = std::clamp(to, from, m_length);
  if (to == from) return;
  if (m_layout.format == ClipFormat::Aiff)
    decodePcm(from, to, out);
  else
    decodeIma(from, to, out);
}

// Unit u of the doubled stream: odd units are the source samples (u - 1) / 2, even
// units the mean of source samples u / 2 - 1 and u / 2. Reading the sample before
// the range gives the first mean without any state.
void AiffDecoder::decodePcm(std::int64_t from, std::int64_t to, std::int16_t* out) {
  const std::int64_t first = from / 2;
  const std::int64_t count = (to - from + 1) / 2;
  const std::int64_t readFirst = first > 0 ? first - 1 : 0;
  const std::int64_t readCount = count + (first - readFirst);
  m_bytes.resize(static_cast<std::size_t>(readCount * 2));
  m_file.seek(m_layout.dataStart + static_cast<std::uint64_t>(readFirst) * 2);
  m_file.readExact(m_bytes.data(), m_bytes.size(), "AIFF sound data");
  m_samples.resize(static_cast<std::size_t>(readCount));
  ReadBigEndian16(m_bytes.data(), static_cast<std::size_t>(readCount), m_samples.data());
  const std::int16_t* src = m_samples.data() + (first - readFirst);
  const std::int16_t prev = first > 0 ? m_samples[0] : src[0];
  m_doubled.resize(static_cast<std::size_t>(count * 2));
  DoubleRate(src, static_cast<std::size_t>(count), prev, m_doubled.data());
  std::copy_n(m_doubled.begin(), to - from, out);
}

void AiffDecoder::readPackets(std::int64_t first, std::int64_t count) {
  m_bytes.resize(static_cast<std::size_t>(count) * kImaPacketBytes);
  m_file.seek(m_layout.dataStart + static_cast<std::uint64_t>(first) * kImaPacketBytes);
  m_file.readExact(m_bytes.data(), m_bytes.size(), "ima4 packets");
}

// The state before packet: carried on from the last decode when it ended there;
// else from the state table's entry for the packet's block, running the decoder over
// the packets between the block start and the packet; else the packet's own header.
ImaState AiffDecoder::stateAtPacket(std::int64_t packet) {
  if (packet == m_nextPacket) return m_state;
  const std::int64_t block = packet / m_packetsPerBlock;
  const std::int64_t blockStart = block * m_packetsPerBlock;
  auto& known = m_stateTable[static_cast<std::size_t>(block)];
  if (known) {
    ImaState s = *known;
    if (packet > blockStart) {
      readPackets(blockStart, packet - blockStart);
      for (std::int64_t i = 0; i < packet - blockStart; ++i) {
        SkipImaPacket(m_bytes.data() + i * kImaPacketBytes + 2, s);
        ++m_packetsDecoded;
      }
    }
    return s;
  }
  std::uint8_t header[2];
  m_file.seek(m_layout.dataStart + static_cast<std::uint64_t>(packet) * kImaPacketBytes);
  m_file.readExact(header, 2, "ima4 packet header");
  const ImaState s = ImaStateFromHeader(header);
  if (packet == blockStart) known = s;
  return s;
}

void AiffDecoder::decodeIma(std::int64_t from, std::int64_t to, std::int16_t* out) {
  const std::int64_t firstPacket = from / m_unitsPerPacket;
  const std::int64_t endPacket = (to + m_unitsPerPacket - 1) / m_unitsPerPacket;
  const bool continuing = firstPacket == m_nextPacket;
  ImaState state = stateAtPacket(firstPacket);
  // The sample before the range, for the first mean of a doubled stream.
  std::int16_t prev = continuing ? m_lastSample : static_cast<std::int16_t>(state.predictor);

  const std::int64_t packets = endPacket - firstPacket;
  readPackets(firstPacket, packets);
  m_samples.resize(static_cast<std::size_t>(packets) * kImaPacketSamples);
  for (std::int64_t i = 0; i < packets; ++i) {
    const std::int64_t p = firstPacket + i;
    if (p % m_packetsPerBlock == 0) {
      auto& entry = m_stateTable[static_cast<std::size_t>(p / m_packetsPerBlock)];
      if (!entry) entry = state;
    }
    DecodeImaPacket(m_bytes.data() + i * kImaPacketBytes + 2, state, m_samples.data() + i * kImaPacketSamples);
    ++m_packetsDecoded;
  }
  if (endPacket < m_packetCount && endPacket % m_packetsPerBlock == 0) {
    auto& entry = m_stateTable[static_cast<std::size_t>(endPacket / m_packetsPerBlock)];
    if (!entry) entry = state;
  }
  m_nextPacket = endPacket;
  m_state = state;
  m_lastSample = m_samples.back();

  const std::size_t count = static_cast<std::size_t>(to - from);
  if (m_layout.format == ClipFormat::Ima22k) {
    std::copy_n(m_samples.begin(), count, out);
    return;
  }
  if (from == 0) prev = m_samples.front();
  m_doubled.resize(m_samples.size() * 2);
  DoubleRate(m_samples.data(), m_samples.size(), prev, m_doubled.data());
  std::copy_n(m_doubled.begin(), count, out);
}

}  // namespace audio
