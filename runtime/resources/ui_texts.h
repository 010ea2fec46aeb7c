// The texts a backend draws itself, from the string table in the player's language.
#pragma once

#include "base/language.h"
#include "platform/ui_texts.h"

namespace zd {

platform::UiTexts UiTextsFor(Language language);

}  // namespace zd
