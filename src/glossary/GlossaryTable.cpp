#include "glossary/GlossaryTable.h"

#include <algorithm>

#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "glossary/TermLookup.h"
#include "hypertext/MarkupTokenizer.h"
#include "hypertext/Picture.h"

namespace {

enum class State { None, Term, Definition };

struct Collector {
  std::vector<GlossaryTerm>* terms;
  std::string_view text;
  State state = State::None;
  std::size_t segmentStart = 0;
  std::optional<std::string> name;  // a term waiting for its definition

  void Close(std::size_t segmentEnd) {
    const std::size_t end = std::max(segmentStart, std::min(segmentEnd, text.size()));
    if (state == State::Term) {
      std::string n(text.substr(segmentStart, end - segmentStart));
      while (!n.empty() && (n.back() == '\r' || n.back() == '\n')) n.pop_back();
      name = std::move(n);
    } else if (state == State::Definition) {
      // A definition belongs to the term right before it, or to nobody.
      if (name)
        terms->push_back({std::move(*name), static_cast<std::uint32_t>(segmentStart),
                          static_cast<std::uint32_t>(end - segmentStart)});
      name.reset();
    }
  }

  void Tag(const MarkupEvent& e) {
    const std::string_view tag = e.Tag();
    State next;
    if (e.closing && (tag == "dt" || tag == "dd" || tag == "dl"))
      next = State::None;
    else if (tag == "dt")
      next = State::Term;
    else if (tag == "dd")
      next = State::Definition;
    else if (tag == "dl")
      next = State::None;
    else
      return;  // any other tag is part of the text around it
    Close(e.tagBegin);
    // A new term forgets a name that never got its definition.
    if (next == State::Term) name.reset();
    state = next;
    segmentStart = e.tagEnd;
  }
};

void OnEvent(MarkupEvent& e) {
  auto* c = static_cast<Collector*>(e.data);
  if (e.end) {
    c->Close(c->text.size());
    c->state = State::None;
  } else if (e.IsTag()) {
    c->Tag(e);
  }
  e.ConsumeText();
}

}  // namespace

std::vector<GlossaryTerm> CollectGlossaryTerms(std::span<const std::uint8_t> text) {
  std::vector<GlossaryTerm> terms;
  const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
  Collector c{&terms, view};
  Tokenize(view.data(), static_cast<std::ptrdiff_t>(view.size()), OnEvent, &c);
  // The tokenizer reports the end only when text is pending; close what is open.
  c.Close(view.size());
  return terms;
}

void GlossaryTable::LoadText(std::vector<std::uint8_t> text) {
  m_text = std::move(text);
  m_terms = CollectGlossaryTerms(m_text);
  m_names.clear();
  for (const GlossaryTerm& t : m_terms) m_names.emplace_back(t.name);
}

void GlossaryTable::Load(ResourceContainer container) {
  std::vector<std::uint8_t> text = container.ReadTextSection();
  m_container.emplace(std::move(container));
  LoadText(std::move(text));
}

bool GlossaryTable::LoadCourseGlossary(std::string* why) {
  *this = GlossaryTable();
  std::filesystem::path path;
  if (!FindCourseFile(kFileName, kSearchCourse, path)) {
    if (why) *why = std::string(kFileName) + " is not in the course";
    return false;
  }
  try {
    Load(ResourceContainer::Open(path));
    return true;
  } catch (const CourseFileError& e) {
    *this = GlossaryTable();
    if (why) *why = e.what();
    return false;
  }
}

std::string GlossaryTable::TermName(int index) const {
  return index >= 0 && index < Count() ? m_terms[static_cast<std::size_t>(index)].name : std::string();
}

std::string GlossaryTable::Definition(int index) const {
  if (index < 0 || index >= Count()) return {};
  const GlossaryTerm& t = m_terms[static_cast<std::size_t>(index)];
  // Offsets come from this very text, but a table is only as good as its checks.
  if (t.start > m_text.size() || t.length > m_text.size() - t.start) return {};
  return std::string(reinterpret_cast<const char*>(m_text.data()) + t.start, t.length);
}

int GlossaryTable::FindTerm(std::string_view text) const { return FindTermIn(m_names, text, "sd", SuffixTest::AsWritten); }

int GlossaryTable::FirstTermStartingWith(char c) const { return FirstNameStartingWith(m_names, c); }

std::unique_ptr<Picture> GlossaryTable::LoadPicture(std::string_view name) {
  if (!m_container || name.empty()) return nullptr;
  try {
    const auto bytes = m_container->ReadEntry(name, kEntryPicture);
    if (!bytes) return nullptr;
    auto picture = std::make_unique<Picture>();
    if (!picture->LoadFromMemory(*bytes)) return nullptr;
    return picture;
  } catch (const CourseFileError&) {
    return nullptr;
  }
}

std::string GlossaryDisplayText(std::string_view name, std::string_view definition, std::string_view contextPhrase) {
  std::string text = "<B>" + std::string(name) + "</B>:<P><P>";
  if (contextPhrase.empty()) return text + std::string(definition);
  text += std::string(contextPhrase) + "<P><P>In general, ";
  std::string rest(definition);
  if (!rest.empty()) rest[0] = AsciiLower(rest[0]);
  return text + rest;
}

namespace {

struct PlainText {
  std::string out;
  bool inEquation = false;
};

void OnPlainEvent(MarkupEvent& e) {
  auto* p = static_cast<PlainText*>(e.data);
  if (!p->inEquation) p->out.append(e.text, e.textLength);
  e.ConsumeText();
  if (!e.IsTag()) return;
  const char letter = e.Letter();
  if (e.Tag() == "math") {
    p->inEquation = !e.closing;
  } else if (!p->inEquation && (letter == 'p' || (letter == 'b' && e.tagLength > 1))) {
    // Paragraphs, and "br" (a "b" with more to its name), end a line.
    if (!e.closing || letter == 'p') p->out += '\n';
  }
}

}  // namespace

std::string GlossaryPlainText(std::string_view displayText) {
  PlainText p;
  Tokenize(displayText.data(), static_cast<std::ptrdiff_t>(displayText.size()), OnPlainEvent, &p);
  return p.out;
}
