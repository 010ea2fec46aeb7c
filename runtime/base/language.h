// The language of the player's own texts: its menus, dialogs, buttons, questions and --help.
// Texts a title can see or show (month and weekday names, labels scripts read) do not follow it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace zd {

enum class Language { Greek, English };

// "el" or "en" (as --lang takes them); nullopt for anything else.
std::optional<Language> ParseLanguageName(std::string_view name);

// The language the environment asks for, the way programs choose their message language:
// the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that names one decides. "C", "C." with
// any codeset, "POSIX" and empty values name none. Greek when nothing names a language or the
// language named is Greek, English for any other language (whether or not its locale is
// installed). `lookup` reads a variable (std::getenv in the player).
Language LanguageFromEnvironment(const std::function<const char*(const char*)>& lookup);

}  // namespace zd
