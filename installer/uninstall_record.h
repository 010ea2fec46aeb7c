// The uninstall record of a title on disk: $XDG_DATA_HOME/zendral/installed/TITLE.json, what
// an installation wrote and where, read back by reinstall, Run and --uninstall.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "installer/installer.h"

namespace zd::install {

// Whether `title` can name a record: a plain file name of ASCII letters, digits, "-", "_" and
// inner "." (no folders, no "..", nothing hidden).
bool IsPlainTitleName(std::string_view title);

// $XDG_DATA_HOME/zendral/installed
std::string RecordFolder(const std::string& dataHome);
// The record's file; empty for a title that is not a plain name.
std::string RecordPath(const std::string& dataHome, std::string_view title);

std::string RecordToJson(const UninstallRecord& record);
// nullopt when the text is not a record (broken JSON, missing or mistyped fields).
std::optional<UninstallRecord> RecordFromJson(std::string_view json);

// The record of `title`, when there is one that reads.
std::optional<UninstallRecord> LoadRecord(const std::string& dataHome, std::string_view title);

}  // namespace zd::install
