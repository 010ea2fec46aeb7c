#include "installer/title_launcher.h"

#include <sys/stat.h>

#include "base/cp1253.h"
#include "platform/files.h"
#include "platform/processes.h"

namespace zd::install {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += '\\';
    out += part;
  }
  return out;
}

}  // namespace

bool IsBareName(std::string_view name) {
  if (name.empty() || name.front() == '.' || name.front() == '-') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

std::optional<std::vector<std::string>> RelativeComponents(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") return std::nullopt;
    for (char c : part) {
      if (c == ':' || static_cast<unsigned char>(c) < 0x20) return std::nullopt;
    }
    if (!part.empty() && part != ".") parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

std::string ParentFolder(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const size_t slash = trimmed.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return trimmed.substr(0, slash);
}

std::optional<std::vector<std::string>> TitleLauncherArguments(
    const InstallBlock& block, const LauncherPlaces& places, std::string& problem,
    std::vector<std::string>* refusedWords) {
  std::vector<std::string> arguments{places.playerPath};
  if (const auto command = block.Value("command")) {
    const std::vector<std::string> words = platform::SplitWindowsCommandLine(*command);
    for (size_t i = 0; i < words.size(); ++i) {
      const std::string word = Cp1253ToUtf8(words[i]);
      // The CD's options must not redirect the player's audio, scripts, messages or saves.
      const bool longOption = word.rfind("--", 0) == 0;
      const bool savesOption = word.size() >= 2 && word[0] == '-' && (word[1] == 'e' || word[1] == 'E');
      // The player reads its options from the words joined by blanks, so "-e " inside a quoted
      // word, or "-e" closing one, would give it a saves folder all the same.
      std::string upper = word + " ";
      for (char& c : upper) c = c == 'e' ? 'E' : c;
      const bool hiddenSavesOption = upper.find("-E ") != std::string::npos;
      if (!longOption && !savesOption && !hiddenSavesOption) {
        arguments.push_back(word);
        continue;
      }
      std::string refused = word;
      // "-e FOLDER" and "--events FILE": the value goes with its option, or it would be read
      // as something else.
      const bool valueFollows = savesOption ? word.size() == 2
                                            : word.find('=') == std::string::npos &&
                                                  i + 1 < words.size() && words[i + 1].rfind('-', 0) != 0;
      if (valueFollows && i + 1 < words.size()) refused += " " + Cp1253ToUtf8(words[++i]);
      if (refusedWords) refusedWords->push_back(refused);
    }
  }
  if (block.Has("extrasdir") && places.saveAndResume) {
    arguments.push_back("-e");
    arguments.push_back(places.installDirectory);
  }
  if (auto path = block.Value("path")) {
    // Title folders written with a leading "!" are on the CD with "_" in its place.
    const size_t bang = path->rfind('!');
    if (bang != std::string::npos) (*path)[bang] = '_';
    const auto parts = RelativeComponents(*path);
    if (!parts) {
      problem = Cp1253ToUtf8(*path);
      return std::nullopt;
    }
    const std::string cdRoot = ParentFolder(places.sourceDirectory);
    const std::string titleFolder = parts->empty() ? cdRoot : platform::ResolveBelow(cdRoot, Joined(*parts));
    std::string authorfile = platform::ResolveBelow(titleFolder, "authorfi");
    if (!Exists(authorfile)) authorfile = platform::ResolveBelow(titleFolder, "authorfi._le");
    arguments.push_back(authorfile);
  }
  return arguments;
}

}  // namespace zd::install
