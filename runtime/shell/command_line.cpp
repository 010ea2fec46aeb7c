#include "shell/command_line.h"

#include "base/text.h"

namespace zd {

CommandLine ParseCommandLine(std::string_view line, std::string_view pathWithBlanks,
                             bool endsWithQuotedValue) {
  // A quoted -E value that ends the line runs to its end: "-C", a word that is never the path
  // and sets nothing, gives it the blank after it that the value's rule looks for.
  if (endsWithQuotedValue) return ParseCommandLine(std::string(line) + " -C");
  if (!pathWithBlanks.empty() && line.size() >= pathWithBlanks.size() &&
      line.substr(line.size() - pathWithBlanks.size()) == pathWithBlanks) {
    std::string_view options = line.substr(0, line.size() - pathWithBlanks.size());
    while (!options.empty() && options.back() == ' ') options.remove_suffix(1);
    // The options alone, read as the original line would have been read with a path after
    // them: "-C" stands in for that path, because it is a word that is never the path and
    // sets nothing (and so "-D" before it still has its blank).
    CommandLine result = ParseCommandLine(std::string(options) + " -C");
    result.titlePath = ToUpper1253(pathWithBlanks);
    result.titlePathAsGiven = std::string(pathWithBlanks);
    return result;
  }
  CommandLine result;
  const std::string upper = ToUpper1253(line);
  const auto has = [&](const char* option) { return upper.find(option) != std::string::npos; };

  result.diagnostics = !has("-D ");
  result.spriteCaching = !has("-S ");

  // The "-E " value runs to the last blank of the line (or to the end when that blank stands
  // before the value), less the blanks around it.
  size_t valueStart = std::string::npos;
  const size_t e = upper.find("-E ");
  if (e != std::string::npos) {
    valueStart = e + 3;
    const size_t lastBlank = upper.rfind(' ');
    size_t valueEnd = (lastBlank != std::string::npos && lastBlank >= valueStart) ? lastBlank
                                                                                   : upper.size();
    size_t first = valueStart;
    while (first < valueEnd && upper[first] == ' ') ++first;
    while (valueEnd > first && upper[valueEnd - 1] == ' ') --valueEnd;
    result.overrideDirectory = upper.substr(first, valueEnd - first);
    result.overrideDirectoryAsGiven = std::string(line.substr(first, valueEnd - first));
  }

  const size_t lastBlank = upper.rfind(' ');
  const size_t wordStart = lastBlank == std::string::npos ? 0 : lastBlank + 1;
  const std::string word = upper.substr(wordStart);
  const bool isOption = word == "-D" || word == "-M" || word == "-S" || word == "-O" ||
                        word == "-C" || word == "-F";
  const bool isEValue = valueStart != std::string::npos && wordStart == valueStart;
  if (!isOption && !isEValue) {
    result.titlePath = word;
    result.titlePathAsGiven = std::string(line.substr(wordStart));
  }
  return result;
}

std::string TitleApplicationName(std::string_view titlePath) {
  if (titlePath.empty()) return "!generic";
  const size_t last = titlePath.find_last_of("\\/");
  if (last == std::string_view::npos) return "!";
  const std::string_view directory = titlePath.substr(0, last);
  const size_t before = directory.find_last_of("\\/:");
  const std::string_view name =
      before == std::string_view::npos ? directory : directory.substr(before + 1);
  if (name.empty()) return "!";
  return "!" + std::string(name.substr(1));
}

}  // namespace zd
