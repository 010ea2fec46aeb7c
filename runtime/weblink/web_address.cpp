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

// True when `address` ("scheme://authority/...") names a host: the authority, less any
// "user@" and ":port", is not empty.
bool NamesHost(std::string_view address) {
  const size_t slashes = address.find("//");
  if (slashes == std::string_view::npos) return false;
  std::string_view authority = address.substr(slashes + 2);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);
  }
  if (!authority.empty() && authority.front() == '[') return authority.size() > 2;  // [v6]
  return !authority.substr(0, authority.find(':')).empty();
}

// Characters a web address has no need of unencoded and a command line or a browser's
// start-up script might read as its own: written as %XX. "&" and ";" stay: they part a query's
// values, and a link's parameters must reach the server as the title wrote them.
std::string EncodeRisky(std::string_view address) {
  static constexpr std::string_view kRisky = "\"'`$|<>(){}^";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : address) {
    if (kRisky.find(c) == std::string_view::npos) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

}  // namespace

std::optional<std::string> CheckedWebAddress(std::string_view address) {
  if (address.empty() || address.front() == '-') return std::nullopt;
  for (char c : address) {
    if (c == ' ' || c == '\\' || IsControl(c) || static_cast<unsigned char>(c) == 0xA0) {
      return std::nullopt;
    }
  }
  if (address.find("%00") != std::string_view::npos) return std::nullopt;
  const std::string scheme = SchemeOf(address);
  std::string full;
  if (scheme == "http" || scheme == "https") {
    // "http:x" and "http:/x" are read differently by different browsers; only "http://" is
    // taken.
    if (address.substr(scheme.size() + 1, 2) != "//") return std::nullopt;
    full = std::string(address);
  } else if (!scheme.empty()) {
    return std::nullopt;
  } else if (address.substr(0, 2) == "//") {
    // Without a scheme: "//host/..." and "host/..." both mean a web address.
    full = "http:" + std::string(address);
  } else {
    full = "http://" + std::string(address);
  }
  if (!NamesHost(full)) return std::nullopt;
  return EncodeRisky(full);
}

std::string ShownAddress(std::string_view address) {
  std::string shown(address);
  for (char& c : shown) {
    if (IsControl(c)) c = '?';
  }
  return shown;
}

}  // namespace zd
