// The nested loops of the SDL backend's dialogs and popup menu. Each keeps the runtime going
// (timers, posted work, painting) and the window drawn while it waits for its answer, which
// comes from the user or, while an event script plays, from the script.
#include "base/cp1253.h"
#include "platform/backend_common.h"
#include "platform/modal_answers.h"
#include "platform/sdl/file_browser.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/sdl/sdl_menus.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {
namespace {

// The window a dialog gets when it comes before the runtime's own window (or after it).
constexpr int kLoneDialogWidth = 480, kLoneDialogHeight = 240;

}  // namespace

// How long a modal loop may sleep: until the next timer or the script's next step, or the next
// frame while ImGui is settling; otherwise until an event comes.
uint32_t SdlPlatform::ModalSleep() {
  uint32_t sleep = Settling() ? kFrameMs : UINT32_MAX;
  const std::optional<uint32_t> due = TimerDeadline();
  if (due) sleep = std::min(sleep, TicksUntil(TickCount(), *due));
  if (waitUntil_) sleep = std::min(sleep, TicksUntil(SDL_GetTicks(), *waitUntil_));
  return sleep;
}

int SdlPlatform::RunModal(InputContext context, TraceCategory category, int fallback,
                          ModalView& view, const std::string& caption, const Accept& accept) {
  const bool loneWindow = !window_->shown();
  if (loneWindow) {
    window_->Place(WindowStyle::Captioned, kLoneDialogWidth, kLoneDialogHeight,
                   Cp1253ToUtf8(caption), false);
  }
  views_.push_back(&view);
  KeepRendering();  // the view's first frames
  int result = fallback;
  bool byDefault = false;
  for (;;) {
    const uint64_t rendersBefore = renders_;
    const bool scriptLive = driver_ && !driver_->ended();
    if (scriptLive && !ScriptWaiting()) {
      const DriverStep step = driver_->Next(context, *this, host_);
      if (step.kind == DriverStep::Kind::Wait) {
        // The dialog stays up and answers the user while the script waits.
        waitUntil_ = SDL_GetTicks() + step.ms;
      } else if (step.kind != DriverStep::Kind::End) {
        KeepRendering();  // keys and typing change the view
        int answer = 0;
        if (accept(step, answer)) {
          result = answer;
          break;
        }
      }
    }
    // A script that failed ends the run: the dialog takes its default, as it does headless.
    // One that played to its end leaves the dialog to the user.
    if (driver_ && driver_->failed()) {
      byDefault = true;
      break;
    }
    focusLostInModal_ = false;
    if (SdlEventsWaiting()) KeepRendering();  // input reaches the view through its frames
    PumpEvents(true);
    if (focusLostInModal_ && context == InputContext::PopupMenu) {
      result = 0;
      break;
    }
    // Timers go on under the dialog; one that changes nothing costs no frame, and one that
    // changes the page has presented it (with the dialog over it) already.
    if (host_) host_->DispatchBackground();
    if (needRender_ || (Settling() && renders_ == rendersBefore)) RenderNow();
    if (view.finished()) {
      result = view.result();
      break;
    }
    if (driver_ && !driver_->ended() && !ScriptWaiting()) continue;  // more steps to take
    SleepUntilEvent(ModalSleep());
  }
  views_.pop_back();
  if (loneWindow) window_->Hide();
  TraceModalResult(trace_, context, category, result, byDefault);
  RenderNow();  // the page again, without the dialog
  return result;
}

int SdlPlatform::MessageBox(const MessageBoxSpec& request) {
  TraceMessageBox(trace_, request);
  if (driver_) driver_->RecordMessage(request.key, request.text);
  ButtonRowView view = MakeMessageBoxView(request, options_.texts);
  return RunModal(InputContext::MessageBox, TraceCategory::Message, MessageBoxDefault(request), view,
                  request.caption, [&](const DriverStep& step, int& result) {
                    return TakeMessageBoxStep(step, request, *driver_, result);
                  });
}

int SdlPlatform::ButtonDialog(const ButtonDialogSpec& request) {
  TraceButtonDialog(trace_, request);
  ButtonRowView view = MakeButtonDialogView(request);
  return RunModal(InputContext::ButtonDialog, TraceCategory::Dialog, request.defaultId, view,
                  request.caption, [&](const DriverStep& step, int& result) {
                    return TakeButtonDialogStep(step, request, *driver_, result);
                  });
}

int SdlPlatform::PopupMenu(const PopupMenuSpec& request) {
  TracePopupMenu(trace_, request);
  PopupMenuView view(request);
  return RunModal(InputContext::PopupMenu, TraceCategory::Dialog, 0, view, "",
                  [&](const DriverStep& step, int& result) {
                    return TakePopupMenuStep(step, request, *driver_, result);
                  });
}

// A save dialog whose choice would replace a file asks first; No shows the browser again.
std::optional<FileChoice> SdlPlatform::FileDialog(const FileDialogSpec& request) {
  for (;;) {
    TraceFileDialog(trace_, request);
    FileBrowserView view(request, options_.texts);
    std::optional<FileChoice> scripted;
    bool fromScript = false;
    RunModal(InputContext::FileDialog, TraceCategory::Dialog, answer::CANCEL, view,
             request.title, [&](const DriverStep& step, int& result) {
               fromScript = TakeFileDialogStep(step, request, *driver_, scripted, result);
               return fromScript;
             });
    std::optional<FileChoice> chosen = fromScript ? scripted : view.chosen();
    TraceFileChoice(trace_, chosen);
    if (!chosen) return chosen;
    AddDefaultExtension(request, *chosen);
    const auto question = OverwriteQuestion(request, chosen->path);
    if (!question || MessageBox(*question) == answer::YES) return chosen;
  }
}

}  // namespace zd::platform::sdl
