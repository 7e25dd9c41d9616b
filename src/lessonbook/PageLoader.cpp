#include "lessonbook/PageLoader.h"

#include <QtGui/QColor>
#include <algorithm>

#include "course/AsciiCase.h"
#include "course/ResourceContainer.h"
#include "hypertext/MarkupTokenizer.h"
#include "hypertext/MathElement.h"
#include "hypertext/Picture.h"
#include "lessonbook/PageMarkup.h"
#include "lessonbook/PageTools.h"

namespace {

// Equation markup is kept whole up to this size; beyond it the element is cut.
constexpr int kMaxMinutes = 999;

int LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > 1'000'000) break;  // far beyond any use; stop before overflow
  }
  return static_cast<int>(negative ? -value : value);
}

bool IsTrueNumberOrWord(std::string_view v) {
  if (EqualNoCase(v, "true")) return true;
  return LeadingNumber(v) != 0;
}

class PageReader {
 public:
  PageReader(PageContent& out, const ContainerDirectory* directory, std::span<const std::uint8_t> file,
             const PageLoadLinks& links, int fontSize)
      : m_out(out), m_directory(directory), m_file(file), m_links(links), m_fontSize(fontSize) {}

  void Event(MarkupEvent& e);
  void Finish();

 private:
  std::string& Target() { return m_capturing ? m_capture : m_buffer; }
  void AppendText(std::string_view s);
  void AppendTag(std::string_view s);
  void TakeText(MarkupEvent& e);
  void Image(const MarkupEvent& e);
  void Directive(const MarkupEvent& e);
  void Close(bool replacement);
  void ResetPending();
  std::unique_ptr<Picture> LoadPicture(std::string_view name) const;
  void StartMath(const MarkupEvent& e);
  void MathEvent(MarkupEvent& e);
  void EndMath();

  PageContent& m_out;
  const ContainerDirectory* m_directory;
  std::span<const std::uint8_t> m_file;
  const PageLoadLinks& m_links;
  int m_fontSize;

  std::string m_buffer;
  bool m_capturing = false;  // inside "h1" to "h9"
  std::string m_capture;
  int m_skipDepth = 0;  // open "t" elements
  int m_indent = 0;

  // The paragraph being read.
  std::unique_ptr<Picture> m_picture;
  PictureAlign m_align = PictureAlign::Left;
  std::unique_ptr<Picture> m_icon;
  bool m_activity = false;
  int m_minutes = 0;
  bool m_shrunk = false;
  std::string m_title;
  bool m_large = false;
  bool m_rule = false;
  bool m_centred = false;

  bool m_inMath = false;
  MathElement m_math;
};

void PageReader::AppendText(std::string_view s) {
  if (m_skipDepth > 0 && !m_capturing) return;
  std::string& target = Target();
  if (target.size() + s.size() > PageContent::kBufferLimit) return;  // only whole runs go in
  for (char c : s) target += c == '\n' ? static_cast<char>(166) : c;
}

void PageReader::AppendTag(std::string_view s) {
  std::string& target = Target();
  if (target.size() + s.size() <= PageContent::kBufferLimit) target.append(s);
}

void PageReader::TakeText(MarkupEvent& e) {
  AppendText(e.Text());
  e.ConsumeText();
}

std::unique_ptr<Picture> PageReader::LoadPicture(std::string_view name) const {
  if (!m_directory) return nullptr;
  const ContainerEntry* entry = m_directory->FindEntry(name, kEntryPicture);
  if (!entry || std::uint64_t(entry->offset) + entry->length > m_file.size()) return nullptr;
  auto picture = std::make_unique<Picture>();
  if (!picture->LoadFromMemory(m_file.subspan(entry->offset, entry->length))) return nullptr;
  picture->ReplaceKeyColour(QColor(255, 255, 255));
  return picture;
}

void PageReader::Image(const MarkupEvent& e) {
  for (int i = 0; i < e.attributeCount; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    const std::string_view v = a.Value();
    switch (a.Letter()) {
      case 'a':
        if (!v.empty() && AsciiLower(v.front()) == 'c')
          m_align = PictureAlign::Centre;
        else if (!v.empty() && AsciiLower(v.front()) == 'r')
          m_align = PictureAlign::Right;
        else
          m_align = PictureAlign::Left;
        break;
      case 's':
        // A missing picture leaves nothing pending: an earlier picture must not
        // stand in for it.
        m_picture = LoadPicture(v);
        break;
      case 'e':
        m_activity = true;
        m_icon = std::move(m_picture);
        break;
      case 'h': m_shrunk = IsTrueNumberOrWord(v); break;
      case 't': m_minutes = std::clamp(LeadingNumber(v), 0, kMaxMinutes); break;
      default: break;
    }
  }
}

void PageReader::Directive(const MarkupEvent& e) {
  for (int i = 0; i < e.attributeCount; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    switch (a.Letter()) {
      case 'r':
        if (m_links.expandName) AppendText(m_links.expandName(a.Value()));
        break;
      case 't': {
        const int tool = PageToolIndex(a.Value());
        if (m_out.tool1 == 0)
          m_out.tool1 = tool;
        else if (m_out.tool2 == 0)
          m_out.tool2 = tool;
        break;
      }
      default: break;
    }
  }
}

void PageReader::ResetPending() {
  m_buffer.clear();
  m_picture.reset();
  m_align = PictureAlign::Left;
  m_icon.reset();
  m_activity = false;
  m_minutes = 0;
  m_shrunk = false;
  m_title.clear();
  m_large = false;
  m_rule = false;
  m_centred = false;
  m_indent = 0;
}

