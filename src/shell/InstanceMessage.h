// The request a second launch of the program hands to the one already running: the
// shell's open command as its command text, "[open("PATH")]" with an absolute PATH, or
// "[activate]" (bring the running program to the front) when it was started without a
// file.
//
// On the wire (a local socket, see InstanceChannel.h) a request is one frame:
//   "KNI1"  4 bytes, magic
//   length  32-bit big-endian, bytes of the command text, 1 to kMaxCommandBytes
//   text    the command's bytes as they are: a path may hold any byte but NUL
// and the answer is one byte: 'A' (accepted) or 'R' (refused). Anything else, any
// byte after the frame, or a frame that does not arrive whole in time, is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char kInstanceMagic[4] = {'K', 'N', 'I', '1'};
inline constexpr std::size_t kInstanceHeaderBytes = 8;
// A path of the system's longest (4096 bytes) with the command around it.
inline constexpr std::size_t kMaxCommandBytes = 4096 + 16;
inline constexpr char kInstanceAccepted = 'A';
inline constexpr char kInstanceRefused = 'R';
inline constexpr std::string_view kActivateCommand = "[activate]";

// "[open("PATH")]": the form the marker opener reads PATH from (the characters between
// the first 7 and the last 3).
std::string OpenCommandText(std::string_view path);

struct InstanceCommand {
  enum class Kind { Open, Activate };
  Kind kind = Kind::Activate;
  std::string path;  // Open: absolute, the file name's bytes
};

// The command a text stands for; none when it is neither form, or when the path is empty,
// relative, longer than the system allows or holds a NUL byte. Any other byte is the
// file name's own (file names need not be UTF-8 and may hold control bytes).
std::optional<InstanceCommand> ParseInstanceCommand(std::string_view text);

// The frame for a command text; empty when the text is not a valid command.
std::string EncodeInstanceFrame(std::string_view command);

// Reads one frame from bytes arriving in pieces.
class InstanceFrameReader {
 public:
  enum class State { NeedMore, Complete, Refused };

  // Takes the next bytes. Once Complete or Refused, the state stays (further bytes after a
  // complete frame refuse it).
  State Feed(const char* data, std::size_t size);
  State state() const { return m_state; }
  // The command text once Complete.
  const std::string& command() const { return m_text; }
  // Why the frame was refused, for the log of the receiving side.
  const std::string& error() const { return m_error; }

 private:
  State Refuse(std::string why);

  State m_state = State::NeedMore;
  std::string m_header;
  std::uint32_t m_length = 0;
  std::string m_text;
  std::string m_error;
};
