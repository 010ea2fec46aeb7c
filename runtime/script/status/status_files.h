// The learner's saved place. At every page entry the player writes, in memory, a script that
// would rebuild the state it is in before the page's "+Start" scripts run (the snapshot);
// saving writes that script to a status file (.ZDS), and loading one runs it again, in two
// halves across the title change its `tofilepage` line asks for. Variable files (.ZDV) are
// scripts too, built line by line by the title's `savevar` commands.
//
// Status files are scripts a learner may be handed: while one runs, only the commands the
// status writer produces are obeyed. Every file is written atomically, and no name a title
// or a file gives can lead outside the status tree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "script/status/status_root.h"

namespace zd {

class Runtime;

namespace script {

// A status script in memory: the snapshot, a loaded file waiting to run, or the variable file
// being built.
struct StatusRecord {
  std::string name;  // the run's script name (at most 11 characters)
  std::string text;  // lines, each ended by a line feed
  size_t position = 0;
  int32_t line = 1;
  std::string awaitedPage;  // the page its `tofilepage` line went to, where the rest runs
  bool failed = false;  // a line could not be added: the record must not be saved
  bool empty() const { return text.empty(); }
  void Release() { *this = StatusRecord{}; }
};

enum class VariablesFileState { None, Cancelled, Open };

// The largest status or variable file the player builds or loads.
constexpr size_t kMaxStatusFileBytes = 1 << 20;

}  // namespace script

class StatusFiles {
 public:
  explicit StatusFiles(Runtime& runtime);

  // Start-up and shutdown.
  void ClearStatusState();
  void ReleaseStatusState();

  // Where this title's status and variable files live (the -E folder, or the player's saves
  // folder for the title's application name); unset when there is neither.
  script::StatusRoot Root() const;

  // --- The snapshot --------------------------------------------------------------------
  // A page was entered ("Resume$" already emptied): a waiting resume script runs its next
  // half, then the snapshot is rebuilt while a root is set.
  void PageEntered();
  // Writes the status script of the present state into the snapshot (lines up to the comment
  // before "set Resume$"); false when a line could not be added ("error138").
  bool BuildStatusScript();
  const script::StatusRecord& snapshot() const { return snapshot_; }

  // --- Saving and loading ----------------------------------------------------------------
  // The snapshot with `set Resume$, "TEXT"` added, written atomically. By name below the root
  // (nothing, and no message, without one) or to a chosen path on disk. "error137" when it
  // cannot be written; an empty or failed snapshot is never written.
  bool SaveStatusFile(std::string_view nameOrPath, bool isPath, std::string_view resumeText);
  // Loads a status or variable file into the resume script, with its checks ("error142",
  // the other-title question, size and read failures). The resume script is unchanged when
  // it fails before reading.
  bool LoadStatusFile(std::string_view nameOrPath, bool isPath);
  // Runs the resume script from its place until it ends or its `tofilepage` line has asked
  // for a title; then it waits for the next page entry.
  void RunStatusScript();
  bool ResumeWaiting() const { return !resume_.empty(); }
  // The title a waiting resume script asked for could not be opened: the learner is told, the
  // script is dropped, and the title goes on where it is.
  void ResumeNotReached();
  void ReleaseResumeScript() { resume_.Release(); }

  // True while a status or variable file runs; the script engine then refuses every command
  // `StatusCommandAllowed` (given in lower case) does not name.
  bool RunningStatusScript() const { return runningStatus_; }
  static bool StatusCommandAllowed(std::string_view command);

  // --- Variable files ------------------------------------------------------------------
  // `savevarsdialog`: the variables buffer starts afresh; a file is chosen (Open) or not
  // (Cancelled).
  void StartVariablesFile(const std::string& diskPath);
  void CancelVariablesFile();
  script::VariablesFileState variablesState() const { return variablesState_; }
  // `savevar`: adds the "set" line of one variable (kind from its name's suffix) to the buffer.
  void AddVariableLine(std::string_view variableName);
  // `closevarsfile`: writes the buffer to the chosen path; false when writing failed.
  bool CloseVariablesFile();

  // --- What the player's window asks for -------------------------------------------------
  // The close box or the popup menu's Exit while a title runs: "RESUME:0", "FORCE QUIT".
  void SaveOnClose();
  // The popup menu's Save settings and Load settings entries; the load runs the file at once.
  void SaveStatusDialogFromMenu();
  void LoadStatusDialogFromMenu();
  // At the start of a title, when the root holds the resume file: the dialog IDD_Resume.
  bool ResumeFileExists() const;
  void OfferResume();

  // The script commands' dialogs ("NAME:N" arguments).
  void SaveStatusDialog(std::string_view argument);
  void LoadStatusDialog(std::string_view argument);
  void SaveVariablesDialog(std::string_view argument);
  void LoadVariablesDialog(std::string_view argument);

 private:
  // The file a status name gives in the status tree, on disk; nullopt without a tree.
  std::optional<std::string> PathOfName(std::string_view name) const;

  Runtime& runtime_;
  script::StatusRecord snapshot_;
  script::StatusRecord resume_;
  script::StatusRecord variables_;
  script::VariablesFileState variablesState_ = script::VariablesFileState::None;
  std::string variablesPath_;  // on disk
  bool runningStatus_ = false;
};

}  // namespace zd
