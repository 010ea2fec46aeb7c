// The keyboard as the runtime knows it: SDL's keys as the virtual key codes titles were
// written for, modifier bits, and the characters keys and text input type (code page 1253).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace zd::platform::sdl {

// F10, the key that opens the menu bar (the original platform's number for it).
constexpr uint16_t kVkF10 = 0x79;

// 0 for keys the runtime has no code for.
uint16_t VirtualKey(const SDL_Keysym& key);
uint8_t Modifiers(uint16_t sdlModifiers);
// The other way, for key presses the event script makes into real ones: the SDL key of a
// virtual key (letters, digits, F1-F12 and the keys named in kNamedKeys), false for others.
bool SdlKeyOf(uint16_t virtualKey, SDL_Keysym& keysym);
uint16_t SdlModifiers(uint8_t modifiers);

// The control character a key types on its own (Return, Tab, Backspace, Escape), which
// text input does not report; 0 for every other key and with Ctrl or Alt held.
uint8_t ControlCharacter(uint16_t virtualKey, uint8_t modifiers);

// The code page 1253 characters of a text input event, one per character typed.
std::string TypedCharacters(const char* utf8);

}  // namespace zd::platform::sdl
