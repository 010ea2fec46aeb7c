#include "platform/sdl/sdl_keys.h"

#include <cstring>

#include "base/cp1253.h"
#include "platform/events.h"

namespace zd::platform::sdl {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  uint16_t key;
};

// Keys named by what they do. Codes without a vk:: name are the original platform's numbers.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, vk::BACK},   {SDLK_TAB, vk::TAB},
    {SDLK_RETURN, vk::RETURN},    {SDLK_KP_ENTER, vk::RETURN},
    {SDLK_ESCAPE, vk::ESCAPE},    {SDLK_SPACE, vk::SPACE},
    {SDLK_PAGEUP, vk::PRIOR},     {SDLK_PAGEDOWN, vk::NEXT},
    {SDLK_END, vk::END},          {SDLK_HOME, vk::HOME},
    {SDLK_LEFT, vk::LEFT},        {SDLK_UP, vk::UP},
    {SDLK_RIGHT, vk::RIGHT},      {SDLK_DOWN, vk::DOWN},
    {SDLK_INSERT, vk::INSERT},    {SDLK_DELETE, vk::DELETE_},
    {SDLK_APPLICATION, vk::APPS}, {SDLK_MENU, vk::APPS},
    {SDLK_LSHIFT, vk::SHIFT},     {SDLK_RSHIFT, vk::SHIFT},
    {SDLK_LCTRL, vk::CONTROL},    {SDLK_RCTRL, vk::CONTROL},
    {SDLK_LALT, 0x12},            {SDLK_RALT, 0x12},  // the Alt keys ("menu" keys)
    {SDLK_PAUSE, 0x13},           {SDLK_CAPSLOCK, 0x14},
    {SDLK_PRINTSCREEN, 0x2C},     {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},      {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},         {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},       {SDLK_KP_DIVIDE, 0x6F},
};

struct ScanPair {
  SDL_Scancode scan;
  uint16_t key;
};

// Punctuation keys are numbered by their place on the keyboard, whatever the layout types.
constexpr ScanPair kPlacedKeys[] = {
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},     {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},    {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},     {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE},
};

}  // namespace

uint16_t VirtualKey(const SDL_Keysym& key) {
  const SDL_Keycode code = key.sym;
  if (code >= SDLK_a && code <= SDLK_z) return static_cast<uint16_t>(code - SDLK_a + 'A');
  if (code >= SDLK_0 && code <= SDLK_9) return static_cast<uint16_t>(code - SDLK_0 + '0');
  if (code >= SDLK_F1 && code <= SDLK_F12) return static_cast<uint16_t>(vk::F1 + (code - SDLK_F1));
  if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return static_cast<uint16_t>(0x61 + (code - SDLK_KP_1));
  if (code == SDLK_KP_0) return 0x60;
  for (const auto& k : kNamedKeys) {
    if (k.sdl == code) return k.key;
  }
  // A Greek (or other non-Latin) layout types letters SDL has no key code for; the letter
  // keys keep the codes of their Latin letters, as they did on the original platform.
  const SDL_Scancode scan = key.scancode;
  if (scan >= SDL_SCANCODE_A && scan <= SDL_SCANCODE_Z) {
    return static_cast<uint16_t>('A' + (scan - SDL_SCANCODE_A));
  }
  if (scan >= SDL_SCANCODE_1 && scan <= SDL_SCANCODE_9) {
    return static_cast<uint16_t>('1' + (scan - SDL_SCANCODE_1));
  }
  if (scan == SDL_SCANCODE_0) return '0';
  for (const auto& k : kPlacedKeys) {
    if (k.scan == scan) return k.key;
  }
  return 0;
}

uint8_t Modifiers(uint16_t sdlModifiers) {
  uint8_t out = 0;
  if (sdlModifiers & KMOD_SHIFT) out |= modifier::SHIFT;
  if (sdlModifiers & KMOD_CTRL) out |= modifier::CTRL;
  if (sdlModifiers & KMOD_ALT) out |= modifier::ALT;
  return out;
}

bool SdlKeyOf(uint16_t virtualKey, SDL_Keysym& keysym) {
  keysym = SDL_Keysym{};
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    keysym.sym = SDLK_a + (virtualKey - 'A');
  } else if (virtualKey >= '0' && virtualKey <= '9') {
    keysym.sym = SDLK_0 + (virtualKey - '0');
  } else if (virtualKey >= vk::F1 && virtualKey <= vk::F12) {
    keysym.sym = SDLK_F1 + (virtualKey - vk::F1);
  } else {
    for (const auto& k : kNamedKeys) {
      if (k.key == virtualKey && k.key != 0) {
        keysym.sym = k.sdl;
        break;
      }
    }
  }
  if (keysym.sym == 0) return false;
  // ImGui reads the key's place on the keyboard, the runtime its code.
  keysym.scancode = SDL_GetScancodeFromKey(keysym.sym);
  if (keysym.scancode == SDL_SCANCODE_UNKNOWN && (keysym.sym & SDLK_SCANCODE_MASK)) {
    keysym.scancode = static_cast<SDL_Scancode>(keysym.sym & ~SDLK_SCANCODE_MASK);
  }
  return true;
}

uint16_t SdlModifiers(uint8_t modifiers) {
  uint16_t out = 0;
  if (modifiers & modifier::SHIFT) out |= KMOD_LSHIFT;
  if (modifiers & modifier::CTRL) out |= KMOD_LCTRL;
  if (modifiers & modifier::ALT) out |= KMOD_LALT;
  return out;
}

uint8_t ControlCharacter(uint16_t virtualKey, uint8_t modifiers) {
  if (modifiers & (modifier::CTRL | modifier::ALT)) return 0;
  switch (virtualKey) {
    case vk::RETURN: return '\r';
    case vk::TAB: return '\t';
    case vk::BACK: return '\b';
    case vk::ESCAPE: return 0x1B;
    default: return 0;
  }
}

std::string TypedCharacters(const char* utf8) {
  return Utf8ToCp1253(std::string_view(utf8, std::strlen(utf8)));
}

}  // namespace zd::platform::sdl
