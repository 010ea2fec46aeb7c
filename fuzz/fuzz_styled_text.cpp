// Styled text as a text object shows it: marked-up text laid out in a box, drawn into a small
// canvas through the platform's fonts, then tested for the anchor under a click; and the same
// text as a plain text box with a search term.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/canvas.h"
#include "graphics/text/canvas_text_device.h"
#include "graphics/text/markup_text.h"
#include "graphics/text/styled_text.h"
#include "platform/text_fonts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One font set and one canvas for every run: finding fonts is the slow part and is not what
  // is under test.
  static zd::platform::FontSet fonts;
  static zd::Canvas canvas(64, 48);
  static zd::CanvasTextDevice device(&canvas, fonts, [](zd::platform::Rgb rgb) {
    return static_cast<uint8_t>(rgb.r ^ rgb.g ^ rgb.b);
  });
  static zd::CanvasTextDevice measuring(nullptr, fonts, [](zd::platform::Rgb) { return uint8_t(0); });

  FuzzedDataProvider input(data, size);
  zd::TextBoxInput box;
  box.flags = input.ConsumeIntegral<uint32_t>();
  box.box = {input.ConsumeIntegralInRange(-8, 40), input.ConsumeIntegralInRange(-8, 40),
             input.ConsumeIntegralInRange(-8, 72), input.ConsumeIntegralInRange(-8, 56)};
  box.textColour = input.ConsumeIntegral<uint32_t>();
  box.background = input.ConsumeIntegral<uint32_t>();
  box.linkColour = input.ConsumeIntegral<uint32_t>();
  box.font.height = input.ConsumeIntegralInRange(0, 40);
  box.font.weight = input.ConsumeBool() ? zd::FW_BOLD : zd::FW_NORMAL;
  const int clickX = input.ConsumeIntegralInRange(-4, 70);
  const int clickY = input.ConsumeIntegralInRange(-4, 60);
  const std::string term = input.ConsumeRandomLengthString(12);
  const std::string text = input.ConsumeRemainingBytesAsString();
  box.text = text;

  zd::DrawTextBox(device, box);
  zd::DrawTextBox(measuring, box, std::pair{clickX, clickY});
  const std::vector<zd::SearchTerm> terms{{{term}}};
  zd::DrawPlainTextBox(device, box, terms);
  zd::DrawPlainTextBox(measuring, box, terms, std::pair{clickX, clickY});
  zd::StripMarkup(text);
  zd::NormalizeMarkupBreaks(text);
  return 0;
}
