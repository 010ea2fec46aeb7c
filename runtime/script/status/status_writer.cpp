#include "script/status/status_writer.h"

#include <cmath>
#include <cstdio>

#include "database/keyword_search.h"
#include "runtime.h"
#include "script/filter_commands.h"
#include "script/script_line_writer.h"

namespace zd::script {
namespace {

constexpr size_t kMaxModuleName = 49;  // what tofilepage takes

void Append(std::vector<std::string>& lines, std::vector<std::string> more) {
  lines.insert(lines.end(), std::make_move_iterator(more.begin()),
               std::make_move_iterator(more.end()));
}

std::vector<std::string> CommandWithText(std::string_view command, std::string_view word,
                                         std::string_view text, std::string_view carriers) {
  CommandLineWriter writer(command, carriers);
  if (!word.empty()) writer.AddWord(word);
  writer.AddText(text);
  return writer.Lines();
}

// A comment keeps to its one line whatever the text holds.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  }
  return out;
}

int32_t IntegerOf(Runtime& runtime, std::string_view name) {
  int32_t value = 0;
  runtime.script.GetIntVariable(name, value);
  return value;
}

std::string TextOf(Runtime& runtime, std::string_view name) {
  ScriptText value;
  runtime.script.GetStringVariable(name, value);
  return value.str();
}

std::vector<std::string> PageLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines;
  CommandLineWriter writer("tofilepage", carriers);
  writer.AddText(ResumeModuleName(runtime.titleFiles.titleDirectory()));
  // The page by its own name: the link that takes the learner back looks pages up by it, and
  // PageName$ may give the name of its section instead.
  writer.AddText(runtime.pages.CurrentPageName().value_or(TextOf(runtime, "PageName$")));
  Append(lines, writer.Lines());
  lines.emplace_back();
  lines.emplace_back(kStatusBeforeStartLine);
  lines.emplace_back();
  return lines;
}

std::vector<std::string> DatabaseLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines{"clear", "closedata"};
  const Database& database = runtime.database;
  if (database.IsOpen() && !database.IsResourceDatabase()) {
    Append(lines, CommandWithText("opendata", "", database.name(), carriers));
  }
  Append(lines, FilterStatusLines(database, carriers));
  return lines;
}

std::vector<std::string> VariableLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines;
  VariableTables& tables = runtime.script.variables();
  lines.emplace_back();
  lines.emplace_back("|Integer variables");
  for (const auto& v : tables.integers) Append(lines, IntegerVariableLines(v.name.view(), v.value));
  lines.emplace_back();
  lines.emplace_back("|Floating point variables");
  for (const auto& v : tables.floats) Append(lines, FloatVariableLines(v.name.view(), v.value));
  lines.emplace_back();
  lines.emplace_back("|String variables");
  for (const auto& v : tables.strings) {
    Append(lines, StringVariableLines(v.name.view(), v.value.view(), carriers));
  }
  return lines;
}

std::vector<std::string> SystemVariableLines(Runtime& runtime, std::string_view carriers) {
  auto integer = [&](std::string_view name) {
    return "set " + std::string(name) + ", " + std::to_string(IntegerOf(runtime, name));
  };
  std::vector<std::string> lines{"", "|System Variables"};
  lines.push_back("|" + integer("PageTime%"));
  lines.push_back(integer("TotalTime%"));
  lines.push_back(integer("Sound%"));
  lines.push_back("|" + integer("Platform%"));
  lines.push_back("|set PageName$, \"" + OneLine(TextOf(runtime, "PageName$")) + "\"");
  Append(lines, StringVariableLines("PtrShape$", TextOf(runtime, "PtrShape$"), carriers));
  lines.push_back(integer("UseSelection%"));
  lines.push_back(integer("DateFormat%"));
  return lines;
}

std::vector<std::string> MovieSlotLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines{"", "|Script Movies", "closemovie -1"};
  Movies& movies = runtime.movies;
  for (int slot = 0; slot < Movies::kClipSlots; ++slot) {
    const ClipSlot& clip = movies.clip(slot);
    if (clip.state == clip_state::CLOSED) continue;
    const std::string number = std::to_string(slot);
    CommandLineWriter open("openaudio", carriers);
    open.AddWord(number);
    open.AddText(clip.fileName);
    Append(lines, open.Lines());
    const std::string play = "playmovie " + number + ", " + std::to_string(clip.from) + ", " +
                             std::to_string(clip.to) + ", " + (clip.playFlag ? "1" : "0");
    const int32_t position = movies.ClipPosition(slot);
    const bool playing =
        clip.state == clip_state::PLAYING || clip.state == clip_state::PAUSED_FOR_VIDEO;
    if (playing) {
      lines.push_back(play);
      lines.push_back("seekmovie " + number + ", " +
                      std::to_string(position >= 0 ? position : clip.length));
    } else if (clip.state == clip_state::PAUSED &&
               (clip.from != -1 || clip.to != -1 || clip.playFlag)) {
      lines.push_back(play);
      lines.push_back("pausemovie " + number);
      if (position >= 0) lines.push_back("seekmovie " + number + ", " + std::to_string(position));
    }
  }
  return lines;
}

