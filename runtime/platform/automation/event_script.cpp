#include "platform/automation/event_script.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/cp1253.h"
#include "base/text.h"
#include "platform/dialogs.h"
#include "platform/events.h"

namespace zd::platform {
namespace {

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& rest) {
  rest = TrimBlanks(rest);
  size_t end = 0;
  while (end < rest.size() && rest[end] != ' ' && rest[end] != '\t') ++end;
  std::string_view word = rest.substr(0, end);
  rest = TrimBlanks(rest.substr(end));
  return word;
}

template <typename T>
bool ParseNumber(std::string_view s, T& value) {
  if (s.empty()) return false;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && ptr == s.data() + s.size();
}

struct NamedKey {
  const char* name;
  uint16_t key;
};

// Bounds that keep coordinates and waits far from overflowing when added to origins and clocks.
constexpr int kMaxCoordinate = 100000;
constexpr uint32_t kMaxWait = 0x7FFFFFFF;

constexpr NamedKey kKeys[] = {
    {"Return", vk::RETURN}, {"Escape", vk::ESCAPE}, {"Space", vk::SPACE},
    {"Tab", vk::TAB},       {"Backspace", vk::BACK}, {"Delete", vk::DELETE_},
    {"Insert", vk::INSERT}, {"Home", vk::HOME},     {"End", vk::END},
    {"PageUp", vk::PRIOR},  {"PageDown", vk::NEXT}, {"Left", vk::LEFT},
    {"Up", vk::UP},         {"Right", vk::RIGHT},   {"Down", vk::DOWN},
};

}  // namespace

bool ParseKeyName(std::string_view name, uint16_t& key, uint8_t& modifiers, uint8_t& character) {
  modifiers = 0;
  character = 0;
  for (;;) {
    if (name.size() > 5 && name.substr(0, 5) == "Ctrl+") {
      modifiers |= modifier::CTRL;
      name.remove_prefix(5);
    } else if (name.size() > 6 && name.substr(0, 6) == "Shift+") {
      modifiers |= modifier::SHIFT;
      name.remove_prefix(6);
    } else if (name.size() > 4 && name.substr(0, 4) == "Alt+") {
      modifiers |= modifier::ALT;
      name.remove_prefix(4);
    } else {
      break;
    }
  }
  for (const auto& k : kKeys) {
    if (name == k.name) {
      key = k.key;
      if (k.key == vk::SPACE) character = ' ';
      if (k.key == vk::RETURN) character = '\r';
      if (k.key == vk::TAB) character = '\t';
      if (k.key == vk::BACK) character = '\b';
      if (k.key == vk::ESCAPE) character = 0x1B;
      return true;
    }
  }
  if (name.size() >= 2 && name[0] == 'F') {
    int n = 0;
    if (ParseNumber(name.substr(1), n) && n >= 1 && n <= 12) {
      key = static_cast<uint16_t>(vk::F1 + n - 1);
      return true;
    }
  }
  // One character (UTF-8 in the script, code page 1253 inside).
  const std::string ch = Utf8ToCp1253(name);
  if (ch.size() != 1 || (ch[0] == '?' && name != "?")) return false;
  const auto c = static_cast<uint8_t>(ch[0]);
  character = c;
  if (c >= 'a' && c <= 'z') {
    key = static_cast<uint16_t>(c - 'a' + 'A');
  } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
    key = c;
  } else {
    key = 0;  // punctuation and Greek letters arrive as characters only
  }
  return true;
}

