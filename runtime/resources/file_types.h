// File-type lists of the string table ("Text file (*.TXT);*.TXT;All files (*.*);*.*;") as a
// file dialog lists them: a label and its pattern, pair after pair.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace zd {

std::vector<platform::FileFilter> FileTypesFromList(const std::string& list);

}  // namespace zd
