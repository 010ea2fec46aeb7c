// Small text forms shared by the overview's parts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "titlekit/title_model.h"

namespace zd::info {

std::string Utf8(std::string_view cp1253);
std::string Quoted(std::string_view cp1253);  // "name" in UTF-8
std::string ColourText(uint32_t colour);      // #RRGGBB, none, or the word in hexadecimal
// Link colours also take 0x02000000: the text colour, or the background left as it is.
std::string LinkColourText(uint32_t colour);
std::string Hundredths(uint32_t delay);       // "1.50 s"; all ones: "none"
std::string BoxText(const titlekit::Box& box);
std::string Hex(uint32_t value);
std::string HexBytes(std::string_view bytes, size_t most);  // "01 02 03 ..." (at most `most`)
std::string ResourceName(uint16_t dir, uint16_t number);    // "res1/res2"
std::string ReadAll(const std::filesystem::path& path);     // a file's bytes; empty if unreadable

}  // namespace zd::info