std::variant<EventScript, std::string> ParseEventScript(std::string_view text,
                                                        const std::string& fileName) {
  EventScript script;
  script.fileName = fileName;
  int lineNumber = 0;
  // `filetype N` belongs to the `file` answer after it: the line that gave it, and the type.
  int fileTypeLine = 0;
  int fileType = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++lineNumber;

    const auto error = [&](const std::string& what) {
      return fileName + ":" + std::to_string(lineNumber) + ": " + what;
    };

    line = TrimBlanks(line);
    if (line.empty() || line.front() == '#') continue;
    std::string_view rest = line;
    const std::string_view word = NextWord(rest);

    ScriptCommand cmd;
    cmd.line = lineNumber;
    cmd.word = std::string(word);

    const auto needPoint = [&](ScriptCommandKind kind) -> std::string {
      cmd.kind = kind;
      const auto xs = NextWord(rest);
      const auto ys = NextWord(rest);
      if (!ParseNumber(xs, cmd.x) || !ParseNumber(ys, cmd.y) || !rest.empty()) {
        return error("'" + std::string(word) + "' needs two whole numbers X Y");
      }
      const auto outside = [](int v) { return v < -kMaxCoordinate || v > kMaxCoordinate; };
      if (outside(cmd.x) || outside(cmd.y)) {
        return error("'" + std::string(word) + "' needs X and Y within " +
                     std::to_string(kMaxCoordinate) + " of the page");
      }
      return {};
    };

    std::string problem;
    if (word == "wait") {
      cmd.kind = ScriptCommandKind::Wait;
      if (!ParseNumber(NextWord(rest), cmd.ms) || !rest.empty() || cmd.ms > kMaxWait) {
        problem = error("'wait' needs a number of milliseconds (at most " +
                        std::to_string(kMaxWait) + ")");
      }
    } else if (word == "move") {
      problem = needPoint(ScriptCommandKind::Move);
    } else if (word == "click") {
      problem = needPoint(ScriptCommandKind::Click);
    } else if (word == "rclick") {
      problem = needPoint(ScriptCommandKind::RightClick);
    } else if (word == "down") {
      problem = needPoint(ScriptCommandKind::Down);
    } else if (word == "up") {
      problem = needPoint(ScriptCommandKind::Up);
    } else if (word == "wheel") {
      // wheel X Y LINES: the lines are taken off before the point is read.
      const size_t last = rest.find_last_of(' ');
      const std::string_view lines = last == std::string_view::npos ? std::string_view{} : rest.substr(last + 1);
      rest = last == std::string_view::npos ? rest : TrimBlanks(rest.substr(0, last));
      problem = needPoint(ScriptCommandKind::Wheel);
      if (problem.empty() && (!ParseNumber(lines, cmd.number) || cmd.number == 0 ||
                              cmd.number < -100 || cmd.number > 100)) {
        problem = error("'wheel' needs X Y and a number of lines from -100 to 100, not 0");
      }
    } else if (word == "key") {
      cmd.kind = ScriptCommandKind::Key;
      const auto name = NextWord(rest);
      if (name.empty() || !rest.empty() ||
          !ParseKeyName(name, cmd.key, cmd.modifiers, cmd.character)) {
        problem = error("unknown key '" + std::string(name) + "'");
      }
    } else if (word == "type") {
      cmd.kind = ScriptCommandKind::Type;
      cmd.text = Utf8ToCp1253(rest);
    } else if (word == "answer") {
      cmd.kind = ScriptCommandKind::Answer;
      const auto a = NextWord(rest);
      if (a == "ok") {
        cmd.number = answer::OK;
      } else if (a == "cancel") {
        cmd.number = answer::CANCEL;
      } else if (a == "yes") {
        cmd.number = answer::YES;
      } else if (a == "no") {
        cmd.number = answer::NO;
      } else if (!ParseNumber(a, cmd.number)) {
        problem = error("'answer' needs ok, cancel, yes, no or a button number");
      }
      if (problem.empty() && !rest.empty()) problem = error("'answer' takes one word");
    } else if (word == "filetype") {
      int number = 0;
      if (fileTypeLine != 0) {
        problem = error("'filetype' is already given for the next 'file'");
      } else if (!ParseNumber(NextWord(rest), number) || number < 1 || number > 99 ||
                 !rest.empty()) {
        problem = error("'filetype' needs a type number from 1 (the first type listed)");
      } else {
        fileTypeLine = lineNumber;
        fileType = number - 1;
        continue;
      }
    } else if (word == "file") {
      cmd.kind = ScriptCommandKind::File;
      cmd.number = fileType;
      fileTypeLine = 0;
      fileType = 0;
      if (rest.empty()) {
        problem = error("'file' needs a path, or - to cancel");
      } else if (rest == "-") {
        cmd.cancel = true;
      } else {
        cmd.text = std::string(rest);
      }
    } else if (word == "menu" || word == "command") {
      cmd.kind = word == "menu" ? ScriptCommandKind::Menu : ScriptCommandKind::Command;
      const auto id = NextWord(rest);
      if (word == "menu" && id == "-") {
        cmd.cancel = true;
      } else if (!ParseNumber(id, cmd.number) || cmd.number <= 0) {
        problem = error("'" + std::string(word) + "' needs a command number" +
                        (word == "menu" ? " or -" : ""));
      }
      if (problem.empty() && !rest.empty()) problem = error("'" + cmd.word + "' takes one word");
    } else if (word == "drop") {
      // The path as written, blanks and all: the rest of the line.
      cmd.kind = ScriptCommandKind::Drop;
      cmd.text = std::string(rest);
      if (rest.empty()) problem = error("'drop' needs a path");
    } else if (word == "screenshot") {
      cmd.kind = ScriptCommandKind::Screenshot;
      if (rest.empty()) problem = error("'screenshot' needs a file name");
      cmd.text = std::string(rest);
    } else if (word == "expect") {
      const auto what = NextWord(rest);
      if (what == "page") {
        cmd.kind = ScriptCommandKind::ExpectPage;
        cmd.text = Utf8ToCp1253(rest);
        if (rest.empty()) problem = error("'expect page' needs a page name");
      } else if (what == "var") {
        cmd.kind = ScriptCommandKind::ExpectVar;
        cmd.name = Utf8ToCp1253(NextWord(rest));
        // The value is the rest of the line as written (it may hold blanks, or be empty).
        cmd.text = Utf8ToCp1253(rest);
        if (cmd.name.empty()) problem = error("'expect var' needs a variable name");
      } else if (what == "message") {
        cmd.kind = ScriptCommandKind::ExpectMessage;
        cmd.text = Utf8ToCp1253(rest);
        if (rest.empty()) problem = error("'expect message' needs a text");
      } else {
        problem = error("'expect' needs page, var or message, not '" + std::string(what) + "'");
      }
    } else if (word == "printer") {
      cmd.kind = ScriptCommandKind::Printer;
      cmd.text = Utf8ToCp1253(rest);
      if (rest.empty()) problem = error("'printer' needs a destination's name");
    } else if (word == "pages") {
      cmd.kind = ScriptCommandKind::Pages;
      if (!ParseNumber(NextWord(rest), cmd.x) || !ParseNumber(NextWord(rest), cmd.y) ||
          !rest.empty() || cmd.x < 1 || cmd.y < cmd.x || cmd.y > 9999) {
        problem = error("'pages' needs FROM TO, with 1 <= FROM <= TO");
      }
    } else if (word == "copies") {
      cmd.kind = ScriptCommandKind::Copies;
      if (!ParseNumber(NextWord(rest), cmd.number) || !rest.empty() || cmd.number < 1 ||
          cmd.number > 99) {
        problem = error("'copies' needs a number from 1 to 99");
      }
    } else if (word == "orientation") {
      cmd.kind = ScriptCommandKind::Orientation;
      const auto which = NextWord(rest);
      if (which == "portrait" || which == "landscape") {
        cmd.number = which == "landscape" ? 1 : 0;
      } else {
        problem = error("'orientation' needs portrait or landscape");
      }
      if (problem.empty() && !rest.empty()) problem = error("'orientation' takes one word");
    } else if (word == "check" || word == "uncheck") {
      cmd.kind = word == "check" ? ScriptCommandKind::Check : ScriptCommandKind::Uncheck;
      if (!ParseNumber(NextWord(rest), cmd.number) || !rest.empty()) {
        problem = error("'" + cmd.word + "' needs a control number");
      }
    } else if (word == "edit") {
      // The rest of the line as written; nothing after the word empties the field.
      cmd.kind = ScriptCommandKind::Edit;
      cmd.text = Utf8ToCp1253(rest);
    } else if (word == "quit") {
      cmd.kind = ScriptCommandKind::Quit;
      if (!rest.empty()) problem = error("'quit' takes nothing");
    } else {
      problem = error("unknown command '" + std::string(word) + "'");
    }
    if (!problem.empty()) return problem;
    script.commands.push_back(std::move(cmd));
  }
  if (fileTypeLine != 0) {
    return fileName + ":" + std::to_string(fileTypeLine) + ": 'filetype' needs a 'file' after it";
  }
  return script;
}

std::variant<EventScript, std::string> LoadEventScript(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return path + ": cannot read the event script";
  std::ifstream in(path, std::ios::binary);
  if (!in) return path + ": cannot read the event script";
  std::ostringstream text;
  text << in.rdbuf();
  return ParseEventScript(text.str(), path);
}

}  // namespace zd::platform
