// How a modal dialog takes the steps of an event script, and how its outcome is traced: the
// same rules for every backend, so a script answers a dialog alike in a window and headless.
#pragma once

#include <optional>
#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/dialogs.h"

namespace zd::platform {

// Each returns true with `result` set when `step` answers the dialog. A step that names an
// answer the dialog does not offer fails the script (through `driver`) and returns false;
// other steps (a key the dialog ignores) return false and change nothing. Keys: Return gives a
// box or dialog its default answer; Escape answers a message box No (Yes/No) or OK, closes a
// button dialog that can be closed, chooses nothing in a popup menu, cancels a file dialog.
bool TakeMessageBoxStep(const DriverStep& step, const MessageBoxSpec& request,
                        EventScriptDriver& driver, int& result);
bool TakeButtonDialogStep(const DriverStep& step, const ButtonDialogSpec& request,
                          EventScriptDriver& driver, int& result);
bool TakePopupMenuStep(const DriverStep& step, const PopupMenuSpec& request,
                       EventScriptDriver& driver, int& result);
// `chosen` receives the path and file type (nullopt: cancelled); `result` is answer::OK or
// answer::CANCEL. A file type the dialog does not list fails the script.
bool TakeFileDialogStep(const DriverStep& step, const FileDialogSpec& request,
                        EventScriptDriver& driver, std::optional<FileChoice>& chosen,
                        int& result);

// The answer line of a message box, button dialog or popup menu. File dialogs trace their
// outcome with TraceFileChoice instead.
void TraceModalResult(const Trace& trace, InputContext context, TraceCategory category,
                      int result, bool byDefault);
// "file PATH" (with "type N", counted from 1, when another than the first type was chosen)
// or "file cancelled".
void TraceFileChoice(const Trace& trace, const std::optional<FileChoice>& chosen);

// "ok", "yes", ... for the named answers, the number otherwise.
std::string AnswerText(int number);

}  // namespace zd::platform
