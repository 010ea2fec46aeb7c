#include "weblink/web_address.h"

#include <cctype>

namespace zd {
namespace {

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The scheme the address names (letters, digits, "+", "-", "." before the first ":", starting
// with a letter), lower-cased; empty when it names none. A host followed by a port
// ("example.gr:8080") names none, as browsers read it.
std::string SchemeOf(std::string_view address) {
  const size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(address[0])) return {};
  std::string scheme;
  for (size_t i = 0; i < colon; ++i) {
    const char c = address[i];
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return {};
    scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  size_t end = colon + 1;
  while (end < address.size() && IsAsciiDigit(address[end])) ++end;
  const bool port = end > colon + 1 && (end == address.size() || address[end] == '/' ||
                                        address[end] == '?' || address[end] == '#');
  return port ? std::string() : scheme;
}

}  // namespace

std::optional<std::string> CheckedWebAddress(std::string_view address) {
  if (address.empty() || address.front() == '-') return std::nullopt;
  for (char c : address) {
    if (c == ' ' || IsControl(c) || static_cast<unsigned char>(c) == 0xA0) return std::nullopt;
  }
  const std::string scheme = SchemeOf(address);
  if (scheme == "http" || scheme == "https") return std::string(address);
  if (!scheme.empty()) return std::nullopt;
  // Without a scheme: "//host/..." and "host/..." both mean a web address.
  if (address.substr(0, 2) == "//") return "http:" + std::string(address);
  return "http://" + std::string(address);
}

std::string ShownAddress(std::string_view address) {
  std::string shown(address);
  for (char& c : shown) {
    if (IsControl(c)) c = '?';
  }
  return shown;
}

}  // namespace zd