void PageReader::Close(bool replacement) {
  if (m_capturing) {
    // A heading left open ends with its paragraph.
    m_capturing = false;
    m_capture.clear();
  }
  if (replacement && !m_out.paragraphs.empty()) {
    PageParagraph& previous = m_out.paragraphs.back();
    previous.altText = std::move(m_buffer);
    if (m_picture) previous.altPicture = std::move(m_picture);
    PrepareLayoutForms(previous);
    ResetPending();
    return;
  }
  PageParagraph p;
  p.text = std::move(m_buffer);
  p.title = std::move(m_title);
  p.picture = std::move(m_picture);
  p.align = m_align;
  p.icon = std::move(m_icon);
  p.activity = m_activity;
  p.minutes = m_minutes;
  p.shrunk = m_activity && m_shrunk;
  p.indent = m_indent;
  p.centred = m_centred;
  p.rule = m_rule;
  p.large = m_large;
  if (p.activity) p.activityIndex = m_out.activityCount++;
  PrepareLayoutForms(p);
  m_out.paragraphs.push_back(std::move(p));
  ResetPending();
}

void PageReader::StartMath(const MarkupEvent& e) {
  m_inMath = true;
  m_math.Start(e);
}

void PageReader::MathEvent(MarkupEvent& e) {
  if (m_math.Take(e)) EndMath();
}

void PageReader::EndMath() {
  m_inMath = false;
  std::unique_ptr<Picture> picture;
  if (m_links.renderEquation) picture = m_links.renderEquation(m_math.markup(), m_fontSize);
  if (picture && picture->IsLoaded()) {
    m_picture = std::move(picture);
    m_out.sizeDependentPictures = true;
    return;
  }
  // Without an equation picture the element's text stands in the line, its blanks
  // reduced to single spaces.
  AppendText(m_math.InlineText());
}

void PageReader::Event(MarkupEvent& e) {
  if (m_inMath) {
    MathEvent(e);
    return;
  }
  TakeText(e);
  if (e.IsWordBoundary()) return;
  if (e.IsLineEnd()) {
    // A line end in the source separates words.
    std::string& target = Target();
    if (!target.empty() && target.back() != ' ') AppendText(" ");
    return;
  }
  if (!e.IsTag()) return;

  const std::string_view name = e.Tag();
  switch (e.Letter()) {
    case '!':
      if (!e.closing) Directive(e);
      break;
    case 'a':
    case 'd':
    case 'f':
    case 'j':
    case 'l':
    case 'o':
    case 'u': AppendTag(WriteMarkupTag(e)); break;
    case 'b':
      if (name == "blockquote") {
        if (!e.closing) m_indent += PageParagraph::kBlockquoteIndent;
      } else {
        AppendTag(WriteMarkupTag(e));
      }
      break;
    case 'c':
      if (e.closing) break;
      if (m_picture)
        m_align = PictureAlign::Centre;
      else
        m_centred = true;
      break;
    case 'h':
      if (name == "hr") {
        m_rule = true;
      } else if (name.size() >= 2 && name[1] >= '0' && name[1] <= '9') {
        if (!e.closing) {
          m_capturing = true;
          m_capture.clear();
        } else if (m_capturing) {
          m_capturing = false;
          if (name == "h2") m_title = std::move(m_capture);
          m_capture.clear();
        }
      }
      break;
    case 'i':
      if (name.size() == 1)
        AppendTag(WriteMarkupTag(e));
      else if (!e.closing)
        Image(e);
      break;
    case 'm':
      if (!e.closing) StartMath(e);
      break;
    case 'p': {
      const std::string_view digits = name.substr(1);
      const bool numbered = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
      Close(numbered && LeadingNumber(digits) != 0);
      break;
    }
    case 's':
      if (!e.closing) m_large = true;
      break;
    case 't':
      if (!e.closing)
        ++m_skipDepth;
      else if (m_skipDepth > 0)
        --m_skipDepth;
      break;
    default: break;
  }
}

void PageReader::Finish() {
  if (m_inMath) EndMath();
  if (!m_buffer.empty() || m_picture || m_activity || !m_title.empty()) Close(false);
}

}  // namespace

void PrepareLayoutForms(PageParagraph& p) {
  p.body.text = PageLayoutMarkup(p.text);
  p.altBody.text = p.altText.empty() ? std::string() : PageLayoutMarkup(p.altText);
  p.titleBody.text = PageLayoutMarkup(p.title);
  p.body.centred = p.altBody.centred = p.titleBody.centred = p.centred;
}

PageContent ParsePageMarkup(std::string_view text, const ContainerDirectory* directory,
                            std::span<const std::uint8_t> file, const PageLoadLinks& links, int fontSize) {
  PageContent out;
  PageReader reader(out, directory, file, links, fontSize);
  Tokenize(text, [&reader](MarkupEvent& e) { reader.Event(e); }, true);
  reader.Finish();
  return out;
}

PageContent ParsePageFile(std::span<const std::uint8_t> bytes, const PageLoadLinks& links, int fontSize,
                          const std::string& label) {
  const ContainerDirectory directory = ContainerDirectory::Parse(bytes, bytes.size(), label);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  text.remove_prefix(std::min<std::size_t>(directory.textOffset(), text.size()));
  return ParsePageMarkup(text, &directory, bytes, links, fontSize);
}
