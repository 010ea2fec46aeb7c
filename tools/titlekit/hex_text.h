// Bytes as text in descriptions: hexadecimal and base64.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd::titlekit {

// Lower-case hexadecimal, two digits a byte, no separators.
std::string ToHex(std::string_view bytes);
// Accepts upper or lower case; blanks, tabs and line ends between digit pairs are skipped.
std::optional<std::string> FromHex(std::string_view text);

std::string ToBase64(std::string_view bytes);
// Standard alphabet with "=" padding; white space is skipped.
std::optional<std::string> FromBase64(std::string_view text);

}  // namespace zd::titlekit
