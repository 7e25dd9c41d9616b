// Course markup through the tokenizer, and a hypertext page through the first
// pass, the layout of all its paragraphs and the painting of one screen.
#include <benchmark/benchmark.h>

#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstdlib>
#include <string>

#include "hypertext/HyperDocument.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

// One paragraph as course texts write them: running text with bold, italics,
// defined terms, entities and a font change, about 70 words.
std::string Paragraph(int n) {
  return "<p>In lesson " + std::to_string(n) +
         " we look at how the <dfn>standard deviation</dfn t=\"how far values lie from their mean\"> "
         "measures spread.  When the data are <b>skewed</b> the <i>median</i> tells more than the mean,\n"
         "and a few outliers &mdash; values far from the rest &mdash; pull the mean toward them.  "
         "The sample size <font size=+1>n</font> enters the standard error as one over its square root, "
         "so four times as many observations halve the error.  &theta; stands for the parameter and "
         "x &lt; y compares two observations; the interval x &plusmn; 2s covers about 95% of a normal "
         "population.\n";
}

std::string Markup(std::size_t bytes) {
  std::string text;
  for (int n = 0; text.size() < bytes; ++n) text += Paragraph(n);
  text.resize(bytes);
  return text;
}

void BM_TokenizeMegabyte(benchmark::State& state) {
  const std::string text = Markup(1 << 20);
  const bool passThrough = state.range(0) != 0;
  std::size_t events = 0;
  for (auto _ : state) {
    Tokenize(
        text,
        [&events](MarkupEvent& e) {
          ++events;
          e.ConsumeText();
        },
        passThrough);
  }
  benchmark::DoNotOptimize(events);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TokenizeMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::string Page(int paragraphs) {
  std::string text = "<title>Spread</title><h2>Measuring spread</h2>\n";
  for (int n = 0; n < paragraphs; ++n) text += Paragraph(n);
  return text;
}

void BM_LayOutPage(benchmark::State& state) {
  HyperDocument document;
  document.SetText(Page(static_cast<int>(state.range(0))));
  int total = 0;
  for (auto _ : state) total = document.Layout(600, 400);
  benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_LayOutPage)->Arg(60)->Unit(benchmark::kMillisecond);

void BM_SetTextAndLayOut(benchmark::State& state) {
  HyperDocument document;
  const std::string page = Page(60);
  for (auto _ : state) {
    document.SetText(page);
    benchmark::DoNotOptimize(document.Layout(600, 400));
  }
}
BENCHMARK(BM_SetTextAndLayOut)->Unit(benchmark::kMillisecond);

void BM_PaintScreen(benchmark::State& state) {
  HyperDocument document;
  document.SetText(Page(60));
  document.Layout(600, 400);
  QImage image(600, 400, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    document.Paint(painter, image.rect(), 1000);
  }
}
BENCHMARK(BM_PaintScreen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
