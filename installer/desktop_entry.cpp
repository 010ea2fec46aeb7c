#include "installer/desktop_entry.h"

#include <cstdint>

namespace zd::install {
namespace {

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string XmlText(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // Control characters have no place in XML 1.0 text.
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

}  // namespace

std::string GroupSlug(std::string_view groupUtf8) {
  std::string slug;
  bool pendingDash = false;
  bool dropped = false;
  for (char c : groupUtf8) {
    if (IsAsciiAlnum(c)) {
      if (pendingDash && !slug.empty()) slug += '-';
      pendingDash = false;
      slug += c;
    } else {
      pendingDash = true;
      if (c != ' ' && c != '-' && c != '_') dropped = true;
    }
  }
  if (!dropped && !slug.empty()) return slug;
  // FNV-1a over the UTF-8 bytes: stable across runs and machines, which the uninstall record and
  // a later reinstall rely on.
  uint32_t hash = 2166136261u;
  for (char c : groupUtf8) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  static const char kHex[] = "0123456789abcdef";
  std::string suffix;
  for (int shift = 28; shift >= 0; shift -= 4) suffix += kHex[(hash >> shift) & 15];
  return slug.empty() ? suffix : slug + "-" + suffix;
}

std::string DesktopString(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return out;
}

std::string ExecLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += '"';
    for (char c : argument) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') line += '\\';
      if (c == '%') line += '%';
      line += c;
    }
    line += '"';
  }
  return line;
}

std::string DesktopEntry::Text() const {
  std::string text = "[Desktop Entry]\n";
  switch (kind) {
    case Kind::Application: text += "Type=Application\n"; break;
    case Kind::Directory: text += "Type=Directory\n"; break;
  }
  text += "Name=" + DesktopString(name) + "\n";
  if (!nameGreek.empty()) text += "Name[el]=" + DesktopString(nameGreek) + "\n";
  if (kind == Kind::Application) text += "Exec=" + DesktopString(ExecLine(exec)) + "\n";
  if (!workingDirectory.empty()) text += "Path=" + DesktopString(workingDirectory) + "\n";
  if (!icon.empty()) text += "Icon=" + DesktopString(icon) + "\n";
  if (kind == Kind::Application) text += "Terminal=false\n";
  if (!category.empty() && kind == Kind::Application) {
    text += "Categories=" + DesktopString(category) + ";\n";
  }
  return text;
}

std::string MenuFileText(std::string_view groupUtf8, std::string_view directoryFile,
                         std::string_view category) {
  std::string text =
      "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
      " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
      "<Menu>\n"
      "  <Name>Applications</Name>\n"
      "  <Menu>\n";
  text += "    <Name>" + XmlText(groupUtf8) + "</Name>\n";
  text += "    <Directory>" + XmlText(directoryFile) + "</Directory>\n";
  text += "    <Include>\n";
  text += "      <Category>" + XmlText(category) + "</Category>\n";
  text += "    </Include>\n  </Menu>\n</Menu>\n";
  return text;
}

}  // namespace zd::install
