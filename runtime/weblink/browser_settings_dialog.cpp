#include "weblink/browser_settings_dialog.h"

#include <optional>

#include "base/cp1253.h"
#include "platform/dialogs.h"
#include "resources/file_types.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "weblink/browser_setting.h"
#include "weblink/browsers.h"
#include "weblink/desktop_applications.h"

namespace zd {
namespace {

// The dialog's buttons, with the original controls' ids.
constexpr int kOkButton = 1, kCancelButton = 2, kLocateButton = 106;

// Its texts in the string table.
constexpr int kNoBrowserFoundText = 506, kOneBrowserFoundText = 507, kBrowsersFoundText = 508;
constexpr int kCaptionText = 509, kLocateText = 510, kNotAProgramText = 511;
constexpr int kChooseOneText = 512, kNotSavedText = 514;

// A text and, on the line under it, what it is about (a path, a reason).
std::string WithLine(const std::string& text, const std::string& line) { return text + "\n" + line; }

class BrowserSettingsDialog {
 public:
  BrowserSettingsDialog(Runtime& runtime, Browsers& browsers)
      : runtime_(runtime), browsers_(browsers) {}

  bool Run() {
    browsers_.DetectBrowsers();
    for (;;) {
      const platform::FormAnswer answer = runtime_.platform.FormDialog(Request());
      if (answer.button == kLocateButton) {
        Locate();
        continue;
      }
      if (answer.button != kOkButton) return false;
      const BrowserEntry* checked = nullptr;
      for (const BrowserEntry& entry : browsers_.entries()) {
        if (entry.dialogControl != 0 && answer.Checked(entry.dialogControl)) checked = &entry;
      }
      if (!checked) {
        Show(Text(kChooseOneText), platform::MessageIcon::Information);
        continue;
      }
      std::string error;
      if (!browsers_.ChooseBrowser(checked->path, error)) {
        Show(WithLine(Text(kNotSavedText), Utf8ToCp1253(error)), platform::MessageIcon::Warning);
      }
      return true;
    }
  }

 private:
  std::string Text(int id) const { return LoadString(id, runtime_.config.language); }

  platform::FormDialogSpec Request() const {
    platform::FormDialogSpec request;
    request.name = "IDD_WebSetUp";
    request.caption = Text(kCaptionText);
    size_t detected = 0;
    for (const BrowserEntry& entry : browsers_.entries()) detected += entry.userChosen ? 0 : 1;
    request.text = Text(detected == 0   ? kNoBrowserFoundText
                        : detected == 1 ? kOneBrowserFoundText
                                        : kBrowsersFoundText);

    // The browser just located, else the one chosen, else the desktop's default is checked.
    const BrowserEntry* marked = browsers_.EntryFor(located_);
    if (!marked) marked = browsers_.EntryFor(browsers_.chosenPath());
    for (const BrowserEntry& entry : browsers_.entries()) {
      if (entry.dialogControl == 0) continue;
      platform::FormOption option;
      option.id = entry.dialogControl;
      option.label = entry.description;
      option.detail = entry.details;
      option.checked = marked ? &entry == marked : entry.isDefault;
      request.radios.push_back(std::move(option));
    }
    request.buttons = {{kOkButton, Text(strings::UI_OK)},
                       {kCancelButton, Text(strings::UI_CANCEL)},
                       {kLocateButton, Text(kLocateText)}};
    request.defaultId = kOkButton;
    request.closeId = kCancelButton;
    return request;
  }

  void Locate() {
    platform::FileDialogSpec request;
    request.title = Text(strings::LOCATE_BROWSER_TITLE);
    request.filters = FileTypesFromList(Text(strings::PROGRAM_FILE_TYPES));
    request.mustExist = true;
    const std::optional<platform::FileChoice> chosen = runtime_.platform.FileDialog(request);
    if (!chosen || chosen->path.empty()) return;
    const std::string path = Cp1253ToUtf8(chosen->path);
    // Only what can be started: an executable file, or a desktop entry that starts one.
    const bool startable = IsExecutableFile(path) || LoadStartableEntry(path).has_value();
    if (!startable || path.front() != '/' ||
        (!browsers_.AddBrowser(path, false, true, {"%s", "%u"}) && !browsers_.EntryFor(path))) {
      Show(WithLine(Text(kNotAProgramText), chosen->path), platform::MessageIcon::Warning);
      return;
    }
    located_ = path;
  }

  void Show(const std::string& text, platform::MessageIcon icon) {
    platform::MessageBoxSpec box;
    box.caption = Text(kCaptionText);
    box.titleCaption = false;
    box.text = text;
    box.icon = icon;
    runtime_.platform.MessageBox(box);
  }

  Runtime& runtime_;
  Browsers& browsers_;
  std::string located_;
};

}  // namespace

bool RunBrowserSettingsDialog(Runtime& runtime, Browsers& browsers) {
  return BrowserSettingsDialog(runtime, browsers).Run();
}

}  // namespace zd
