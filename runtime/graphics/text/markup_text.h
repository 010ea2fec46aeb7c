// Whole-text passes over styled text: putting block tags on lines of their own before layout,
// and the plain text of a marked-up text for export.
#pragma once

#include <string>
#include <string_view>

namespace zd {

// Line feeds around BR, CENTER, /CENTER, P, /P, H1-H6 and /H1-/H6, so that each block stands on
// its own line; consecutive block tags share one line.
std::string NormalizeMarkupBreaks(std::string_view text);

// The text without its tags; BR, P and headings become line breaks (CR LF), line feeds and
// carriage returns become line feeds. A "<" without ">" ends the text.
std::string StripMarkup(std::string_view text);

// Where drawing of a text ends: at a "<" that no ">" follows, else at its end.
size_t MarkupEnd(std::string_view text);

// The upper-case name of a tag (the text between "<" and ">").
std::string TagName(std::string_view tagText);

}  // namespace zd
