#include "base/language.h"

#include <string>

namespace zd {
namespace {

// The language part of a locale name ("en_US.UTF-8@euro" -> "en"); empty for the names that
// name no language.
std::string LanguageOfLocale(std::string_view locale) {
  if (locale.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.") {
    return {};
  }
  const size_t end = locale.find_first_of("_.@");
  return std::string(locale.substr(0, end));
}

}  // namespace

std::optional<Language> ParseLanguageName(std::string_view name) {
  if (name == "el") return Language::Greek;
  if (name == "en") return Language::English;
  return std::nullopt;
}

Language LanguageFromEnvironment(const std::function<const char*(const char*)>& lookup) {
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = lookup(variable);
    if (!value) continue;
    std::string_view text = value;
    // LANGUAGE is a list of preferences; its first entry is the one that counts.
    if (std::string_view(variable) == "LANGUAGE") text = text.substr(0, text.find(':'));
    const std::string language = LanguageOfLocale(text);
    if (language.empty()) continue;
    return language == "el" ? Language::Greek : Language::English;
  }
  return Language::Greek;
}

}  // namespace zd
