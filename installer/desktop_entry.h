// The files a title's menu folder is made of on a freedesktop desktop: desktop entries (the
// shortcuts), the directory entry that names the folder, and the menu file that gathers the
// entries of the folder's category. Everything here is text building; writing is the caller's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zd::install {

// The group name as it may appear in file names and category names: ASCII letters and digits
// kept, every run of blanks, "-" and "_" one "-", none at either end. When anything else was
// dropped (Greek letters, punctuation), eight hex digits of a hash of the whole name follow, so
// that two Greek groups never share their files; the hash alone when nothing ASCII is left.
std::string GroupSlug(std::string_view groupUtf8);

// A value of the "string" and "localestring" kinds: backslashes, line breaks and tabs escaped.
std::string DesktopString(std::string_view utf8);

// An Exec line that gives the program exactly `arguments`: each one quoted, with the quoting
// rules' escapes and "%" doubled (before the line is escaped as a string value).
std::string ExecLine(const std::vector<std::string>& arguments);

struct DesktopEntry {
  enum class Kind { Application, Directory };
  Kind kind = Kind::Application;
  std::string name;       // English (UTF-8)
  std::string nameGreek;  // Name[el]; left out when empty
  std::vector<std::string> exec;  // Application: the program and its arguments
  std::string icon;       // an icon theme name, or empty
  std::string workingDirectory;
  std::string category;   // the menu folder's category (X-Zendral-SLUG)
  std::string Text() const;
};

// The menu file that puts every entry of `category` in a submenu named `groupUtf8`, with the
// directory entry `directoryFile` (a file name) naming it.
std::string MenuFileText(std::string_view groupUtf8, std::string_view directoryFile,
                         std::string_view category);

}  // namespace zd::install
