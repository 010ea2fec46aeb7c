// Styled text: a text object of 2 KB of marked-up text laid out and drawn into a 560 x 400 box
// on the page canvas, as each paint of its page does, and the click test over the same text.
#include <benchmark/benchmark.h>

#include <string>

#include "graphics/text/canvas_text_device.h"
#include "graphics/colour_match.h"
#include "graphics/text/font_mapping.h"
#include "graphics/text/styled_text.h"
#include "platform/text_fonts.h"

namespace {

// About 2 KB: headings, paragraphs, weights, colours and anchors, as a page of a title has them.
std::string TwoKilobytes() {
  const std::string paragraph =
      "<P>Στη λίμνη ζουν <B>πάπιες</B>, <I>βάτραχοι</I> και ψάρια. Το νερό της έρχεται από "
      "<FONT COLOR=#0000FF>το ρυάκι</FONT> του βουνού και φεύγει προς <A QSE=\"+Sea\">τη "
      "θάλασσα</A>. Ducks, frogs and fish live in the pond all year round.</P>";
  std::string text = "<H1 ALIGN=CENTER>Η λίμνη</H1>";
  while (text.size() < 2048) text += paragraph;
  return text.substr(0, 2048);
}

void BM_DrawStyledText(benchmark::State& state) {
  zd::platform::FontSet fonts;
  const zd::ColourMatcher matcher;
  zd::Canvas canvas(640, 480);
  const std::string text = TwoKilobytes();
  zd::TextBoxInput input;
  input.box = {40, 40, 600, 440};
  input.text = text;
  input.flags = zd::text_flag::FILL | zd::text_flag::FRAME;
  input.textColour = zd::PaletteColour(0, 0, 0);
  input.background = zd::PaletteColour(255, 255, 255);
  input.linkColour = zd::PaletteColour(0, 0, 255);
  input.font = zd::MapMarkupFont("Homerton.Medium", 10, 10);
  const bool click = state.range(0) != 0;
  for (auto _ : state) {
    // A page makes its device at every paint, so the fonts' advances are measured every time.
    zd::CanvasTextDevice device(click ? nullptr : &canvas, fonts, [&matcher](zd::platform::Rgb rgb) {
      return matcher.Nearest(rgb);
    });
    const auto hit = click ? zd::DrawTextBox(device, input, std::pair{300, 400})
                           : zd::DrawTextBox(device, input);
    benchmark::DoNotOptimize(hit);
    benchmark::DoNotOptimize(canvas.Row(240)[320]);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_DrawStyledText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
