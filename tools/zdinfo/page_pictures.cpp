#include "zdinfo/page_pictures.h"

#include <algorithm>
#include <memory>
#include <sstream>

#include "base/cp1253.h"
#include "base/trace.h"
#include "graphics/text/font_mapping.h"
#include "platform/headless/headless_platform.h"
#include "platform/png_codec.h"
#include "platform/presented_frame.h"
#include "runtime.h"
#include "title/page_picture.h"

namespace zd::info {
namespace {

// A player that opens the title without a window and without playing it. What it would have
// said in message boxes (a missing resource, say) is kept in its trace and shown as warnings.
class PicturePlayer {
 public:
  explicit PicturePlayer(const std::string& title)
      : title_(Utf8ToCp1253(title)), trace_(&traceOut_, TraceBit(TraceCategory::Message)) {
    platform_ = platform::MakeHeadlessPlatform({}, trace_, nullptr);
    RuntimeConfig config;  // no options: the title is opened by its path, blanks and all
    config.messagesPath = "/nonexistent/MESSAGES.TXT";  // keys, not texts, in the warnings
    runtime_ = std::make_unique<Runtime>(*platform_, trace_, config);
  }

  bool Open() { return runtime_->shell.OpenTitleForPictures(title_); }
  Runtime& runtime() { return *runtime_; }

  // The messages the title gave since the last call, one "zdinfo: ..." line each.
  void ReportMessages(std::ostream& err) {
    std::istringstream lines(traceOut_.str());
    for (std::string line; std::getline(lines, line);) err << "zdinfo: " << line << "\n";
    traceOut_.str("");
  }

 private:
  std::string title_;
  std::ostringstream traceOut_;
  Trace trace_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Runtime> runtime_;
};

// The page as a backend presents it when it is first shown: the picture in the title palette
// with the toolbox icon over it where the page has one.
platform::RgbImage PresentedPage(Runtime& runtime, const Canvas& canvas) {
  platform::Frame frame;
  frame.image = canvas.View();
  frame.palette = &runtime.graphics.titleColours();
  runtime.toolbox.AddIconOverlay(frame.overlays);
  platform::PresentedFrame presented;
  presented.Store(frame);
  return presented.Compose(canvas.width(), canvas.height());
}

bool WriteRgb(const std::string& path, const platform::RgbImage& image, std::ostream& err) {
  std::string error;
  if (platform::WritePngRgb(path, image, error)) return true;
  err << "zdinfo: " << error << "\n";
  return false;
}

bool OpenTitle(PicturePlayer& player, const std::string& title, std::ostream& err) {
  if (player.Open()) return true;
  player.ReportMessages(err);
  err << "zdinfo: cannot read the title " << title << "\n";
  return false;
}

// The sheet: four pages a row, each a quarter of its size (every 4 x 4 block of pixels
// averaged), with its number and name under it.
constexpr int kColumns = 4, kShrink = 4, kCellWidth = 640 / kShrink, kPictureHeight = 480 / kShrink;
constexpr int kLabelHeight = 18, kGap = 8;
// A title claiming more pages than any title had would make a sheet of gigabytes.
constexpr uint32_t kSheetPages = 400;
constexpr int kCellHeight = kPictureHeight + kLabelHeight;

void PutShrunk(platform::RgbImage& sheet, int left, int top, const platform::RgbImage& page) {
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      int sum[3] = {0, 0, 0};
      for (int dy = 0; dy < kShrink; ++dy) {
        for (int dx = 0; dx < kShrink; ++dx) {
          const uint8_t* p = &page.rgb[(size_t(y * kShrink + dy) * page.width + x * kShrink + dx) * 3];
          for (int c = 0; c < 3; ++c) sum[c] += p[c];
        }
      }
      uint8_t* out = &sheet.rgb[(size_t(top + y) * sheet.width + left + x) * 3];
      for (int c = 0; c < 3; ++c) out[c] = uint8_t(sum[c] / (kShrink * kShrink));
    }
  }
}

// The label in black on the sheet's white, through the player's own text drawing.
void PutLabel(platform::RgbImage& sheet, int left, int top, const std::string& label, Runtime& runtime) {
  Canvas text(kCellWidth, kLabelHeight);
  text.Fill(0);
  LogicalFont font;
  font.faceName = "Arial";
  font.height = 13;
  runtime.graphics.textPainter().DrawLine(text, 2, 2, font, label, 1);
  for (int y = 0; y < kLabelHeight; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (text.At(x, y) == 0) continue;
      uint8_t* out = &sheet.rgb[(size_t(top + y) * sheet.width + left + x) * 3];
      out[0] = out[1] = out[2] = 0;
    }
  }
}

}  // namespace

int WritePagePicture(const std::string& title, const std::string& page, const std::string& png,
                     std::ostream& err) {
  PicturePlayer player(title);
  if (!OpenTitle(player, title, err)) return 1;
  Runtime& runtime = player.runtime();
  const auto number = FindPageForPicture(runtime, Utf8ToCp1253(page));
  if (!number) {
    err << "zdinfo: the title has no page " << page << " (pages are counted from 0 or named)\n";
    return 1;
  }
  const auto canvas = DrawPageAsFirstShown(runtime, *number);
  player.ReportMessages(err);
  if (!canvas) {
    err << "zdinfo: page " << page << " is never shown (a special page) and has no picture\n";
    return 1;
  }
  return WriteRgb(png, PresentedPage(runtime, *canvas), err) ? 0 : 1;
}

int WriteContactSheet(const std::string& title, const std::string& png, std::ostream& err) {
  PicturePlayer player(title);
  if (!OpenTitle(player, title, err)) return 1;
  Runtime& runtime = player.runtime();
  const uint32_t pageCount = runtime.titleFiles.image().PageCount();
  if (pageCount == 0) {
    err << "zdinfo: the title has no pages\n";
    return 1;
  }
  const uint32_t pages = std::min(pageCount, kSheetPages);
  if (pages < pageCount) {
    err << "zdinfo: the sheet shows the first " << pages << " of " << pageCount << " pages\n";
  }
  const int rows = int((pages + kColumns - 1) / kColumns);
  platform::RgbImage sheet{kColumns * (kCellWidth + kGap) + kGap, rows * (kCellHeight + kGap) + kGap, {}};
  sheet.rgb.assign(size_t(sheet.width) * sheet.height * 3, 255);
  for (uint32_t n = 0; n < pages; ++n) {
    const int left = kGap + int(n % kColumns) * (kCellWidth + kGap);
    const int top = kGap + int(n / kColumns) * (kCellHeight + kGap);
    const auto record = runtime.titleFiles.image().PageRecord(n);
    const std::string name = record ? runtime.titleFiles.image().PageName(*record) : "";
    const auto canvas = DrawPageAsFirstShown(runtime, n);
    if (canvas) {
      PutShrunk(sheet, left, top, PresentedPage(runtime, *canvas));
    } else {
      // A special page is never shown: its cell stays grey.
      for (int y = 0; y < kPictureHeight; ++y) {
        std::fill_n(&sheet.rgb[(size_t(top + y) * sheet.width + left) * 3], kCellWidth * 3, 200);
      }
    }
    PutLabel(sheet, left, top + kPictureHeight, std::to_string(n) + " " + name, runtime);
  }
  player.ReportMessages(err);
  return WriteRgb(png, sheet, err) ? 0 : 1;
}

}  // namespace zd::info
