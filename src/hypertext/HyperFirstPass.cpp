#include "hypertext/HyperFirstPass.h"

#include <QtGui/QColor>
#include <QtGui/QFontMetrics>

#include "course/ActivityKind.h"
#include "course/CommandIds.h"
#include "course/CourseText.h"
#include "course/ResourceContainer.h"
#include "hypertext/MarkupTokenizer.h"
#include "hypertext/MathElement.h"
#include "hypertext/Picture.h"

QSize SourceButtonSize(const QFont& font, std::string_view caption) {
  const QFontMetrics fm(font);
  const QString text = QString::fromStdString(CourseToUtf8(caption));
  return {fm.horizontalAdvance(text) + 16, fm.height() + 4};
}

namespace {

constexpr int kButtonGap = 12;
constexpr QPoint kButtonRowStart{4, 2};
// Equation markup is kept whole up to this size; beyond it the element is cut.

constexpr const char* kReferenceFont = "<FONT SIZE=-1><I>";
constexpr const char* kReferenceEnd = "</I></FONT>";

class FirstPass {
 public:
  FirstPass(HyperContent& out, const ContainerDirectory* directory, std::span<const std::uint8_t> file,
            const HyperSourceLinks& links, const QFont& buttonFont, int fontSize)
      : m_out(out), m_directory(directory), m_file(file), m_links(links), m_buttonFont(buttonFont),
        m_fontSize(fontSize) {}

  void Event(MarkupEvent& e);
  void Finish();

 private:
  enum class Close { Paragraph, Item, ItemEnd, Picture, Final };

  // Text may be cut at the buffer's limit; a tag goes in whole or not at all.
  void AppendText(std::string_view s);
  void AppendTag(std::string_view s);
  void Reemit(const MarkupEvent& e);
  void LineEnd();
  void CloseParagraph(Close kind);
  void Image(const MarkupEvent& e);
  void Directive(const MarkupEvent& e);
  void StartMath(const MarkupEvent& e);
  void MathEvent(MarkupEvent& e);
  void EndMath();

  HyperContent& m_out;
  const ContainerDirectory* m_directory;
  std::span<const std::uint8_t> m_file;
  const HyperSourceLinks& m_links;
  const QFont& m_buttonFont;
  int m_fontSize;

  std::string m_buffer;
  int m_indent = 0;
  int m_listNumber = 0;
  bool m_heading = false;
  bool m_centred = false;
  std::unique_ptr<Picture> m_picture;
  bool m_ordered = false;
  int m_counter = 0;
  bool m_referenceOpen = false;         // the small italic "Based on" font is open in the buffer
  bool m_referenceInParagraph = false;  // "Based on " was written in this paragraph

