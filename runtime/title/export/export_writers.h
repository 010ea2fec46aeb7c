// The format writers: each turns the object's data into a file's bytes, and the file is then
// written whole or not at all.
#pragma once

#include <string>

#include "title/export/export_formats.h"
#include "title/export/export_result.h"
#include "title/export/object_data.h"

namespace zd {

class Runtime;

// The text with its markup removed, as UTF-8 (the title's text is code page 1253).
std::string PlainTextUtf8(std::string_view markedUp1253);

// The bytes of `object` in `format`; KindMismatch when the format does not take the object.
ExportResult EncodeObject(Runtime& runtime, ExportFormat format, const ObjectToSave& object,
                          std::string& bytes);

// Encodes the object and writes it to `diskPath` (UTF-8) atomically; the trace gets
// "file written PATH" for a file written.
ExportResult WriteObjectFile(Runtime& runtime, ExportFormat format, const ObjectToSave& object,
                             const std::string& diskPath);

}  // namespace zd
