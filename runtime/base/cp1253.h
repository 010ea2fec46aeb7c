// Conversion between the runtime's 8-bit Greek text (Windows code page 1253) and UTF-8.
// Title data, scripts, messages and the string table are code page 1253 inside the runtime;
// text becomes UTF-8 only where it leaves for the platform (fonts, dialogs, file names, trace).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd {

// Unicode code point of one code page 1253 byte; 0xFFFD for the bytes the code page leaves unused.
char32_t Cp1253ToUnicode(uint8_t byte);

// The code page 1253 byte for a code point, or '?' when the code page has no such character.
uint8_t UnicodeToCp1253(char32_t codePoint);

std::string Cp1253ToUtf8(std::string_view text);

// Malformed UTF-8 sequences become '?', as do characters outside the code page.
std::string Utf8ToCp1253(std::string_view text);

// Decodes one code point from UTF-8 at `pos`, advancing it; malformed input yields 0xFFFD
// and advances by one byte so that callers always make progress.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace zd