  bool m_inMath = false;
  MathElement m_math;
};

void FirstPass::AppendText(std::string_view s) {
  const std::size_t room = HyperContent::kBufferLimit - std::min(m_buffer.size(), HyperContent::kBufferLimit);
  m_buffer.append(s.substr(0, room));
}

void FirstPass::AppendTag(std::string_view s) {
  if (m_buffer.size() + s.size() <= HyperContent::kBufferLimit) m_buffer.append(s);
}

void FirstPass::Reemit(const MarkupEvent& e) { AppendTag(WriteMarkupTag(e, false)); }

void FirstPass::LineEnd() {
  // A line end separates words; at the start of a paragraph there is nothing to separate.
  if (m_buffer.empty()) return;
  const char last = m_buffer.back();
  if (last == ' ') return;
  AppendText(last == '.' || last == '?' ? "  " : " ");
}

void FirstPass::CloseParagraph(Close kind) {
  // The closing tags of an open reference always go in: they are short and
  // keep the reference's font change from reaching past its paragraph.
  if (m_referenceOpen) {
    if (m_buffer == kReferenceFont)
      m_buffer.clear();  // carried over from the previous item, nothing written since
    else
      m_buffer += kReferenceEnd;
  }
  if (m_picture || !m_buffer.empty() || kind == Close::Paragraph) {
    HyperParagraph p;
    p.text = std::move(m_buffer);
    p.indent = m_indent;
    p.listNumber = m_listNumber;
    p.heading = m_heading;
    p.centred = m_centred;
    p.picture = std::move(m_picture);
    m_out.paragraphs.push_back(std::move(p));
  }
  m_buffer.clear();
  m_picture.reset();
  m_heading = false;
  m_centred = false;
  m_listNumber = 0;
  m_referenceInParagraph = false;
  if (kind == Close::Paragraph) m_indent = 0;
  // A reference list made of items goes on in the next item; a new paragraph
  // (or the end) finishes it.
  m_referenceOpen = m_referenceOpen && kind == Close::Item;
  if (m_referenceOpen) m_buffer = kReferenceFont;
}

void FirstPass::Image(const MarkupEvent& e) {
  if (!m_directory) return;
  for (int i = 0; i < e.attributeCount; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    if (a.Letter() != 's') continue;
    const ContainerEntry* entry = m_directory->FindEntry(a.Value(), kEntryPicture);
    if (!entry || std::uint64_t(entry->offset) + entry->length > m_file.size()) continue;
    auto picture = std::make_unique<Picture>();
    if (!picture->LoadFromMemory(m_file.subspan(entry->offset, entry->length))) continue;
    picture->ReplaceKeyColour(QColor(255, 255, 255));
    if (m_picture) CloseParagraph(Close::Picture);
    m_picture = std::move(picture);
    CloseParagraph(Close::Picture);
    return;
  }
}

void FirstPass::Directive(const MarkupEvent& e) {
  bool buttonJustMade = false;
  for (int i = 0; i < e.attributeCount; ++i) {
    const MarkupAttribute& a = e.attributes[i];
    const std::string_view value = a.Value();
    bool madeButton = false;
    switch (a.Letter()) {
      case 'l':
        if (buttonJustMade) {
          HyperSourceButton& b = m_out.buttons.back();
          b.caption.assign(value);
          b.rect.setSize(SourceButtonSize(m_buttonFont, b.caption));
        }
        break;
      case 'n': m_out.nameDirective.assign(value); break;
      case 'p':
        m_out.pageDirective.assign(value);
        if (m_referenceOpen) {
          AppendText(", ");
          AppendText(value);
        }
        break;
      case 'r':
        if (a.Name().starts_with("ref")) {
          const std::string name = m_links.bundleName ? m_links.bundleName(value) : std::string();
          if (!m_referenceInParagraph) {
            if (!m_referenceOpen) AppendTag(kReferenceFont);
            AppendText("Based on ");
            m_referenceOpen = true;
            m_referenceInParagraph = true;
            m_heading = true;
          } else {
            AppendText(", ");
          }
          AppendText(name);
        } else if (m_links.expandName) {
          AppendText(m_links.expandName(value));
        }
        break;
      case 's':
        if (m_out.buttons.size() < HyperContent::kButtonLimit && m_links.sourceExists && m_links.sourceExists(value)) {
          HyperSourceButton b;
          b.command = cmd::kSourceFirst + static_cast<int>(m_out.buttons.size());
          b.target.assign(value);
          b.caption = Utf8ToCourse(ActivityKindName(KindOfFileName(value)));
          const QPoint at = m_out.buttons.empty()
                                ? kButtonRowStart
                                : QPoint(m_out.buttons.back().rect.right() + 1 + kButtonGap, kButtonRowStart.y());
          b.rect = QRect(at, SourceButtonSize(m_buttonFont, b.caption));
          m_out.buttons.push_back(std::move(b));
          madeButton = true;
        }
        break;
      default: break;
    }
    buttonJustMade = madeButton;
  }
}

void FirstPass::StartMath(const MarkupEvent& e) {
  m_inMath = true;
  m_math.Start(e);
}

void FirstPass::MathEvent(MarkupEvent& e) {
  if (m_math.Take(e)) EndMath();
}

void FirstPass::EndMath() {
  m_inMath = false;
  std::unique_ptr<Picture> picture;
  if (m_links.renderEquation) picture = m_links.renderEquation(m_math.markup(), m_fontSize);
  if (picture && picture->IsLoaded()) {
    if (m_picture) CloseParagraph(Close::Picture);
    m_picture = std::move(picture);
    m_out.sizeDependentPictures = true;
    return;
  }
  // Without an equation picture the element's text stands in the line, its
  // blanks (the element's own layout in the source) reduced to single spaces.
  AppendText(m_math.InlineText());
}

void FirstPass::Event(MarkupEvent& e) {
  if (m_inMath) {
    MathEvent(e);
    return;
  }
  AppendText(e.Text());
  e.ConsumeText();
  if (e.IsLineEnd()) {
    LineEnd();
    return;
  }
  if (!e.IsTag()) return;

  const std::string_view name = e.Tag();
  switch (e.Letter()) {
    case 'a':
    case 'd':
    case 'f':
    case 'j': Reemit(e); break;
    case 'b':
      if (name == "blockquote") {
        if (!e.closing) m_indent += HyperContent::kBlockquoteIndent;
      } else {
        Reemit(e);
      }
      break;
    case 'c': m_centred = true; break;
    case 'h': m_heading = true; break;
    case 'i':
      if (name == "img") {
        if (!e.closing) Image(e);
      } else {
        Reemit(e);
      }
      break;
    case 'l':
      if (e.closing) {
        // The end of an item ends its paragraph; the layout draws numbers and
        // bullets only for the item's opening tag.
        CloseParagraph(Close::ItemEnd);
        break;
      }
      CloseParagraph(Close::Item);
      if (m_ordered) m_listNumber = ++m_counter;
      Reemit(e);
      break;
    case 'm':
      if (!e.closing) StartMath(e);
      break;
    case 'o':
      m_ordered = !e.closing;
      if (m_ordered) m_counter = 0;
      break;
    case 'p': CloseParagraph(Close::Paragraph); break;
    case 't':
      if (e.closing) {
        m_out.title = std::move(m_buffer);
        m_buffer.clear();
      }
      break;
    case '!': Directive(e); break;
    default: break;  // "u" and unknown tags change nothing here
  }
}

void FirstPass::Finish() {
  if (m_inMath) EndMath();
  CloseParagraph(Close::Final);
}

}  // namespace

HyperContent RunFirstPass(std::string_view text, const ContainerDirectory* directory,
                          std::span<const std::uint8_t> file, const HyperSourceLinks& links,
                          const QFont& buttonFont, int fontSize) {
  HyperContent out;
  FirstPass pass(out, directory, file, links, buttonFont, fontSize);
  Tokenize(text, [&pass](MarkupEvent& e) { pass.Event(e); }, true);
  pass.Finish();
  return out;
}
