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

// Removes the files the record lists, each only when it is a file (or a link) inside the places
// an installation writes to; a file that is already gone counts as removed. The files that
// could not be removed stay in `record.files`; `error` tells the first one and why.
bool RemoveRecordedFiles(UninstallRecord& record, const InstallerSetup& setup, const Trace& trace,
                         std::string& error);
// Removes the record's folders that are empty, the deepest first.
void RemoveEmptyRecordedFolders(const UninstallRecord& record);

}  // namespace zd::install
