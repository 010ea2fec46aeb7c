#include "weblink/web_links.h"

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/cp1253.h"
#include "base/lifecycle.h"
#include "base/trace.h"
#include "runtime.h"
#include "weblink/browser_settings_dialog.h"
#include "weblink/local_pages.h"
#include "weblink/start_errors.h"
#include "weblink/web_address.h"

namespace zd {
namespace {

// The settings file the chosen browser is kept in, beside the player's other settings.
std::string SettingsFile(Runtime& runtime) {
  return runtime.platform.Saves().SettingsFolder() + "/zendral.ini";
}

}  // namespace

WebLinks::WebLinks(Runtime& runtime)
    : runtime_(runtime),
      browsers_(BrowserSources{std::getenv, SettingsFile(runtime)}, runtime.config.language,
                runtime.trace) {}

void WebLinks::ClearBrowserList() { browsers_.Clear(); }

void WebLinks::ReleaseBrowserList() {
  browsers_.Clear();
  pendingLink_.reset();
}

void WebLinks::WebBrowse(std::string_view kind, std::string_view page) {
  std::string address;
  if (kind == "Local") {
    const auto found = FindLocalPage(runtime_.shell.commandLine().overrideDirectoryAsGiven,
                                     runtime_.titleFiles.titleDirectory(), page);
    if (!found) {
      runtime_.script.ReportScriptError("wblerr2", ShownAddress(page));
      return;
    }
    address = FileUri(*found);
  } else if (kind == "URL") {
    // Checked as the title wrote it: only web addresses reach the browser.
    const auto checked = CheckedWebAddress(page);
    if (!checked) {
      runtime_.script.ReportScriptError("wblerr3", ShownAddress(page));
      return;
    }
    address = Cp1253ToUtf8(*checked);
  } else {
    runtime_.script.ReportScriptError("wblerr1", ShownAddress(kind));
    return;
  }

  browsers_.DetectBrowsers();
  if (browsers_.HaveBrowserChoice()) {
    OpenAddress(address);
    return;
  }
  // The user chooses a browser first; the dialog opens this link after OK. A second link asked
  // for before the dialog shows replaces the first rather than queueing a second dialog.
  pendingLink_ = std::move(address);
  if (setupPosted_) return;
  setupPosted_ = true;
  PauseMedia();
  runtime_.shell.queue().Post(Msg::BrowserSetup);
}

void WebLinks::BrowserSetup() {
  setupPosted_ = false;
  // Opened from elsewhere (without a link waiting), the dialog still stops the page clock.
  const bool pausedHere = !mediaPaused_;
  if (pausedHere) PauseMedia();
  const bool chosen = RunBrowserSettingsDialog(runtime_, browsers_);
  ResumeMedia();
  runtime_.shell.window().InvalidateAll(true);
  std::optional<std::string> link = std::exchange(pendingLink_, std::nullopt);
  if (chosen && link) OpenAddress(*link);
}

void WebLinks::OpenAddress(const std::string& address) {
  const uint32_t now = runtime_.platform.TickCount();
  if (lastAttempt_ && now - *lastAttempt_ < kWebAttemptIntervalMs) {
    runtime_.shell.reporter().ReportError("wblerr7");
    return;
  }
  lastAttempt_ = now;

  Pointers& pointers = runtime_.shell.pointers();
  const platform::CursorHandle previous = pointers.PushPointer(pointers.WaitCursor());
  const BrowserEntry* entry = browsers_.ChosenBrowser();
  const std::vector<std::string> words =
      entry ? BrowserCommand(*entry, address) : std::vector<std::string>{};
  platform::ProgramStart started;
  started.error = ENOENT;  // no browser to start is a browser not found
  if (!words.empty() && !words.front().empty()) {
    runtime_.trace.Line(TraceCategory::Start, StartTraceLine(words));
    started = runtime_.platform.StartProgram(words);
  }
  pointers.PopPointer(previous);
  runtime_.shell.window().InvalidateAll(true);
  // The page stays as it is whatever happened; only the user is told.
  if (!started.ok()) runtime_.shell.reporter().ReportError(StartErrorKey(started.error));
}

void WebLinks::PauseMedia() {
  if (mediaPaused_) return;
  mediaPaused_ = true;
  TraceLifecycle(runtime_.trace, "media pause");
  runtime_.scheduler.PauseClock();
  runtime_.movies.Pause();
}

void WebLinks::ResumeMedia() {
  if (!mediaPaused_) return;
  mediaPaused_ = false;
  TraceLifecycle(runtime_.trace, "media resume");
  runtime_.movies.Resume();
  runtime_.scheduler.ResumeClock();
}

}  // namespace zd
