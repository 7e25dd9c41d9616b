#include "hypertext/MarkupTokenizer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/ResourceContainer.h"
#include "hypertext/CharEntities.h"

const MarkupAttribute* MarkupEvent::LastAttribute(char letter) const {
  const MarkupAttribute* found = nullptr;
  for (int i = 0; i < attributeCount; ++i)
    if (attributes[i].Letter() == letter) found = &attributes[i];
  return found;
}

namespace {

constexpr std::uint8_t kBrokenBar = 166;  // line-break marker of course texts
constexpr std::size_t kTagTextLimit = 4096;
// Longest name between "&" and ";" worth collecting: the longest entity name has
// 14 characters, and "&#" numbers need no more.
constexpr std::size_t kEntityLimit = 31;

constexpr bool IsEntityNameByte(std::uint8_t b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '#';
}
constexpr bool IsTagNameByte(std::uint8_t b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '!' || b == '-';
}

class TokenizerRun {
 public:
  TokenizerRun(const std::uint8_t* in, std::size_t n, MarkupHandler handler, MarkupEvent& event, bool passThrough)
      : m_in(in), m_n(n), m_handler(handler), m_event(event), m_passThrough(passThrough) {}

  void Run();

 private:
  enum class State { Text, Tag, Entity, Comment };

  void AddText(std::uint8_t b) {
    if (m_event.textLength < MarkupEvent::kTextLimit) m_event.text[m_event.textLength++] = static_cast<char>(b);
  }
  void AddText(std::string_view s) {
    for (char c : s) AddText(static_cast<std::uint8_t>(c));
  }
  void AddTagText(std::uint8_t b) {
    if (m_tagLength < kTagTextLimit) m_tagText[m_tagLength++] = static_cast<char>(b);
  }
  void AddComment(std::uint8_t b) {
    m_commentTail[0] = m_commentTail[1];
    m_commentTail[1] = static_cast<char>(b);
    ++m_commentLength;
  }
  // Adds b to the buffer of the current state.
  void AddOrdinary(std::uint8_t b);

  void SendSpecial(char name);
  void SendTag(std::string_view name, bool closing, std::string_view attrName, std::string_view attrValue);
  void EndTag();
  void EndEntity();
  // An "&" that turned out not to begin an entity: it and what followed are text.
  void AbandonEntity();
  // One byte of a quoted stretch at i; returns the index of the last byte used.
  std::size_t QuotedByte(std::size_t i);
  // One byte outside quotes at i; returns the index of the last byte used.
  std::size_t PlainByte(std::size_t i);
  void SendLastText();

  const std::uint8_t* m_in;
  std::size_t m_n;
  MarkupHandler m_handler;
  MarkupEvent& m_event;
  bool m_passThrough;

