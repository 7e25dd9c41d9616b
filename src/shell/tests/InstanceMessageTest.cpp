#include <gtest/gtest.h>

#include "course/ByteReader.h"
#include "shell/InstanceMessage.h"

namespace {

using State = InstanceFrameReader::State;

std::string Frame(std::string_view magic, std::uint32_t length, std::string_view text) {
  std::string f(magic);
  std::uint8_t n[4];
  StoreBe32(n, length);
  f.append(reinterpret_cast<const char*>(n), sizeof n);
  f.append(text);
  return f;
}

TEST(InstanceMessage, OpenCommandCarriesThePathBetweenTheFirst7AndTheLast3Characters) {
  const std::string path = "/home/ana/Marks/lesson \"3\")].kna";
  const std::string text = OpenCommandText(path);
  EXPECT_EQ(text.substr(0, 7), "[open(\"");
  EXPECT_EQ(text.substr(text.size() - 3), "\")]");
  EXPECT_EQ(text.substr(7, text.size() - 10), path);
  const auto cmd = ParseInstanceCommand(text);
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd->kind, InstanceCommand::Kind::Open);
  EXPECT_EQ(cmd->path, path);
}

TEST(InstanceMessage, FrameArrivesWholeInPiecesOfAnySize) {
  const std::string text = OpenCommandText("/tmp/Ünïcødé/a.kna");
  const std::string frame = EncodeInstanceFrame(text);
  ASSERT_EQ(frame.size(), kInstanceHeaderBytes + text.size());
  for (std::size_t piece = 1; piece <= frame.size(); ++piece) {
    InstanceFrameReader r;
    State s = State::NeedMore;
    for (std::size_t at = 0; at < frame.size(); at += piece) {
      EXPECT_EQ(s, State::NeedMore);
      s = r.Feed(frame.data() + at, std::min(piece, frame.size() - at));
    }
    ASSERT_EQ(s, State::Complete) << piece;
    EXPECT_EQ(r.command(), text);
  }
  InstanceFrameReader r;
  EXPECT_EQ(r.Feed(EncodeInstanceFrame(std::string(kActivateCommand)).data(), kInstanceHeaderBytes + 10),
            State::Complete);
}

TEST(InstanceMessage, MalformedFramesAreRefused) {
  const std::string good = OpenCommandText("/tmp/a.kna");
  struct Case {
    const char* why;
    std::string bytes;
  } cases[] = {
      {"wrong magic", Frame("KNI2", good.size(), good)},
      {"a stranger's bytes", "GET / HTTP/1.1\r\n\r\n"},
      {"zero length", Frame("KNI1", 0, "")},
      {"too long", Frame("KNI1", kMaxCommandBytes + 1, "")},
      {"huge length", Frame("KNI1", 0xFFFFFFFFu, "")},
      {"bytes after the frame", Frame("KNI1", good.size(), good) + "x"},
      {"relative path", Frame("KNI1", 17, "[open(\"a.kna\")]..")},
      {"not a command", Frame("KNI1", 5, "hello")},
      {"no path", Frame("KNI1", 10, "[open(\"\")]")},
      {"NUL inside", Frame("KNI1", 13, std::string("[open(\"/\0a\")]", 13))},
  };
  for (const Case& c : cases) {
    InstanceFrameReader r;
    EXPECT_EQ(r.Feed(c.bytes.data(), c.bytes.size()), State::Refused) << c.why;
    EXPECT_FALSE(r.error().empty()) << c.why;
    EXPECT_EQ(r.Feed("more", 4), State::Refused) << c.why;  // stays refused
  }
}

// File names are bytes: every one but NUL crosses unchanged.
TEST(InstanceMessage, NamesWithAnyByteCrossWhole) {
  const std::string names[] = {
      "/home/ana/two\nlines.kna",
      "/home/ana/\x01\x1b[2J\x7f.kna",
      "/home/ana/\xff\xfe not UTF-8.kna",
      "/home/ana/\xc0\xaf overlong.kna",
      "/home/ana/\xed\xa0\x80 surrogate.kna",
      "/home/ana/\r\t\")].kna",
  };
  for (const std::string& name : names) {
    const std::string text = OpenCommandText(name);
    const std::string frame = EncodeInstanceFrame(text);
    ASSERT_FALSE(frame.empty()) << name;
    InstanceFrameReader r;
    ASSERT_EQ(r.Feed(frame.data(), frame.size()), State::Complete) << name;
    const auto cmd = ParseInstanceCommand(r.command());
    ASSERT_TRUE(cmd) << name;
    EXPECT_EQ(cmd->path, name);
  }
}

TEST(InstanceMessage, OversizedLengthIsRefusedBeforeAnyTextArrives) {
  const std::string header = Frame("KNI1", kMaxCommandBytes + 1, "");
  InstanceFrameReader r;
  EXPECT_EQ(r.Feed(header.data(), header.size()), State::Refused);
}

TEST(InstanceMessage, EncoderRefusesWhatTheReaderWouldRefuse) {
  EXPECT_TRUE(EncodeInstanceFrame("relative.kna").empty());
  EXPECT_TRUE(EncodeInstanceFrame(OpenCommandText("not/absolute")).empty());
  EXPECT_TRUE(EncodeInstanceFrame(OpenCommandText("/" + std::string(5000, 'a'))).empty());
  EXPECT_FALSE(EncodeInstanceFrame(OpenCommandText("/" + std::string(4095, 'a'))).empty());
}

}  // namespace
