// Decoder of AIFF (16-bit PCM at 11 025 Hz, doubled) and AIFC ima4 clips.
#pragma once

#include <optional>
#include <vector>

#include "audio/AiffParser.h"
#include "audio/ClipDecoder.h"
#include "audio/ImaAdpcm.h"
#include "course/CourseFile.h"

namespace audio {

class AiffDecoder final : public ClipDecoder {
 public:
  // Throws CourseFileError (see ParseAiff).
  explicit AiffDecoder(CourseFile file);

  ClipFormat format() const override { return m_layout.format; }
  int sourceRate() const override { return m_layout.format == ClipFormat::Ima22k ? 22050 : 11025; }
  std::int64_t alignDown(std::int64_t unit) const override;
  void decode(std::int64_t from, std::int64_t to, std::int16_t* out) override;

  const AiffLayout& layout() const { return m_layout; }
  // Packets run through the IMA decoder so far, skipped ones included (how much a
  // seek cost).
  std::int64_t packetsDecoded() const { return m_packetsDecoded; }
  // The decoder state at the start of block b, when known.
  std::optional<ImaState> blockState(std::int64_t b) const;

 private:
  void decodePcm(std::int64_t from, std::int64_t to, std::int16_t* out);
  void decodeIma(std::int64_t from, std::int64_t to, std::int16_t* out);
  ImaState stateAtPacket(std::int64_t packet);
  void readPackets(std::int64_t first, std::int64_t count);

  CourseFile m_file;
  AiffLayout m_layout;
  std::int64_t m_unitsPerPacket = 0;   // 64 (22 050 Hz) or 128 (11 025 Hz, doubled)
  std::int64_t m_packetsPerBlock = 0;  // 128 or 64
  std::int64_t m_packetCount = 0;
  std::vector<std::optional<ImaState>> m_stateTable;  // per block: state at its first packet
  // Where the last IMA decode ended: its next packet, the state there and the last sample.
  std::int64_t m_nextPacket = -1;
  ImaState m_state;
  std::int16_t m_lastSample = 0;
  std::int64_t m_packetsDecoded = 0;
  std::vector<std::uint8_t> m_bytes;  // work buffer: one block of source data
  std::vector<std::int16_t> m_samples;  // work buffer: decoded source samples
  std::vector<std::int16_t> m_doubled;  // work buffer: samples at 22 050 Hz
};

}  // namespace audio
