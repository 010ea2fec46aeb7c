// How a form dialog (radios, check boxes, an edit field, a row of buttons) takes the steps of
// an event script, and how it is traced: the same rules for every backend. The dialog starts
// from the request's state; `check`, `uncheck` and `edit` change it, `answer ID` presses a
// button, Return presses the default one and Escape the close one.
#pragma once

#include <string>

#include "base/trace.h"
#include "platform/automation/event_script_driver.h"
#include "platform/dialogs.h"

namespace zd::platform {

// The state the dialog opens with: the options the request checks (of the radios only the
// first checked one, as they are one group), its edit text, and the default button.
FormAnswer InitialFormAnswer(const FormDialogSpec& request);

// True when button `id` is shown and enabled.
bool FormButtonEnabled(const FormDialogSpec& request, int id);
// True when Return or Escape (or the close box) may give `id`, the default or close answer:
// not 0, and not a button shown greyed. The close answer need not be a button of the row.
bool FormKeyAnswerUsable(const FormDialogSpec& request, int id);
// The button a run takes when nothing presses one: the default button when it can be
// pressed, else the close answer.
int FormFallbackButton(const FormDialogSpec& request);

// Checks (or unchecks) option `id`: a radio unchecks the others of the group, and a radio
// cannot be unchecked on its own. False when `id` is no option that can take the change.
bool SetFormOption(const FormDialogSpec& request, FormAnswer& state, int id, bool check);
bool IsFormRadio(const FormDialogSpec& request, int id);
bool IsFormCheck(const FormDialogSpec& request, int id);

// True when `step` presses a button: `result` is its id (and state.button is set). Settings
// and typing change `state` and return false; one the dialog cannot take (an id that is no
// radio or check box, an edit for a dialog without an edit field, a button that is not shown
// or is greyed) fails the script through `driver`.
bool TakeFormDialogStep(const DriverStep& step, const FormDialogSpec& request,
                        EventScriptDriver& driver, FormAnswer& state, int& result);

// `dialog NAME: TEXT; options "LABEL": 101 "A" (checked), 102 "B"; checks: 201 "C";
// edit 301 "LABEL": "TEXT" [1 "OK", 2 "Cancel" (grey)] captioned "CAPTION"`.
void TraceFormDialog(const Trace& trace, const FormDialogSpec& request);
// `form NAME: checked 101, 201; edit "TEXT"` (after the answer line).
void TraceFormAnswer(const Trace& trace, const FormDialogSpec& request, const FormAnswer& state);

}  // namespace zd::platform
