#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "TestSupport.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "exposition/ChunkLoader.h"
#include "exposition/ExpositionFile.h"
#include "exposition/ScriptNumbers.h"
#include "exposition/TokenListing.h"

namespace {

ChunkLoadResult Load(const std::string& text) {
  return LoadScriptChunks(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string Listing(const ScriptChunk& c) { return DescribeTokens(c.tokens); }

TEST(ChunkLoader, TimingLineGivesTheNextChunkItsStartAndLabel) {
  const auto r = Load(
      "Welcome to the course.\n"
      "+2.5 label intro\n"
      ":circle\n"
      ":display \"hello\"\n"
      "And now the mean.\n");
  ASSERT_EQ(r.chunks.size(), 1u);
  EXPECT_EQ(r.chunks[0].startTime, 55125);
  EXPECT_EQ(r.chunks[0].label, "intro");
  EXPECT_FALSE(r.chunks[0].clearMark);  // the timing line replaced the first chunk's scene mark
  EXPECT_EQ(Listing(r.chunks[0]), "circle newline display literal=\"hello\" newline");
  EXPECT_EQ(r.stop, ChunkLoadResult::Stop::EndOfText);
}

TEST(ChunkLoader, TimingLineDetails) {
  const struct {
    const char* what;
    const char* timing;
    std::int32_t start;
    bool clear;
    const char* label;
  } cases[] = {
      {"clear in the label", "+4 label clearing", 88200, true, "clearing"},
      {"clear anywhere", "+1 clear", 22050, true, ""},
      {"time 0 with clear", "+0 clear_mark", 661, true, ""},  // first chunk: the 661 rule
      {"label to the comma", "+3.25 label part two, clear", 71662, true, "part two"},
      {"blanks kept", "+  1.5  label  a b ", 33075, false, " a b "},
      {"truncated samples", "+0.00005", 1, false, ""},
      {"exponent", "+1e1", 220500, false, ""},
      {"label cut to 31", "+1 label abcdefghijklmnopqrstuvwxyz0123456789", 22050, false,
       "abcdefghijklmnopqrstuvwxyz01234"},
      {"no blank after label", "+1 label,x", 22050, false, ""},
      {"no number", "+soon label x", 661, true, ""},  // time 0: nothing applies but the 661 rule
  };
  for (const auto& c : cases) {
    const auto r = Load(std::string("Narration\n") + c.timing + "\n:circle\nNarration\n");
    ASSERT_EQ(r.chunks.size(), 1u) << c.what;
    EXPECT_EQ(r.chunks[0].startTime, c.start) << c.what;
    EXPECT_EQ(r.chunks[0].clearMark, c.clear) << c.what;
    EXPECT_EQ(r.chunks[0].label, c.label) << c.what;
  }
}

TEST(ChunkLoader, UntimedChunksAndTheFirstChunkDelay) {
  const auto r = Load(
      ":circle\n"
      "Narration one.\n"
      ":line\n"
      "~\n"
      "+5 label five\n"
      "+0 label zero\n"  // closes and clears the pending chunk; time 0 without clear gives it nothing
      ":arc\n"
      ":frame\n"
      "Narration two.\n"
      ":wedge\n"
      "Narration three.\n"
      ":ellipse\n");  // no later line closes this chunk: it is not kept
  ASSERT_EQ(r.chunks.size(), 4u);
  EXPECT_EQ(r.chunks[0].startTime, 661);
  EXPECT_TRUE(r.chunks[0].clearMark);
  EXPECT_EQ(Listing(r.chunks[0]), "circle newline");
  EXPECT_EQ(r.chunks[1].startTime, 0);
  EXPECT_FALSE(r.chunks[1].clearMark);
  EXPECT_EQ(Listing(r.chunks[1]), "line newline");
  EXPECT_EQ(r.chunks[2].startTime, 0);
  EXPECT_EQ(r.chunks[2].label, "");
  EXPECT_EQ(Listing(r.chunks[2]), "arc newline frame newline");
  EXPECT_EQ(r.chunks[3].startTime, 0);
  EXPECT_EQ(r.chunks[3].label, "");
  EXPECT_EQ(Listing(r.chunks[3]), "wedge newline");
}

TEST(ChunkLoader, EveryClosingLineClearsThePendingTiming) {
  // A timing line's start, label and clear mark belong to the script lines right after
  // it; a pause or narration line in between takes them away.
  const struct {
    const char* what;
    const char* text;
    std::int32_t start;
    const char* label;
    bool clear;
  } cases[] = {
      {"pause line", "Narration\n+5 label five, clear\n~\n:circle\nEnd\n", 0, "", false},
      {"narration line", "Narration\n+5 label five\nMore narration\n:circle\nEnd\n", 0, "", false},
      {"next timing line", "Narration\n+5 label five\n+7\n:circle\nEnd\n", 154350, "", false},
      {"timing right before", "Narration\n~\n+5 label five\n:circle\nEnd\n", 110250, "five", false},
  };
  for (const auto& c : cases) {
    // After a first chunk, so that the first chunk's own rules stay out of the way.
    const auto r = Load(std::string(":line\n") + c.text);
    ASSERT_EQ(r.chunks.size(), 2u) << c.what;
    EXPECT_EQ(r.chunks[1].startTime, c.start) << c.what;
    EXPECT_EQ(r.chunks[1].label, c.label) << c.what;
    EXPECT_EQ(r.chunks[1].clearMark, c.clear) << c.what;
  }
  // The first chunk of a file begins a scene even when narration comes before it.
  const auto first = Load("Narration\n~\n:circle\nEnd\n");
  ASSERT_EQ(first.chunks.size(), 1u);
  EXPECT_EQ(first.chunks[0].startTime, 661);
  EXPECT_TRUE(first.chunks[0].clearMark);
}

TEST(ChunkLoader, LineEndsCommentsAndEmptyScriptLines) {
  // CR LF, lone CR and NUL all end lines; comments do not close a chunk.
  std::string text = ":circle\r\n-note\r\n:at 1\r";
  text += '\0';
  text += "Narration\n:\nNarration\n";
  const auto r = Load(text);
  ASSERT_EQ(r.chunks.size(), 1u);  // ":" alone adds nothing, so no second chunk
  EXPECT_EQ(Listing(r.chunks[0]), "circle newline at value_char=1 newline");
  // A first chunk whose timing came from a timing line keeps it.
  const auto timed = Load("+2\n:circle\n~\n");
  ASSERT_EQ(timed.chunks.size(), 1u);
  EXPECT_EQ(timed.chunks[0].startTime, 44100);
  // A script of unknown words still makes a chunk, with an empty stream.
  const auto empty = Load(":foo qux\nNarration\n");
  ASSERT_EQ(empty.chunks.size(), 1u);
  EXPECT_EQ(Listing(empty.chunks[0]), "newline");
}

TEST(ChunkLoader, OverlongLineStopsTheLoadingThere) {
  const std::string ok(1023, 'a');
  const auto fine = Load(":circle\n:" + ok + "\nNarration\n");
  EXPECT_EQ(fine.stop, ChunkLoadResult::Stop::EndOfText);
  EXPECT_EQ(fine.chunks.size(), 1u);

  const std::string text = ":circle\nNarration one.\r\n:line\n" + std::string(1025, 'n') + "\n:arc\nEnd\n";
  const auto r = Load(text);
  EXPECT_EQ(r.stop, ChunkLoadResult::Stop::LongLine);
  EXPECT_EQ(r.stopLine, 4u);
  EXPECT_EQ(r.stopOffset, text.find("nnn"));
  ASSERT_EQ(r.chunks.size(), 1u);  // the pending `line` chunk is not kept either
  EXPECT_EQ(Listing(r.chunks[0]), "circle newline");
}

TEST(ChunkLoader, OverlongChunkSourceStopsTheLoading) {
  // 12 lines of 1 + 1023 characters: 12 * 1023 + 11 joining LFs + the final LF = 12288.
  std::string lines;
  for (int i = 0; i < 12; ++i) lines += ":" + std::string(1023, ' ') + "\n";
  const auto full = Load(lines + "Narration\n");
  EXPECT_EQ(full.stop, ChunkLoadResult::Stop::EndOfText);
  ASSERT_EQ(full.chunks.size(), 1u);
  const auto over = Load(":circle\nN\n" + lines + ":x\nNarration\n");
  EXPECT_EQ(over.stop, ChunkLoadResult::Stop::LongChunk);
  EXPECT_EQ(over.chunks.size(), 1u);
}

TEST(ChunkLoader, SecondsToSamplesTruncatesAndStaysIn32Bits) {
  EXPECT_EQ(SecondsToSamples(2.5), 55125);
  EXPECT_EQ(SecondsToSamples(0.03), 661);
  EXPECT_EQ(SecondsToSamples(-1.0), -22050);
  EXPECT_EQ(SecondsToSamples(1e12), INT32_MAX);
  EXPECT_EQ(SecondsToSamples(-1e12), INT32_MIN);
  EXPECT_EQ(SecondsToSamples(std::nan("")), 0);
  EXPECT_EQ(ParseLeadingDouble(" \t2.5 label"), 2.5);
  EXPECT_EQ(ParseLeadingDouble("+3"), 3.0);
  EXPECT_EQ(ParseLeadingDouble("-.5x"), -0.5);
  EXPECT_EQ(ParseLeadingDouble("+-3"), 0.0);
  EXPECT_EQ(ParseLeadingDouble("1e999"), HUGE_VAL);
  EXPECT_EQ(ParseLeadingDouble("1e-999"), 0.0);
  EXPECT_EQ(ParseLeadingDouble("label"), 0.0);
}

std::vector<std::uint8_t> ExpositionBytes(const std::string& text) {
  ContainerWriter w;
  w.SetTypeCode(*TypeCodeFromString("expo"));
  w.AddEntry(kEntryPicture, "Chart", {1});
  w.AddEntry(kEntryPicture, "Chart@", {2});
  w.AddEntry(kEntrySound, "Ding", {3});
  w.AddEntry(kEntrySound, "ding", {4});
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

TEST(ExpositionFile, HeaderEntriesAndChunks) {
  const auto f = ExpositionFile::FromBytes(ExpositionBytes("Narration\n+1 label one\n:circle\nEnd\n"), "t.exp");
  EXPECT_EQ(TypeCodeToString(f.typeCode()), "expo");
  const ContainerEntry* picture = f.FindEntry("CHART", kEntryPicture);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(f.EntryData(*picture)[0], 2);  // the "@" entry wins
  const ContainerEntry* sound = f.FindEntry("Ding", kEntrySound);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(f.EntryData(*sound)[0], 3);  // the first of two
  EXPECT_EQ(f.FindEntry("Ding", kEntryPicture), nullptr);
  const auto r = f.BuildChunks();
  ASSERT_EQ(r.chunks.size(), 1u);
  EXPECT_EQ(r.chunks[0].label, "one");
  EXPECT_EQ(r.chunks[0].startTime, 22050);
}

TEST(ExpositionFile, RejectsEveryTruncationOfTheHeaderAndDirectory) {
  const auto bytes = ExpositionBytes("");
  const std::size_t directoryEnd = 12 + 4 * 44;
  for (std::size_t n = 0; n < directoryEnd; ++n) {
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(ExpositionFile::FromBytes(cut), CourseFileError) << n;
  }
}

TEST(ExpositionFile, NamesWithExpOrScrAnywhere) {
  EXPECT_TRUE(HasExpositionExtension("C:\\Course\\Lesson1\\Mean.EXP"));
  EXPECT_TRUE(HasExpositionExtension("/course/tools/table.scr"));
  EXPECT_TRUE(HasExpositionExtension("/course/notes.final.exp"));
  EXPECT_FALSE(HasExpositionExtension("/course/mean.ogg"));
  EXPECT_FALSE(HasExpositionExtension("/course/exp/mean"));
}

}  // namespace
