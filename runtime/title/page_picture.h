// Pictures of a title's pages drawn without playing the title: each page as it looks when it
// is first shown (no scripts, timers or events run), alone on a black screen. For zdinfo's page
// pictures and contact sheets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/canvas.h"

namespace zd {

class Runtime;

// The page's number: a number counted from 0, or a page name (compared without regard to
// case). nullopt when the title has no such page.
std::optional<uint32_t> FindPageForPicture(Runtime& runtime, const std::string& numberOrName);

// Page `number` composed into a 640x480 canvas in the title palette; nullopt for a page that
// is never shown (a special page) or cannot be read. The runtime must hold the title open
// (Shell::OpenTitleForPictures); the page becomes its only open page.
std::optional<Canvas> DrawPageAsFirstShown(Runtime& runtime, uint32_t number);

}  // namespace zd
