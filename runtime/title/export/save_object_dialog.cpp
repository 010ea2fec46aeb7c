#include "title/export/save_object_dialog.h"

#include "base/cp1253.h"
#include "base/message_format.h"
#include "platform/files.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "title/export/export_writers.h"

namespace zd {
namespace {

platform::FileDialogSpec DialogFor(Runtime& runtime, const std::vector<ExportFormat>& offered) {
  platform::FileDialogSpec dialog;
  dialog.save = true;
  dialog.mustExist = false;
  dialog.title = runtime.shell.Text(strings::SAVE_OBJECT_TITLE);
  for (const ExportFormat format : offered) {
    const ExportFormatInfo& info = InfoOf(format);
    dialog.filters.push_back({runtime.shell.Text(info.descriptionId),
                              std::string("*.") + info.extension});
  }
  dialog.defaultName = dialog.filters.front().pattern;
  // The extension and the question about a file that exists depend on the type chosen, so
  // both are this dialog's own business, not the platform's.
  dialog.askOverwrite = false;
  return dialog;
}

// Yes: replace the file.
bool AgreesToReplace(Runtime& runtime, const std::string& path1253) {
  platform::MessageBoxSpec box;
  box.caption = runtime.shell.windowTitle();
  box.text = FormatMessageText(runtime.shell.Text(strings::FILE_EXISTS), path1253);
  box.icon = platform::MessageIcon::Question;
  box.buttons = platform::MessageButtons::YesNo;
  return runtime.platform.MessageBox(box) == platform::answer::YES;
}

}  // namespace

std::string WithExtension(std::string path1253, std::string_view extension) {
  const size_t slash = path1253.find_last_of("\\/");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path1253.find_last_of('.');
  const bool hasDot = dot != std::string::npos && dot > nameStart;
  if (hasDot && dot + 1 < path1253.size()) return path1253;  // an extension of its own
  if (!hasDot) path1253 += '.';
  path1253 += extension;
  return path1253;
}

std::string_view NamePart(std::string_view path1253) {
  const size_t slash = path1253.find_last_of("\\/");
  return slash == std::string_view::npos ? path1253 : path1253.substr(slash + 1);
}

bool UnwritableName(std::string_view path1253) {
  for (const char c : path1253) {
    if (c == '?' || c == '*' || Cp1253ToUnicode(uint8_t(c)) == 0xFFFD) return true;
  }
  return false;
}

std::optional<SaveChoice> AskWhereToSave(Runtime& runtime, uint32_t offerMask) {
  const std::vector<ExportFormat> offered = OfferedFormats(offerMask);
  if (offered.empty()) return std::nullopt;
  const platform::FileDialogSpec dialog = DialogFor(runtime, offered);
  for (;;) {
    const auto chosen = runtime.platform.FileDialog(dialog);
    if (!chosen || chosen->path.empty()) return std::nullopt;
    // A folder typed as the name ("C:\OUT\") would become a file named only by its
    // extension: the learner is asked again.
    if (NamePart(chosen->path).empty()) continue;
    // The type shown at OK picks the format; a type the list does not have is its first.
    const size_t index = chosen->filter >= 0 && size_t(chosen->filter) < offered.size()
                             ? size_t(chosen->filter)
                             : 0;
    SaveChoice choice{WithExtension(chosen->path, InfoOf(offered[index]).extension),
                      offered[index]};
    if (UnwritableName(choice.path1253)) {
      runtime.shell.reporter().ShowText(runtime.shell.windowTitle(),
                                        runtime.shell.Text(strings::UNWRITABLE_FILE_NAME));
      continue;
    }
    const auto existing = platform::ResolvePath(choice.path1253);
    if (existing && !platform::IsDirectory(*existing) &&
        !AgreesToReplace(runtime, choice.path1253)) {
      continue;
    }
    return choice;
  }
}

void SaveObjectDialog(Runtime& runtime, const ObjectToSave& object, uint32_t offerMask) {
  const auto choice = AskWhereToSave(runtime, offerMask);
  if (!choice) return;
  const std::string diskPath = platform::ResolvePathForWriting(choice->path1253);
  const ExportResult result =
      platform::IsDirectory(diskPath)
          ? ExportResult::CannotCreate
          : WriteObjectFile(runtime, choice->format, object, diskPath);
  if (result != ExportResult::Saved) {
    runtime.shell.reporter().ReportError(
        ResultKey(result, choice->format == ExportFormat::Bitmap));
  }
}

}  // namespace zd
