// A hypertext view's text as plain markup and as a resource container: the
// first pass (paragraphs, directives, buttons, pictures from the container) and
// the layout pass measuring every paragraph at two widths.
#include <QtGui/QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "hypertext/HyperDocument.h"

namespace {
HyperSourceLinks Links() {
  HyperSourceLinks links;
  links.bundleName = [](std::string_view key) { return std::string(key.substr(0, 20)); };
  links.expandName = [](std::string_view name) { return std::string(name.substr(0, 20)); };
  links.sourceExists = [](std::string_view target) { return !target.empty() && target[0] != 'x'; };
  return links;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HyperDocument document;
  document.SetLinks(Links());
  const std::span<const std::uint8_t> bytes(data, size);
  for (bool container : {false, true}) {
    if (!document.SetText(bytes, container)) continue;
    for (const HyperParagraph& p : document.paragraphs())
      if (p.text.size() > HyperContent::kBufferLimit + 16) __builtin_trap();
    if (document.sourceButtons().size() > HyperContent::kButtonLimit) __builtin_trap();
    for (int width : {240, 700}) {
      const int total = document.Layout(width, 300);
      if (total < 0) __builtin_trap();
      for (const HyperParagraph& p : document.paragraphs())
        if (p.terms.size() > HyperParagraph::kTermLimit || p.lineWidths.size() > HyperParagraph::kLineWidthLimit)
          __builtin_trap();
    }
    (void)document.CopyAsText();
  }
  return 0;
}
