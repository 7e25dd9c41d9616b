#include "course/ToolWindowClass.h"

#include <array>

#include "course/ByteReader.h"

namespace {
// A four-character type code, first character in the high byte.
constexpr std::uint32_t Code(const char (&c)[5]) {
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                             static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[3])};
  return LoadBe32(b);
}

struct ToolEntry {
  std::uint32_t code;
  ToolWindow window;
  std::string_view className;
};

constexpr std::array<ToolEntry, 18> kTools = {{
    {Code("tfex"), ToolWindow::Expo1, "CExpo1Wnd"},    // exposition window, first layout
    {Code("tf2x"), ToolWindow::Expo2, "CExpo2Wnd"},    // second layout
    {Code("tf3x"), ToolWindow::Expo3, "CExpo3Wnd"},    // third layout
    {Code("tfc$"), ToolWindow::Code, "CCodeWnd"},      // code listing
    {Code("tfcl"), ToolWindow::Central, "CCentralWnd"},  // sampling distributions
    {Code("tfcp"), ToolWindow::Cond, "CCondWnd"},      // conditional probability
    {Code("tfdp"), ToolWindow::Dotplot, "CDotplotWnd"},  // centre and spread
    {Code("tfds"), ToolWindow::Density, "CDensityWnd"},  // inference error
    {Code("tfgs"), ToolWindow::Guess, "CGuessWnd"},    // perception experiment
    {Code("tfhs"), ToolWindow::Histo, "CHistoWnd"},    // histogram
    {Code("tfln"), ToolWindow::Line, "CLineWnd"},      // line
    {Code("tfls"), ToolWindow::Least, "CLeastWnd"},    // least squares
    {Code("tfpb"), ToolWindow::Prob, "CProbWnd"},      // probability function sampler
    {Code("tfpc"), ToolWindow::Process, "CProcessWnd"},  // control charts
    {Code("tfrn"), ToolWindow::Random, "CRandomWnd"},  // random bars
    {Code("tfsp"), ToolWindow::Scatter, "CScatterWnd"},  // scatterplot
    {Code("tftb"), ToolWindow::Table, "CTableWnd"},    // distribution tables
    {Code("tftg"), ToolWindow::Target, "CTargetWnd"},  // reaction experiment
}};
}  // namespace

ToolWindow ToolWindowClass(std::uint32_t code) {
  for (const auto& t : kTools)
    if (t.code == code) return t.window;
  return ToolWindow::Expo;
}

std::string_view ToolWindowClassName(ToolWindow window) {
  for (const auto& t : kTools)
    if (t.window == window) return t.className;
  return "CExpoWnd";
}

std::optional<std::uint32_t> ToolCodeOfScript(std::span<const std::uint8_t> fileStart) {
  if (fileStart.size() < 12) return std::nullopt;
  return LoadLe32(fileStart.subspan<8, 4>());
}
