// Exposition and tool files (.exp, .scr): the container, the window its type code opens,
// every script line as the tokenizer reads it (words it drops, strings left open), the
// chunks the loader builds (and where it stops), the names statements refer to
// (pictures, sounds, labels, files), and the narration clip beside the file.
#include <map>
#include <set>

#include "CheckNarration.h"
#include "CheckPictures.h"
#include "CourseCheck.h"
#include "ExpoPlayback.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"
#include "course/ToolWindowClass.h"
#include "exposition/ChunkLoader.h"
#include "exposition/ExpositionFile.h"
#include "exposition/KeywordOrder.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptChunk.h"
#include "exposition/ScriptRunner.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"

namespace kncheck {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the tokenizer silently drops or cuts in one script line (the text after ":").
void LintScriptLine(CourseCheck& check, const std::string& file, int line, std::string_view source) {
  const KeywordOrder& keywords = SharedKeywordOrder();
  std::size_t i = 0;
  while (i < source.size()) {
    const char c = source[i];
    if (c == '"') {
      std::size_t j = i + 1, length = 0;
      while (j < source.size() && source[j] != '"') {
        j += (source[j] == '\\' && j + 1 < source.size() && source[j + 1] != 'n') ? 2 : 1;
        ++length;
      }
      if (j >= source.size()) check.Report(file, line, "a string is not closed on its line");
      if (length + 2 > kMaxLexeme)
        check.Report(file, line, "a string of " + std::to_string(length) + " characters: strings keep 253");
      i = j + 1;
    } else if (IsLetter(c)) {
      std::size_t j = i;
      while (j < source.size() && (IsLetter(source[j]) || IsDigit(source[j]))) ++j;
      const std::string word(source.substr(i, j - i));
      const int code = keywords.Lookup(word);
      if (code == 0)
        check.Report(file, line, "\"" + word + "\" is no keyword and is dropped (names of objects are written in quotes)");
      else if (code == kw::literal || (code >= kw::value_byte && code <= kw::value_short))
        check.Report(file, line, "\"" + word + "\" stands for a token with a value that the tokenizer writes itself");
      i = j;
    } else if (IsDigit(c) || c == '.') {
      while (i < source.size() && (IsDigit(source[i]) || source[i] == '.')) ++i;
    } else if (std::string_view("[];#$@?|~':`").find(c) != std::string_view::npos) {
      check.Report(file, line, std::string("the symbol \"") + c + "\" is not part of the script language and is dropped");
      ++i;
    } else {
      ++i;
    }
  }
}

struct ScriptFile {
  std::string path;   // course name
  std::string code;   // lesson folder
  int kind = 0;
};

void CheckReferences(CourseCheck& check, const ScriptFile& f, const ExpositionFile& expo, int line,
                     std::span<const std::uint8_t> tokens, const std::set<std::string>& labels) {
  const std::string file = CourseCheck::Display(f.path);
  TokenCursor cursor(tokens);
  int previous = 0;
  while (!cursor.atEnd()) {
    const ScriptToken token = cursor.Read();
    if (token.code == kw::literal && !token.truncated) {
      const std::string name(token.text);
      if (previous == kw::picture || previous == kw::selected) {
        bool found = expo.FindEntry(name, kEntryPicture) != nullptr;
        if (!found) {
          const bool hasExtension = name.find('.') != std::string::npos;
          found = check.Find(f.code + "\\" + name + (hasExtension ? "" : ".png")) || check.Find(name);
        }
        if (!found)
          check.Report(file, line, "the picture \"" + name + "\" is neither an entry of the file nor a file in " +
                                       f.code + "/");
      } else if (previous == kw::sound) {
        const std::string lower = ToAsciiLower(name);
        if (lower != "chop" && lower != "right" && lower != "wrong" && !expo.FindEntry(name, kEntrySound))
          check.Report(file, line, "the sound \"" + name + "\" is not an entry of the file");
      } else if (previous == kw::goto_) {
        if (!labels.count(name)) check.Report(file, line, "no timing line gives a chunk the label \"" + name + "\"");
      } else if (previous == kw::launch) {
        if (!check.contents.Resolve(name) && !check.Find(f.code + "\\" + name) && !check.Find(name))
          check.Report(file, line, "\"" + name + "\" is neither an activity of the contents nor a file of " + f.code + "/");
      }
    }
    previous = token.code;
  }
}

// Statements whose argument list reads otherwise than it looks: several names one
// after another (only the first is the positional argument; the rest stop the
// keyword pairs) and a group's members followed by `as` without braces (read as the
// conversion operator, which leaves nothing).
void CheckStatementShape(CourseCheck& check, const std::string& file, int line, std::span<const std::uint8_t> tokens) {
  std::vector<ScriptToken> t;
  TokenCursor cursor(tokens);
  while (!cursor.atEnd()) t.push_back(cursor.Read());
  for (std::size_t i = 0; i < t.size(); ++i) {
    const bool statementStart = i == 0 || t[i - 1].code == kw::newline || t[i - 1].code == kw::then;
    if (!statementStart || i + 2 >= t.size()) continue;
    if (t[i + 1].code == kw::literal && t[i + 2].code == kw::literal) {
      check.Report(file, line, "\"" + std::string(KeywordName(t[i].code)) +
                                   "\" with several names one after another uses only the first: write them as a list, {\"" +
                                   std::string(t[i + 1].text) + "\", \"" + std::string(t[i + 2].text) + "\"}");
    }
    if (t[i].code == kw::group && t[i + 1].code == kw::literal && t[i + 2].code == kw::as) {
      check.Report(file, line,
                   "group \"" + std::string(t[i + 1].text) +
                       "\" as ... reads as the operator `as` and leaves no members: put the members in braces, {\"" +
                       std::string(t[i + 1].text) + "\"}");
    }
  }
}

// The block nesting of one chunk, line by line: `if` at the end of its line (or ending
// in `then`) and `repeat` open a block, `end` closes one.
struct BlockDepth {
  int depth = 0;
  bool reported = false;
  void Line(CourseCheck& check, const std::string& file, int line, std::span<const std::uint8_t> tokens) {
    TokenCursor cursor(tokens);
    std::vector<int> codes;
    while (!cursor.atEnd()) codes.push_back(cursor.Read().code);
    while (!codes.empty() && codes.back() == kw::newline) codes.pop_back();
    if (codes.empty()) return;
    if (codes[0] == kw::end) {
      if (depth > 0) --depth;
      return;
    }
    const bool opens = codes[0] == kw::repeat || (codes[0] == kw::if_ && (codes.back() == kw::then ||
                                                                          std::find(codes.begin(), codes.end(), kw::then) == codes.end()));
    if (!opens) return;
    if (++depth > kMaxBlocks && !reported) {
      reported = true;
      check.Report(file, line, "a block inside " + std::to_string(kMaxBlocks) +
                                   " open blocks: the player abandons the chunk here with \"Error executing script\"");
    }
  }
};

// Plays the exposition on a virtual clock to its end, going on at every pause, and
// reports the chunks that fail and the names that named no object when they ran.
void DryRun(CourseCheck& check, const ScriptFile& f, const ExpositionFile& expo, const std::vector<int>& chunkLines) {
  const std::string file = CourseCheck::Display(f.path);
  const auto found = check.Find(f.path);
  if (!found) return;
  kncourse::ExpoPlayer player(expo, found->parent_path().string(), kncourse::ExpoArea(expo.typeCode()));
  player.LoadNarration(kncourse::NarrationLength(kncourse::NarrationClipPath(found->string())));
  if (player.timeline.chunks().empty()) return;
  int chunk = -1;
  std::set<std::string> said;
  auto lineOf = [&] { return chunk >= 0 && std::size_t(chunk) < chunkLines.size() ? chunkLines[std::size_t(chunk)] : 0; };
  auto once = [&](int line, const std::string& message) {
    if (said.insert(std::to_string(line) + message).second) check.Report(file, line, message);
  };
  player.host.keepEvents = false;
  player.host.onEvent = [&](const VirtualExpoHost::Event& e) {
    if (e.name == "chunk") {
      chunk = e.detail["index"].toInt();
    } else if (e.name == "unresolved") {
      once(lineOf(), "in the chunk from here, \"" + Utf8ToCourse(e.detail["names"].toString().toStdString()) +
                         "\" names no object when it runs");
    } else if (e.name == "error") {
      once(lineOf(), "the chunk from here is abandoned with \"Error executing script\"");
    } else if (e.name == "unknown" && f.kind == kKindExposition) {
      once(lineOf(), "\"" + e.detail["word"].toString().toStdString() + "\" is no statement of an exposition: it does nothing");
    }
  };
  player.timeline.Start();
  // Every chunk runs within the narration; a pause goes on at once.
  const std::int64_t limitMs = player.timeline.total() * 1000 / ScriptChunk::kSampleRate + 10000;
  while (!player.timeline.completed() && player.host.now < limitMs) {
    if (player.timeline.paused()) player.timeline.SetPaused(false);
    player.host.Advance();
  }
}

// The container's pictures (PNG images only) and whether its type code names a tool.
void CheckPicturesAndCode(CourseCheck& check, const ScriptFile& f, const std::string& file, ExpositionFile& expo) {
  for (const ContainerEntry& e : expo.directory().entries()) {
    if (e.type != kEntryPicture) continue;
    const auto data = expo.EntryData(e);
    const std::string why = PictureDataProblem(data);
    if (!why.empty()) check.Report(file, 0, "picture \"" + e.name + "\" is " + why);
    else if (data.size() < 4 || data[0] != 0x89 || data[1] != 'P')
      check.Report(file, 0, "picture \"" + e.name + "\" is a bitmap: exposition pictures are PNG images");
  }
  const std::uint32_t code = expo.typeCode();
  if (f.kind == kKindHandsOn && ToolWindowClass(code) == ToolWindow::Expo)
    check.Report(file, 0, "the type code \"" + TypeCodeToString(code) + "\" names no tool: the plain exposition window opens it");
}

void CheckSceneStarts(CourseCheck& check, const std::string& file, const ChunkLoadResult& chunks,
                      const std::vector<int>& chunkLines) {
  // A chunk that begins a scene rebuilds it after a seek from nothing; played through,
  // it starts from what is on screen, so it must clear that itself.
  for (std::size_t i = 1; i < chunks.chunks.size() && i < chunkLines.size(); ++i) {
    if (!chunks.chunks[i].clearMark) continue;
    TokenCursor cursor(chunks.chunks[i].tokens);
    while (cursor.PeekCode() == kw::newline) cursor.ReadCode();
    const int first = cursor.ReadCode();
    const int next = cursor.PeekCode();
    const bool clears = (first == kw::clear && next != kw::literal && next != kw::lbracket) || first == kw::study ||
                        first == kw::summary;
    if (!clears)
      check.Report(file, chunkLines[i], "this chunk begins a scene (its timing line says clear) but does not begin "
                                        "with clear: played through, the old objects stay; after a seek they are gone");
  }
}

// Where the loader stopped reading, and the chunks' labels (each reported when taken twice).
std::set<std::string> ChunkLabels(CourseCheck& check, const std::string& file, const ChunkLoadResult& chunks) {
  if (chunks.stop == ChunkLoadResult::Stop::LongLine)
    check.Report(file, static_cast<int>(chunks.stopLine), "a line longer than 1024 characters: the player stops reading the file here");
  else if (chunks.stop == ChunkLoadResult::Stop::LongChunk)
    check.Report(file, static_cast<int>(chunks.stopLine),
                 "the script lines of one chunk pass 12288 bytes: the player stops reading the file here");
  std::set<std::string> labels;
  for (const ScriptChunk& c : chunks.chunks) {
    if (c.label.empty()) continue;
    if (!labels.insert(c.label).second)
      check.Report(file, 0, "two chunks have the label \"" + c.label + "\": goto reaches only the first");
  }
  return labels;
}

void CheckScript(CourseCheck& check, const ScriptFile& f) {
  const auto bytes = check.Read(f.path);
  if (!bytes) return;
  const std::string file = CourseCheck::Display(f.path);
  ExpositionFile expo;
  try {
    expo = ExpositionFile::FromBytes(*bytes, file);
  } catch (const std::exception& e) {
    check.Report(file, 0, std::string("is not a readable exposition file: ") + e.what());
    return;
  }
  CheckPicturesAndCode(check, f, file, expo);

  const auto text = expo.text();
  const ChunkLoadResult chunks = LoadScriptChunks(text, SharedKeywordOrder());
  const std::set<std::string> labels = ChunkLabels(check, file, chunks);

  // Line by line, counting lines as the loader does (CR LF ends one line).
  const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
  int line = 1, chunkLine = 0;
  std::size_t chunkBytes = 0;
  bool chunkHasSource = false;
  std::vector<int> chunkLines;  // the first script line of each chunk the loader keeps
  BlockDepth blocks;
  std::string pendingLabel;  // a timing line's label still waiting for its script lines
  int pendingLabelLine = 0;
  bool narration = false;
  double lastTime = 0;
  int lastTimeLine = 0;
  std::size_t pos = 0;
  const std::size_t stopAt = chunks.stop == ChunkLoadResult::Stop::EndOfText ? all.size() : chunks.stopOffset;
  auto closeChunk = [&] {
    if (chunkBytes > ScriptChunk::kMaxTokens)
      check.Report(file, chunkLine, "the script lines from here compile to " + std::to_string(chunkBytes) +
                                        " bytes: a chunk keeps 4096, the rest does not run");
    if (chunkHasSource) chunkLines.push_back(chunkLine);
    chunkHasSource = false;
    chunkBytes = 0;
    chunkLine = 0;
    blocks = BlockDepth();
  };
  while (pos < stopAt) {
    std::size_t end = pos;
    while (end < all.size() && all[end] != '\n' && all[end] != '\r' && all[end] != '\0') ++end;
    const std::string_view row = all.substr(pos, end - pos);
    const int thisLine = line;
    if (end < all.size() && !(all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n')) ++line;
    pos = end + 1;
    if (row.empty() || row[0] == '-') continue;
    if (row[0] == ':') {
      const std::string source(row.substr(1));
      LintScriptLine(check, file, thisLine, source);
      std::vector<std::uint8_t> tokens;
      TokenizeChunk(source + "\n", tokens, SharedKeywordOrder());
      if (chunkLine == 0) chunkLine = thisLine;
      if (row.size() > 1) chunkHasSource = true;
      if (chunkHasSource) pendingLabel.clear();
      chunkBytes += tokens.size();
      CheckReferences(check, f, expo, thisLine, tokens, labels);
      CheckStatementShape(check, file, thisLine, tokens);
      blocks.Line(check, file, thisLine, tokens);
      continue;
    }
    closeChunk();
    if (!pendingLabel.empty())
      check.Report(file, pendingLabelLine, "the label \"" + pendingLabel +
                                               "\" goes to no chunk (no script line follows its timing line): goto cannot reach it");
    pendingLabel.clear();
    if (row[0] == '+') {
      const std::size_t at = row.find("label ");
      const double t = std::strtod(std::string(row.substr(1)).c_str(), nullptr);
      if (at != std::string_view::npos && (t != 0 || row.find("clear") != std::string_view::npos)) {
        pendingLabel = std::string(row.substr(at + 6, row.find(',', at) == std::string_view::npos ? std::string_view::npos
                                                                                                 : row.find(',', at) - at - 6))
                           .substr(0, ScriptChunk::kMaxLabel);
        pendingLabelLine = thisLine;
      }
      const double seconds = std::strtod(std::string(row.substr(1)).c_str(), nullptr);
      if (seconds != 0 && seconds < lastTime)
        check.Report(file, thisLine, "this timing line is earlier than the one on line " + std::to_string(lastTimeLine) +
                                         ": its chunk runs as soon as the one before it has run");
      if (seconds != 0) {
        lastTime = seconds;
        lastTimeLine = thisLine;
      }
    } else if (row[0] != '~') {
      narration = true;
    }
  }
  closeChunk();
  if (!pendingLabel.empty())
    check.Report(file, pendingLabelLine, "the label \"" + pendingLabel +
                                             "\" goes to no chunk (no script line follows its timing line): goto cannot reach it");
  CheckSceneStarts(check, file, chunks, chunkLines);
  DryRun(check, f, expo, chunkLines);
  std::int32_t lastStart = 0;
  for (const ScriptChunk& c : chunks.chunks) lastStart = std::max(lastStart, c.startTime);
  CheckNarrationClip(check, f.path, narration, lastStart, lastTimeLine);
}

void CheckExpositions(CourseCheck& check) {
  if (!check.contentsLoaded) return;
  const ContentsTable& t = check.contents;
  std::map<std::string, ScriptFile> files;  // by lower-case course name: a file listed twice is read once
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson& lesson = *t.Lesson(pos);
    for (int p = 0; p < lesson.pageCount; ++p) {
      const ContentsPage& page = lesson.pages[static_cast<std::size_t>(p)];
      for (int a = 0; a < page.activityCount; ++a) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
        if (!act.file) continue;
        const int kind = KindOfFileName(t.String(act.file));
        if (kind != kKindExposition && kind != kKindHandsOn) continue;
        const std::string path = ActivityLocator(pos, p, a).Path(t, t.String(act.file));
        if (!check.Find(path)) continue;  // reported by the contents check
        files.emplace(ToAsciiLower(path), ScriptFile{path, std::string(t.String(lesson.code)), kind});
      }
    }
  }
  for (const auto& [key, f] : files) CheckScript(check, f);
}

}  // namespace

KN_COURSE_CHECK(70, "expositions", CheckExpositions);

}  // namespace kncheck
