// The request a later launch hands the running program over its local socket: the frame
// reader fed the bytes in pieces whose sizes the input itself chooses, and the command
// parser on whatever text comes out.
#include <cstdint>
#include <string>

#include "shell/InstanceMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // First byte: the piece size (1 to 256) the bytes arrive in.
  const std::size_t piece = static_cast<std::size_t>(data[0]) + 1;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  const std::size_t n = size - 1;
  InstanceFrameReader reader;
  for (std::size_t at = 0; at < n; at += piece) {
    const auto state = reader.Feed(bytes + at, std::min(piece, n - at));
    if (state == InstanceFrameReader::State::Refused) break;
  }
  if (reader.state() == InstanceFrameReader::State::Complete) {
    const auto command = ParseInstanceCommand(reader.command());
    if (!command) __builtin_trap();  // a complete frame always holds a valid command
    if (EncodeInstanceFrame(reader.command()).empty()) __builtin_trap();
  }
  (void)ParseInstanceCommand(std::string(bytes, n));
  return 0;
}