std::vector<std::string> TokenSearchLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines;
  const auto& condition = runtime.database.keywords().condition();
  const AuthorfileImage* image = runtime.titleFiles.imageOrNull();
  if (!condition || !image) return lines;
  lines.emplace_back();
  lines.emplace_back("|Token Searches");
  const auto page = image->PageRecord(condition->page);
  if (!page) return lines;
  CommandLineWriter writer("tokensearch", carriers);
  writer.AddText(image->PageName(*page));
  writer.AddWord(std::to_string(condition->field));
  writer.AddWord(std::to_string(condition->keyword));
  Append(lines, writer.Lines());
  return lines;
}

}  // namespace

std::string CreatedText(const platform::LocalTime& time) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int day = time.dayOfWeek >= 0 && time.dayOfWeek < 7 ? time.dayOfWeek : 0;
  const int month = time.month >= 1 && time.month <= 12 ? time.month - 1 : 0;
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d", kDays[day], kMonths[month],
                time.day, time.hour, time.minute, time.second, time.year);
  return text;
}

std::vector<std::string> StatusHeaderLines(std::string_view appName, bool padModuleName,
                                           const platform::LocalTime& created,
                                           std::string_view titleDirectory) {
  std::string start = "|Start Module: \"" + OneLine(appName) + "\"";
  if (padModuleName && appName.size() < 9) start.append(9 - appName.size(), ' ');
  return {std::string(kStatusFirstLine),
          start,
          "|Saved by the Zendral player. The learner's place in the title, as a script.",
          "",
          "|Version 1.00",
          "|Created " + CreatedText(created),
          "",
          "|Module \"" + OneLine(titleDirectory) + "\"",
          ""};
}

std::string StatusFloat(double value) {
  if (std::isnan(value)) return "0";
  if (std::isinf(value)) return value < 0 ? "-1e+999" : "1e+999";
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::vector<std::string> IntegerVariableLines(std::string_view name, int32_t value) {
  return {"set " + std::string(name) + ", " + std::to_string(value)};
}

std::vector<std::string> FloatVariableLines(std::string_view name, double value) {
  return {"set " + std::string(name) + ", " + StatusFloat(value)};
}

std::vector<std::string> StringVariableLines(std::string_view name, std::string_view value,
                                             std::string_view carriers) {
  return CommandWithText("set", name, value, carriers);
}

std::string CarrierPrefix(const VariableTables& variables) {
  // The first prefix no variable of the title's begins with: a carried text then never
  // overwrites or deletes one of them.
  auto used = [&](const std::string& prefix) {
    auto begins = [&](std::string_view name) { return name.substr(0, prefix.size()) == prefix; };
    for (const auto& v : variables.integers) if (begins(v.name.view())) return true;
    for (const auto& v : variables.floats) if (begins(v.name.view())) return true;
    for (const auto& v : variables.strings) if (begins(v.name.view())) return true;
    return false;
  };
  // Variable names are letters alone: the prefix grows by letters.
  std::string prefix(CommandLineWriter::kDefaultCarrierPrefix);
  while (used(prefix)) prefix += 'X';
  return prefix;
}

std::string ResumeModuleName(std::string_view titleDirectory) {
  while (!titleDirectory.empty() &&
         (titleDirectory.back() == '\\' || titleDirectory.back() == '/')) {
    titleDirectory.remove_suffix(1);
  }
  const size_t separator = titleDirectory.find_last_of("\\/");
  std::string name(separator == std::string_view::npos ? titleDirectory
                                                        : titleDirectory.substr(separator + 1));
  if (!name.empty() && name.front() == '_') name.front() = '!';
  if (name.size() > kMaxModuleName) name.resize(kMaxModuleName);
  return name;
}

std::vector<std::string> StatusStateLines(Runtime& runtime, std::string_view carriers) {
  std::vector<std::string> lines = PageLines(runtime, carriers);
  Append(lines, DatabaseLines(runtime, carriers));
  Append(lines, VariableLines(runtime, carriers));
  Append(lines, SystemVariableLines(runtime, carriers));
  Append(lines, MovieSlotLines(runtime, carriers));
  Append(lines, TokenSearchLines(runtime, carriers));
  return lines;
}

std::vector<std::string> ResumeLines(std::string_view text, std::string_view carriers) {
  return CommandWithText("set", "Resume$", text, carriers);
}

}  // namespace zd::script
