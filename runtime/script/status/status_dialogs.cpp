// The file dialogs of status and variable files (the script commands' and the popup menu's),
// and the resume offer at the start of a title. Every dialog starts in a folder of the status
// tree, made when it is missing, and proposes a name; what the user chooses is a path anywhere.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1253.h"
#include "platform/files.h"
#include "resources/file_types.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "script/status/status_files.h"

namespace zd {
namespace {

// Folders are found without regard to letter case; made, they are spelled as the named saves'.
constexpr std::string_view kStatusFolder = "Scripts\\Status";
constexpr std::string_view kVariablesFolder = "Scripts\\Vars";
constexpr std::string_view kStatusExtension = ".ZDS";
constexpr std::string_view kVariablesExtension = ".ZDV";
// The folder and the resume text of the popup menu's Save settings and Load settings.
constexpr std::string_view kMenuFolder = "Scripts\\Status0";
constexpr std::string_view kUserSave = "USER SAVE";

// The resume offer's buttons.
constexpr int kResumeYes = 101, kResumeChoose = 102, kResumeNo = 103;

struct StatusDialog {
  bool save = false;  // a save dialog asks before replacing a file
  int titleId = 0;
  int typesId = 0;
  std::string folder;        // below the status root (code page 1253)
  std::string proposedName;
  std::string_view extension;  // added to a name without one while the first type is chosen
};

// Shows the dialog in its folder (made first when missing) and returns the chosen path
// (code page 1253; the dialog adds the extension of its first type to a bare name, before it
// asks about replacing a file); nullopt: cancelled.
std::optional<std::string> AskForStatusFile(Runtime& runtime, const script::StatusRoot& root,
                                            const StatusDialog& request) {
  platform::FileDialogSpec dialog;
  dialog.save = request.save;
  dialog.title = runtime.shell.Text(request.titleId);
  dialog.filters = FileTypesFromList(runtime.shell.Text(request.typesId));
  dialog.defaultName = request.proposedName;
  dialog.mustExist = !request.save;
  dialog.askOverwrite = request.save;
  dialog.overwriteQuestion = runtime.shell.Text(strings::FILE_EXISTS);
  dialog.defaultExtension = std::string(request.extension);
  // A folder that cannot be made leaves the dialog where the player runs: the user may still
  // choose a place.
  root.MakeFolders(request.folder);
  if (const auto folder = root.DiskPath(request.folder)) {
    dialog.initialDirectory = Utf8ToCp1253(*folder);
  }
  const auto chosen = runtime.platform.FileDialog(dialog);
  if (!chosen || chosen->path.empty()) return std::nullopt;
  return chosen->path;
}

StatusDialog ScriptDialog(bool save, int titleId, int typesId, std::string_view argument,
                          std::string_view folder, std::string_view extension) {
  const script::DialogPlace place = script::DialogPlaceFromArgument(argument, folder, extension);
  StatusDialog dialog;
  dialog.save = save;
  dialog.titleId = titleId;
  dialog.typesId = typesId;
  dialog.folder = place.folder;
  dialog.proposedName = place.proposedName;
  dialog.extension = extension;
  return dialog;
}

// The popup menu's dialogs: the first user's status file in STATUS0.
StatusDialog MenuDialog(Runtime& runtime, bool save) {
  StatusDialog dialog;
  dialog.save = save;
  dialog.titleId = save ? strings::SAVE_SETTINGS_TITLE : strings::LOAD_SETTINGS_TITLE;
  dialog.typesId = strings::STATUS_FILE_TYPES;
  dialog.folder = std::string(kMenuFolder);
  // The Greek name is the one titles know as the default user's; English runs propose their own.
  const int user = runtime.config.language == Language::English ? strings::PROPOSED_USER_NAME
                                                                : strings::DEFAULT_USER_NAME;
  dialog.proposedName = runtime.shell.Text(user) + "1" + std::string(kStatusExtension);
  dialog.extension = kStatusExtension;
  return dialog;
}

// Files on disk are named in UTF-8; a chosen path's existing folders are found without regard
// to letter case, as title paths are (platform::ResolvePathForWriting for files to write).
std::string DiskPathForReading(const std::string& path1253) {
  const auto found = platform::ResolvePath(path1253);
  return found ? *found : Cp1253ToUtf8(path1253);
}

}  // namespace

void StatusFiles::SaveStatusDialogFromMenu() {
  const auto path = AskForStatusFile(runtime_, Root(), MenuDialog(runtime_, true));
  if (path) SaveStatusFile(platform::ResolvePathForWriting(*path), true, kUserSave);
}

void StatusFiles::LoadStatusDialogFromMenu() {
  const auto path = AskForStatusFile(runtime_, Root(), MenuDialog(runtime_, false));
  if (path && LoadStatusFile(DiskPathForReading(*path), true)) RunStatusScript();
}

void StatusFiles::OfferResume() {
  platform::ButtonDialogSpec offer;
  offer.name = "IDD_Resume";
  offer.caption = runtime_.shell.Text(strings::RESUME_CAPTION);
  offer.text = runtime_.shell.Text(strings::RESUME_OFFER);
  offer.buttons = {{kResumeYes, runtime_.shell.Text(strings::RESUME_YES)},
                   {kResumeChoose, runtime_.shell.Text(strings::RESUME_CHOOSE)},
                   {kResumeNo, runtime_.shell.Text(strings::RESUME_NO)}};
  offer.defaultId = kResumeYes;
  offer.closeId = platform::answer::CANCEL;  // closing it resumes, as Yes does
  for (;;) {
    const int answer = runtime_.platform.ButtonDialog(offer);
    if (answer == kResumeNo) return;
    if (answer != kResumeChoose) {
      LoadStatusFile("RESUME:0", false);
      return;
    }
    // Another status file: loaded, it waits for the first page as the resume file would;
    // cancelled or refused, the offer is shown again.
    const auto path = AskForStatusFile(runtime_, Root(), MenuDialog(runtime_, false));
    if (path && LoadStatusFile(DiskPathForReading(*path), true)) return;
  }
}

void StatusFiles::SaveStatusDialog(std::string_view argument) {
  const auto path = AskForStatusFile(
      runtime_, Root(),
      ScriptDialog(true, strings::SAVE_SETTINGS_TITLE, strings::STATUS_FILE_TYPES, argument,
                   kStatusFolder, kStatusExtension));
  if (!path) return;
  // The state of this moment, not of the page's entry; the command names no resume text, so
  // the title's "+Start" script reads it as a learner's own save.
  BuildStatusScript();
  SaveStatusFile(platform::ResolvePathForWriting(*path), true, kUserSave);
}

void StatusFiles::LoadStatusDialog(std::string_view argument) {
  const auto path = AskForStatusFile(
      runtime_, Root(),
      ScriptDialog(false, strings::LOAD_SETTINGS_TITLE, strings::STATUS_FILE_TYPES, argument,
                   kStatusFolder, kStatusExtension));
  if (path && LoadStatusFile(DiskPathForReading(*path), true)) RunStatusScript();
}

void StatusFiles::SaveVariablesDialog(std::string_view argument) {
  const auto path = AskForStatusFile(
      runtime_, Root(),
      ScriptDialog(true, strings::SAVE_SETTINGS_TITLE, strings::VARIABLE_FILE_TYPES, argument,
                   kVariablesFolder, kVariablesExtension));
  if (path) {
    StartVariablesFile(platform::ResolvePathForWriting(*path));
  } else {
    CancelVariablesFile();
  }
}

void StatusFiles::LoadVariablesDialog(std::string_view argument) {
  const auto path = AskForStatusFile(
      runtime_, Root(),
      ScriptDialog(false, strings::LOAD_SETTINGS_TITLE, strings::VARIABLE_FILE_TYPES, argument,
                   kVariablesFolder, kVariablesExtension));
  if (!path || !LoadStatusFile(DiskPathForReading(*path), true)) return;
  RunStatusScript();
  ReleaseResumeScript();
}

}  // namespace zd
