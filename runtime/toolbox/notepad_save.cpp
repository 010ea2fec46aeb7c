// Saving the notepad when the title ends: the learner is asked, chooses a file, and every page
// with text is written under its heading. The file is UTF-8 text, written whole or not at all;
// a file that cannot be written is reported and another may be chosen.
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1253.h"
#include "base/message_format.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "resources/file_types.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "title/export/save_object_dialog.h"
#include "toolbox/calculator_notepad_dialogs.h"
#include "toolbox/notepad_window.h"
#include "toolbox/notepad_window_state.h"

namespace zd {
namespace {

constexpr std::string_view kPageBreak = "\r\n\r\n";

// The text told when the chosen name holds characters no file name here can carry.

// `format` with its `marker`s ("%d", "%s") replaced by `values` in turn; a value is never
// searched for markers itself.
std::string Fill(std::string format, std::string_view marker,
                 const std::vector<std::string>& values) {
  size_t from = 0;
  for (const std::string& value : values) {
    const size_t at = format.find(marker, from);
    if (at == std::string::npos) break;
    format.replace(at, marker.size(), value);
    from = at + value.size();
  }
  return format;
}

}  // namespace

bool NotepadWindow::SaveTo(const std::string& path1253, std::string& error) const {
  const NotepadPages& pages = state_->pages;
  std::string text;  // code page 1253
  for (int page = 1; page <= pages.count(); ++page) {
    if (pages.Text(page).empty()) continue;
    text += FormatMessageText(runtime_.shell.Text(strings::PAGE_HEADING), page);
    text += kPageBreak;
    text += pages.Text(page);
    text += kPageBreak;
  }
  const std::string diskPath = platform::ResolvePathForWriting(path1253);
  if (!platform::WriteFileAtomic(diskPath, Cp1253ToUtf8(text), error)) return false;
  runtime_.trace.Line(TraceCategory::File, "file written " + diskPath);
  return true;
}

void NotepadWindow::OfferNotepadSave() {
  // The window goes with the title; what it shows is kept first.
  Close();
  const std::string caption = runtime_.shell.windowTitle();

  // Ask: only when some page has text.
  bool save = false;
  if (state_->pages.HasText()) {
    platform::MessageBoxSpec question;
    question.caption = caption;
    question.text = runtime_.shell.Text(strings::NOTEPAD_SAVE_QUESTION);
    question.icon = platform::MessageIcon::Question;
    question.buttons = platform::MessageButtons::YesNo;
    save = runtime_.platform.MessageBox(question) == platform::answer::YES;
  }

  // Choose a file and write it, until it is written or the learner cancels.
  platform::FileDialogSpec dialog;
  dialog.save = true;
  dialog.title = runtime_.shell.Text(strings::NOTEPAD_SAVE_TITLE);
  dialog.filters = FileTypesFromList(runtime_.shell.Text(strings::TEXT_FILE_TYPES));
  dialog.mustExist = false;
  dialog.askOverwrite = true;
  dialog.overwriteQuestion = runtime_.shell.Text(strings::FILE_EXISTS);
  dialog.defaultExtension = ".TXT";
  while (save) {
    const auto chosen = runtime_.platform.FileDialog(dialog);
    if (!chosen || chosen->path.empty()) break;
    // A name the dialog could only give with "?" in it would be written under another name.
    if (UnwritableName(chosen->path)) {
      runtime_.shell.reporter().ShowText(caption, runtime_.shell.Text(strings::UNWRITABLE_FILE_NAME));
      continue;
    }
    std::string error;
    if (SaveTo(chosen->path, error)) break;
    platform::MessageBoxSpec failure;
    failure.caption = caption;
    failure.text = Fill(tool_dialog::Load(runtime_, tool_dialog::Text::SaveFailed), "%s",
                        {chosen->path, Utf8ToCp1253(error)});
    failure.icon = platform::MessageIcon::Warning;
    runtime_.platform.MessageBox(failure);
  }

  // The pages are emptied only once they are saved or the learner chose not to.
  state_->pages.Reset();
}

}  // namespace zd
