// The save dialog of the save-object entry: the offered formats as its file types, the name the
// learner gives made a file name of the chosen format, a file that exists replaced only when
// the learner agrees, and the writer's failure told in its message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "title/export/export_formats.h"
#include "title/export/object_data.h"

namespace zd {

class Runtime;

// A chosen name (code page 1253) whose last part has no extension, or ends in a dot, gets the
// format's extension; a name with an extension of its own keeps it.
std::string WithExtension(std::string path1253, std::string_view extension);

// The last part of a chosen name, after its last "\" or "/"; empty for a folder.
std::string_view NamePart(std::string_view path1253);

// Whether a chosen name holds characters no file name can carry here (the unused bytes of the
// code page, and "?" and "*", which stand for characters the dialog could not give).
bool UnwritableName(std::string_view path1253);

struct SaveChoice {
  std::string path1253;
  ExportFormat format = ExportFormat::Text;
};

// Shows the dialog until the learner chooses a file that may be written, or cancels (nullopt).
std::optional<SaveChoice> AskWhereToSave(Runtime& runtime, uint32_t offerMask);

// The dialog, then the writer of the chosen format; a failure is reported by its key.
void SaveObjectDialog(Runtime& runtime, const ObjectToSave& object, uint32_t offerMask);

}  // namespace zd
