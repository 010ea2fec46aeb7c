// Pieces both backends share: the trace lines of windows and dialogs, and the answers a dialog
// accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/trace.h"
#include "platform/dialogs.h"
#include "platform/presented_frame.h"
#include "platform/types.h"

namespace zd::platform {

void TraceWindow(const Trace& trace, const char* verb, const WindowSpec& request, int clientWidth,
                 int clientHeight);
void TraceMessageBox(const Trace& trace, const MessageBoxSpec& request);
void TraceButtonDialog(const Trace& trace, const ButtonDialogSpec& request);
void TracePopupMenu(const Trace& trace, const PopupMenuSpec& request);
void TraceFileDialog(const Trace& trace, const FileDialogSpec& request);
// A chosen name completed with the dialog's default extension: when its last part has no
// extension and the first file type is shown.
void AddDefaultExtension(const FileDialogSpec& request, FileChoice& choice);
// The question a save dialog asks before its choice replaces a file that exists (Yes, the
// default, replaces it); nullopt when nothing needs asking.
std::optional<MessageBoxSpec> OverwriteQuestion(const FileDialogSpec& request,
                                                const std::string& chosen1253);
// "window scaling sharp|smooth|stretch": the scaling mode was set.
void TraceScaling(const Trace& trace, Scaling scaling);
const char* ScalingName(Scaling scaling);
void TraceAnswer(const Trace& trace, TraceCategory category, const std::string& what,
                 bool byDefault);

// The answers a message box offers, first button first.
std::vector<int> MessageBoxAnswers(const MessageBoxSpec& request);
int MessageBoxDefault(const MessageBoxSpec& request);
const char* AnswerName(int answer);  // "ok", "yes", ... or nullptr for other numbers

}  // namespace zd::platform
