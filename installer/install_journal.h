// Every change an installation makes goes through here, so that the uninstall record always
// lists each file written and each folder made, and is on disk after every step.
#pragma once

#include <string>
#include <string_view>

#include "base/trace.h"
#include "installer/installer.h"

namespace zd::install {

class InstallJournal {
 public:
  InstallJournal(UninstallRecord& record, std::string dataHome, const Trace& trace)
      : record_(record), dataHome_(std::move(dataHome)), trace_(trace) {}

  // Makes `folder` (absolute, UTF-8) and the folders above it, recording each one made.
  bool MakeFolders(const std::string& folder, std::string& error);
  // Writes the whole file atomically (its folder made first) and records it.
  bool WriteFile(const std::string& path, std::string_view bytes, std::string& error);
  // Copies a file of the CD (overwriting the target) and records the copy.
  bool CopyFile(const std::string& from, const std::string& to, std::string& error);
  // Writes the record to its place below the data folder.
  bool SaveRecord(std::string& error);

 private:
  void Remember(std::vector<std::string>& list, const std::string& path);

  UninstallRecord& record_;
  std::string dataHome_;
  const Trace& trace_;
};

// Whether a record's install folder is one a title can have been installed in: absolute, without
// "." or ".." parts, and neither "/", the home folder, the data or settings folder, nor a folder
// above any of them. A hand-edited record naming such a folder gets nothing removed there.
bool IsAcceptableInstallDirectory(const std::string& folder, const InstallerSetup& setup);

// Whether the installer can have written `path` for `record`: a plain-named file directly in the
// install folder, a zendral-*.desktop, .directory, .menu or hicolor .png in its place under the
// data or settings folder, or the record itself.
bool IsInstallerFile(const std::string& path, const UninstallRecord& record, const InstallerSetup& setup);

// Removes the files the record lists that the installer can have written, each only when it is a
// regular file (not a link); a file that is already gone counts as removed. Anything else the
// record names is left alone, dropped from the record and reported. The files that could not be
// removed stay in `record.files`. False when some could not be removed; `error` tells the first
// problem (a refusal or a failure) and why.
bool RemoveRecordedFiles(UninstallRecord& record, const InstallerSetup& setup, const Trace& trace,
                         std::string& error);
// Removes the record's folders that are empty and that the installer can have made (the install
// folder, its saves folders, the folders above it that are not the user's own, and the desktop's
// folders it writes into), the deepest first.
void RemoveEmptyRecordedFolders(const UninstallRecord& record, const InstallerSetup& setup);

}  // namespace zd::install
