// kncourse markup: what the player makes of a course markup text: its plain
// text, the tokenizer's events, the hypertext view's paragraphs, and the page
// as the view draws it.
#include <QtCore/QByteArray>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstdio>
#include <iostream>
#include <memory>

#include "Kncourse.h"
#include "course/ActivityLocator.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "hypertext/HyperDocument.h"
#include "hypertext/HyperServices.h"
#include "hypertext/MarkupText.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

using kncourse::Args;

// Course bytes for a terminal: UTF-8, with control bytes, quotes and
// backslashes escaped.
std::string Quote(std::string_view bytes) {
  std::string shown = "\"";
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      shown += '\\';
      shown += c;
    } else if (c == '\n') {
      shown += "\\n";
    } else if (b < 32) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      shown += hex;
    } else {
      shown += kncourse::Show(std::string_view(&c, 1));
    }
  }
  return shown + '"';
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  auto file = CourseFile::Open(path);
  return file.readAll();
}

std::string_view TextOf(const std::vector<std::uint8_t>& bytes, bool container, std::string_view label) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (container) text.remove_prefix(ContainerDirectory::Parse(bytes, bytes.size(), std::string(label)).textOffset());
  return text;
}

void LoadDocument(HyperDocument& document, const std::vector<std::uint8_t>& bytes, bool container,
                  const std::string& label) {
  document.SetLinks(CourseSourceLinks(ActivityLocator()));
  if (!document.SetText(bytes, container))
    throw CourseFileError(CourseFileError::Kind::Format, label, "not a resource container");
}

bool TakeInt(Args& a, const char* name, int& value, int low, int high) {
  if (auto v = kncourse::TakeOption(a, name)) {
    try {
      value = std::stoi(*v);
    } catch (const std::exception&) {
      return false;
    }
    return value >= low && value <= high;
  }
  return true;
}

}  // namespace

namespace kncourse {

// Fonts need the application object; kncourse draws without a display.
std::unique_ptr<QGuiApplication> MakeGuiApplication() {
  if (QGuiApplication::instance()) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kncourse";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

int MarkupStrip(Args a) {
  const bool container = kncourse::TakeSwitch(a, "container");
  if (a.size() != 1) kncourse::BadUsage("markup strip takes one FILE");
  const auto bytes = ReadFile(a[0]);
  // The whole text: every event's pending text is taken as it comes, so that
  // files longer than one event's text are shown whole.
  std::string out;
  Tokenize(TextOf(bytes, container, a[0]), [&out](MarkupEvent& e) {
    out.append(e.Text());
    if (e.IsLineEnd()) out += '\n';
    e.ConsumeText();
  });
  std::cout << kncourse::Show(out);
  if (!out.empty() && out.back() != '\n') std::cout << '\n';
  return 0;
}

int MarkupEvents(Args a) {
  const bool container = kncourse::TakeSwitch(a, "container");
  const bool passThrough = kncourse::TakeSwitch(a, "pass-through");
  if (a.size() != 1) kncourse::BadUsage("markup events takes one FILE");
  const auto bytes = ReadFile(a[0]);
  Tokenize(
      TextOf(bytes, container, a[0]),
      [](MarkupEvent& e) {
        std::string line;
        if (e.end) {
          line = "end ";
        } else if (e.IsWordBoundary()) {
          line = "word ";
        } else if (e.IsLineEnd()) {
          line = "line ";
        } else {
          line = "tag <";
          if (e.closing) line += '/';
          line += kncourse::Show(e.Tag());
          for (int i = 0; i < e.attributeCount; ++i) {
            line += ' ';
            line += kncourse::Show(e.attributes[i].Name());
            line += '=';
            line += Quote(e.attributes[i].Value());
          }
          line += "> ";
        }
        std::cout << line << Quote(e.Text()) << '\n';
        e.ConsumeText();
      },
      passThrough);
  return 0;
}

int MarkupParagraphs(Args a) {
  const bool container = kncourse::TakeSwitch(a, "container");
  if (a.size() != 1) kncourse::BadUsage("markup paragraphs takes one FILE");
  const auto app = kncourse::MakeGuiApplication();
  HyperDocument document;
  LoadDocument(document, ReadFile(a[0]), container, a[0]);
  int index = 0;
  for (const HyperParagraph& p : document.paragraphs()) {
    std::string flags;
    if (p.heading) flags += " heading";
    if (p.centred) flags += " centred";
    if (p.indent) flags += " indent=" + std::to_string(p.indent);
    if (p.listNumber) flags += " number=" + std::to_string(p.listNumber);
    if (p.picture) {
      const QSize s = p.picture->Size();
      flags += " picture=" + std::to_string(s.width()) + "x" + std::to_string(s.height());
    }
    std::cout << index++ << flags << ' ' << Quote(p.text) << '\n';
  }
  if (!document.title().empty()) std::cout << "title " << Quote(document.title()) << '\n';
  if (!document.nameDirective().empty()) std::cout << "n " << Quote(document.nameDirective()) << '\n';
  if (!document.pageDirective().empty()) std::cout << "p " << Quote(document.pageDirective()) << '\n';
  for (const HyperSourceButton& b : document.sourceButtons())
    std::cout << "button " << b.command << ' ' << Quote(b.target) << ' ' << Quote(b.caption) << '\n';
  return 0;
}

int MarkupRender(Args a) {
  const bool container = kncourse::TakeSwitch(a, "container");
  int width = 480, height = 0, fontSize = 12;
  if (!TakeInt(a, "width", width, 240, 4000) || !TakeInt(a, "height", height, 0, 20000) ||
      !TakeInt(a, "font-size", fontSize, 8, 24))
    kncourse::BadUsage("--width takes 240 to 4000, --height 0 to 20000, --font-size 8 to 24");
  const auto lessonFont = kncourse::TakeOption(a, "lesson-font");
  const auto linkColour = kncourse::TakeOption(a, "link-color");
  if (a.size() != 2) kncourse::BadUsage("markup render takes FILE OUT.png");
  const auto app = kncourse::MakeGuiApplication();

  HyperStyle style = CurrentHyperStyle(96);
  style.fontSize = fontSize;
  if (lessonFont) style.lessonFace = *lessonFont;
  if (linkColour) {
    const QColor c(QString::fromStdString(*linkColour));
    if (!c.isValid()) kncourse::BadUsage("--link-color takes #RRGGBB");
    style.linkColour = c.rgb();
  }
  HyperDocument document;
  document.SetStyle(style);
  LoadDocument(document, ReadFile(a[0]), container, a[0]);
  // Without a height the window is as tall as the text: no scroll bar.
  if (height == 0)
    height = std::max(1, document.Layout(width, 20000));
  else
    document.Layout(width, height);

  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  {
    QPainter painter(&image);
    document.Paint(painter, image.rect(), 0);
    for (const HyperSourceButton& b : document.sourceButtons()) {
      painter.setPen(Qt::black);
      painter.fillRect(b.rect, QColor(225, 225, 225));
      painter.drawRect(b.rect.adjusted(0, 0, -1, -1));
      painter.drawText(b.rect, Qt::AlignCenter, QString::fromStdString(kncourse::Show(b.caption)));
    }
    if (document.scrollBarShown())
      painter.fillRect(width - HyperDocument::kScrollBarWidth, 0, HyperDocument::kScrollBarWidth, height,
                       QColor(210, 210, 210));
  }
  if (!image.save(QString::fromStdString(a[1]), "PNG")) return kncourse::Fail("cannot write " + a[1]);
  return 0;
}

}  // namespace kncourse