  State m_state = State::Text;
  bool m_quoted = false;
  char m_tagText[kTagTextLimit];
  std::size_t m_tagLength = 0;
  char m_entity[kEntityLimit];
  std::size_t m_entityLength = 0;
  char m_commentTail[2] = {0, 0};
  std::size_t m_commentLength = 0;
};

void TokenizerRun::AddOrdinary(std::uint8_t b) {
  switch (m_state) {
    case State::Text: AddText(b); break;
    case State::Tag: AddTagText(b); break;
    case State::Entity: m_entity[m_entityLength++] = static_cast<char>(b); break;
    case State::Comment: AddComment(b); break;
  }
}

void TokenizerRun::SendSpecial(char name) {
  m_event.tag[0] = name;
  m_event.tag[1] = '\0';
  m_event.tagLength = 1;
  m_event.closing = false;
  m_event.end = false;
  m_event.attributeCount = 0;
  m_handler(m_event);
}

void TokenizerRun::SendTag(std::string_view name, bool closing, std::string_view attrName,
                           std::string_view attrValue) {
  std::memcpy(m_event.tag, name.data(), name.size());
  m_event.tag[name.size()] = '\0';
  m_event.tagLength = name.size();
  m_event.closing = closing;
  m_event.end = false;
  m_event.attributeCount = 0;
  if (!attrName.empty()) {
    MarkupAttribute& a = m_event.attributes[0];
    std::memcpy(a.name, attrName.data(), attrName.size());
    a.name[attrName.size()] = '\0';
    a.nameLength = attrName.size();
    std::memcpy(a.value, attrValue.data(), attrValue.size());
    a.value[attrValue.size()] = '\0';
    a.valueLength = attrValue.size();
    m_event.attributeCount = 1;
  }
  m_handler(m_event);
}

void TokenizerRun::EndTag() {
  const char* t = m_tagText;
  const std::size_t n = m_tagLength;
  std::size_t p = 0;
  const bool closing = n > 0 && t[0] == '/';
  if (closing) p = 1;

  // The name runs to the first space; attributes begin after its letters,
  // digits, "!" and "-".
  std::size_t nameEnd = p;
  while (nameEnd < n && t[nameEnd] != ' ') ++nameEnd;
  const std::size_t nameLength = std::min(nameEnd - p, MarkupEvent::kTagLimit);
  if (nameLength == 0) return;  // "<>", "< b>": nothing a reader could recognise
  for (std::size_t i = 0; i < nameLength; ++i) m_event.tag[i] = AsciiLower(t[p + i]);
  m_event.tag[nameLength] = '\0';
  m_event.tagLength = nameLength;
  m_event.closing = closing;
  m_event.end = false;

  std::size_t q = p;
  while (q < n && IsTagNameByte(static_cast<std::uint8_t>(t[q]))) ++q;
  int count = 0;
  for (;;) {
    while (q < n && (t[q] == ' ' || t[q] == '\t')) ++q;
    if (q >= n) break;
    const std::size_t nameStart = q;
    while (q < n && t[q] != '=' && t[q] != ' ' && t[q] != '\t') ++q;
    const std::size_t attrNameEnd = q;
    while (q < n && (t[q] == ' ' || t[q] == '\t')) ++q;
    if (q >= n || t[q] != '=') {
      // An attribute without "=" is dropped. A name that ran to a blank only
      // stops here when no "=" follows; otherwise the next word starts over.
      if (q == attrNameEnd) ++q;
      continue;
    }
    ++q;  // "="
    while (q < n && (t[q] == ' ' || t[q] == '\t')) ++q;
    std::size_t valueStart = q;
    std::size_t valueEnd;
    if (q < n && t[q] == '"') {
      valueStart = ++q;
      while (q < n && t[q] != '"') ++q;
      valueEnd = q;
      if (q < n) ++q;
    } else {
      while (q < n && t[q] != ' ' && t[q] != '\t') ++q;
      valueEnd = q;
    }
    if (count == MarkupEvent::kAttributeLimit) continue;
    MarkupAttribute& a = m_event.attributes[count++];
    const std::size_t an = std::min(attrNameEnd - nameStart, MarkupAttribute::kNameLimit);
    for (std::size_t i = 0; i < an; ++i) a.name[i] = AsciiLower(t[nameStart + i]);
    a.name[an] = '\0';
    a.nameLength = an;
    const std::size_t vn = std::min(valueEnd - valueStart, MarkupAttribute::kValueLimit);
    std::memcpy(a.value, t + valueStart, vn);
    a.value[vn] = '\0';
    a.valueLength = vn;
  }
  m_event.attributeCount = count;
  m_handler(m_event);
}

void TokenizerRun::EndEntity() {
  const std::string_view name(m_entity, m_entityLength);
  std::uint8_t code = 0;
  bool symbol = false;
  if (!name.empty() && name[0] == '#') {
    // "&#n;": the low byte of the decimal number (leading digits; none gives 0).
    unsigned value = 0;
    for (std::size_t i = 1; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
      value = (value * 10 + static_cast<unsigned>(name[i] - '0')) & 0xFF;
    code = static_cast<std::uint8_t>(value);
  } else if (auto e = FindCharEntity(name)) {
    code = e->code;
    symbol = e->symbol;
  }
  if (code == 0) return;  // unknown names and InvisibleTimes show nothing
  if (symbol) {
    SendTag("font", false, "face", "symbol");
    AddText(code);
    SendTag("font", true, {}, {});
  } else {
    AddText(code);
  }
}

void TokenizerRun::AbandonEntity() {
  AddText('&');
  AddText(std::string_view(m_entity, m_entityLength));
  m_state = State::Text;
}

void TokenizerRun::Run() {
  for (std::size_t i = 0; i < m_n; ++i) {
    const std::uint8_t b = m_in[i];
    if (m_state == State::Entity && b != ';' &&
        (!IsEntityNameByte(b) || m_entityLength == kEntityLimit)) {
      // Not an entity after all ("AT&T", "a & b"): keep the text as written and
      // look at this byte again as text.
      AbandonEntity();
    }
    i = m_quoted ? QuotedByte(i) : PlainByte(i);
  }
  if (m_state == State::Entity) AbandonEntity();
  SendLastText();
}

std::size_t TokenizerRun::QuotedByte(std::size_t i) {
  const std::uint8_t b = m_in[i];
  if (b == '"') {
    m_quoted = false;
    AddOrdinary(b);
  } else if (b < 32) {
    // A line break inside a quoted stretch still separates words.
    if (b == '\n' && m_state == State::Text) AddText(' ');
  } else if (m_state == State::Text && b == '\\') {
    if (i + 1 < m_n) {
      if (m_in[i + 1] == 'n') {
        AddText(b);  // "\n" stays as written
      } else {
        ++i;
        if (m_in[i] >= 32) AddText(m_in[i]);
      }
    }
  } else {
    AddOrdinary(b);
  }
  return i;
}

std::size_t TokenizerRun::PlainByte(std::size_t i) {
  const std::uint8_t b = m_in[i];
  switch (b) {
    case '<':
      if (m_state == State::Text) {
        if (i + 3 < m_n && m_in[i + 1] == '!' && m_in[i + 2] == '-' && m_in[i + 3] == '-') {
          m_state = State::Comment;
          m_commentLength = 0;
          m_commentTail[0] = m_commentTail[1] = 0;
          i += 3;
        } else {
          m_state = State::Tag;
          m_tagLength = 0;
          m_event.tagBegin = i;
        }
      }
      break;
    case '>':
      if (m_state == State::Tag) {
        m_state = State::Text;
        m_event.tagEnd = i + 1;
        EndTag();
      } else if (m_state == State::Comment) {
        if (m_commentLength >= 2 && m_commentTail[0] == '-' && m_commentTail[1] == '-')
          m_state = State::Text;
        else
          AddComment(b);
      } else if (m_state == State::Text) {
        AddText(b);
      }
      break;
    case kBrokenBar:
      if (m_state == State::Text)
        m_passThrough ? AddText("<br>") : AddText('\n');
      else
        AddOrdinary(b);
      break;
    case ' ':
      if (m_state == State::Text) {
        AddText(b);
        SendSpecial(' ');
      } else {
        AddOrdinary(b);
      }
      break;
    case '"':
      // Quotes mean nothing inside a comment; elsewhere they protect a stretch.
      if (m_state != State::Comment) m_quoted = true;
      AddOrdinary(b);
      break;
    case '&':
      if (m_state == State::Text && !m_passThrough) {
        m_state = State::Entity;
        m_entityLength = 0;
      } else {
        AddOrdinary(b);
      }
      break;
    case ';':
      if (m_state == State::Entity) {
        m_state = State::Text;
        EndEntity();
      } else {
        AddOrdinary(b);
      }
      break;
    case '\n':
      if (m_state == State::Text) SendSpecial('\n');
      break;
    default:
      if (b >= 32) AddOrdinary(b);
      break;
  }
  return i;
}

void TokenizerRun::SendLastText() {
  if (m_event.textLength > 0) {
    m_event.tag[0] = '\0';
    m_event.tagLength = 0;
    m_event.closing = false;
    m_event.end = true;
    m_event.attributeCount = 0;
    m_handler(m_event);
  }
}

}  // namespace

std::size_t Tokenize(const char* text, std::ptrdiff_t length, MarkupHandler handler, void* data,
                     bool passThrough) {
  if (!text || !handler) return 0;
  const std::size_t n = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
  MarkupEvent event;
  event.data = data;
  TokenizerRun run(reinterpret_cast<const std::uint8_t*>(text), n, handler, event, passThrough);
  run.Run();
  return n;
}

void TokenizeFile(CourseFile& file, MarkupHandler handler, void* data, bool skipHeader) {
  std::vector<std::uint8_t> bytes;
  try {
    std::uint64_t from = file.tell();
    if (skipHeader) from = ContainerDirectory::Read(file).textOffset();
    const std::uint64_t size = file.size();
    bytes = file.readAt(from, size > from ? size - from : 0, "text");
  } catch (...) {
    file.close();
    throw;
  }
  file.close();
  Tokenize(reinterpret_cast<const char*>(bytes.data()), static_cast<std::ptrdiff_t>(bytes.size()), handler, data,
           false);
}

std::string WriteMarkupTag(const MarkupEvent& e, bool fullNames) {
  std::string t = "<";
  if (e.closing) t += '/';
  t += e.Tag();
  for (int i = 0; i < e.attributeCount; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    if (a.nameLength == 0) continue;
    t += ' ';
    if (fullNames)
      t += a.Name();
    else
      t += a.Letter();
    t += "=\"";
    t += a.Value();
    t += '"';
  }
  t += '>';
  return t;
}
