// The script command "print": a text object's text on as many sheets as it needs.
#include <algorithm>

#include "graphics/text/text_objects.h"
#include "print/print_job.h"
#include "print/printing.h"
#include "runtime.h"
#include "title/page_object.h"

namespace zd {
namespace {

// The third object kind the command takes, a map: it prints one empty sheet.
constexpr uint32_t kEmptySheetType = object_type::MAP;

// The page clock and the movies stand still while the job runs, and go on afterwards.
class MediaPaused {
 public:
  explicit MediaPaused(Runtime& runtime) : runtime_(runtime) {
    runtime_.scheduler.PauseClock();
    runtime_.movies.Pause();
  }
  ~MediaPaused() {
    runtime_.movies.Resume();
    runtime_.scheduler.ResumeClock();
  }
  MediaPaused(const MediaPaused&) = delete;
  MediaPaused& operator=(const MediaPaused&) = delete;

 private:
  Runtime& runtime_;
};

// The text a text object holds: its own (type 4) or its resource's up to the first NUL
// (type 5); nothing for a resource that did not load.
std::optional<std::string> ObjectText(Runtime& runtime, const PageObject& object) {
  if (object.type() == object_type::TEXT) return object.text();
  const ResourceCache& cache = runtime.titleFiles.cache();
  const uint32_t slot = object.textSlot();
  if (slot >= uint32_t(kCacheSlots) || !cache.slot(int(slot)).used) return std::nullopt;
  const std::vector<uint8_t>& block = cache.slot(int(slot)).block;
  return std::string(block.begin(), std::find(block.begin(), block.end(), uint8_t(0)));
}

}  // namespace

void Printing::PrintTextObject(const PageObject& object) {
  const uint32_t type = object.type();
  if (type != object_type::TEXT && type != object_type::STYLED_TEXT && type != kEmptySheetType) {
    runtime_.script.ReportScriptError("prterr1", object.name());
    return;
  }
  MediaPaused paused(runtime_);
  const std::string text =
      type == kEmptySheetType ? std::string() : ObjectText(runtime_, object).value_or("");
  RunPrintJob(runtime_, InitPrinting(), {}, [&](SheetTarget& target, const auto&) {
    if (text.empty()) {
      target.document.BeginSheet(target.sheet.widthPt, target.sheet.heightPt);
      target.document.EndSheet();
      return true;
    }
    // The object's colours, font and flags; its box is the sheet's printable area.
    TextBoxInput input = ObjectTextInput(object, Rect{}, text);
    return PrintStyledTextSheets(target, input);
  });
}

}  // namespace zd
