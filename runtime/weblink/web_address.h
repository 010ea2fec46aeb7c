// The addresses a title may hand to the browser: checked as the title wrote them, so that a
// link can only ever open a web page and never becomes a browser option or a script.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zd {

// The address to open for `address` (code page 1253): http and https addresses as written, an
// address without a scheme ("www.example.gr", "example.gr:8080/a") with "http://" in front.
// The scheme's letters may be in either case. The characters " ' ` $ ; | & < > ( ) { } ^ are
// written as %XX. nullopt for addresses that are refused: empty ones, ones that start with "-"
// (a browser would read them as an option), that hold blanks, control characters, "\" or
// "%00", http and https addresses without "//" or without a host ("http:x", "http:/x",
// "http://"), and any other scheme ("file:", "javascript:", "mailto:", "ftp:"...).
std::optional<std::string> CheckedWebAddress(std::string_view address);

// The address as a message may show it: control characters as "?", so that the box cannot be
// made to say something else.
std::string ShownAddress(std::string_view address);

}  // namespace zd
