// Event-script keys meant for ImGui: while a popup menu, the file browser or a menu of the
// menu bar is up, the script's key presses become real SDL key presses, so that they move the
// highlight and choose entries as the user's keys would (and F10 opens the menu bar).
#include <imgui.h>

#include "base/cp1253.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {

bool SdlPlatform::TakeScriptKey(InputContext context, const Event& event) {
  const bool widgets = context == InputContext::PopupMenu || context == InputContext::FileDialog;
  const bool menuKey = context == InputContext::Window &&
                       (popupOpen_ || (event.key == kVkF10 && !menuBar_.empty() && views_.empty()));
  const size_t key = event.key < scriptKeysTaken_.size() ? event.key : 0;
  const Uint32 windowId = SDL_GetWindowID(window_->sdlWindow());
  switch (event.type) {
    case EventType::KeyDown: {
      if (key) scriptKeysTaken_[key] = false;
      lastKeyTaken_ = false;
      if (!widgets && !menuKey) return false;
      // The whole press goes at once, the release too: the script's own release may never
      // come here (the press closed the menu), and a key ImGui believes held repeats.
      SDL_Event down{};
      if (!SdlKeyOf(event.key, down.key.keysym)) return widgets;  // keys ImGui has no use for
      down.key.keysym.mod = SdlModifiers(event.modifiers);
      down.type = SDL_KEYDOWN;
      down.key.state = SDL_PRESSED;
      down.key.windowID = windowId;
      SDL_Event up = down;
      up.type = SDL_KEYUP;
      up.key.state = SDL_RELEASED;
      QueueScriptKey(down);
      QueueScriptKey(up);
      if (key) scriptKeysTaken_[key] = true;
      lastKeyTaken_ = true;
      return true;
    }
    case EventType::KeyUp:
      lastKeyTaken_ = false;
      if (!key || !scriptKeysTaken_[key]) return widgets;
      scriptKeysTaken_[key] = false;  // released with its press already
      return true;
    case EventType::Char:
      // The character a key types comes between its press and release, and goes where the
      // key went; ImGui's menus want none of them.
      if (!widgets) return lastKeyTaken_;
      // Typed text goes into the file browser's field, as typing would put it there.
      if (context == InputContext::FileDialog && event.character >= 0x20 && event.character != 0x7F) {
        SDL_Event text{};
        text.type = SDL_TEXTINPUT;
        text.text.windowID = windowId;
        const std::string utf8 = Cp1253ToUtf8(std::string(1, char(event.character)));
        utf8.copy(text.text.text, sizeof text.text.text - 1);
        QueueScriptKey(text);
      }
      return true;
    default: return false;
  }
}

void SdlPlatform::QueueScriptKey(const SDL_Event& event) {
  scriptKeyEvents_.push_back(event);
  UpdateKeyboardNavigation();
  FeedScriptKey();
}

void SdlPlatform::FeedScriptKey() {
  if (scriptKeyStage_ != ScriptKeyStage::Idle || scriptKeyEvents_.empty()) return;
  if (!views_.empty() && !views_.back()->ready()) {
    needRender_ = true;  // the frames that bring it up, however long it takes
    KeepRendering();
    return;
  }
  scriptKeyInFlight_ = scriptKeyEvents_.front();
  scriptKeyEvents_.pop_front();
  // ImGui reads the modifiers from SDL's keyboard state, not from the event.
  if (scriptKeyInFlight_.type == SDL_KEYDOWN && scriptKeyInFlight_.key.keysym.mod) {
    SDL_SetModState(static_cast<SDL_Keymod>(scriptKeyInFlight_.key.keysym.mod));
  }
  SDL_Event copy = scriptKeyInFlight_;
  SDL_PushEvent(&copy);
  scriptKeyStage_ = ScriptKeyStage::Pushed;
}

void SdlPlatform::NoteScriptKeySeen(const SDL_Event& e) {
  if (scriptKeyStage_ != ScriptKeyStage::Pushed || e.type != scriptKeyInFlight_.type) return;
  if ((e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) &&
      e.key.keysym.sym != scriptKeyInFlight_.key.keysym.sym) {
    return;
  }
  scriptKeyStage_ = ScriptKeyStage::Seen;
  needRender_ = true;  // the frame that shows ImGui the key
}

void SdlPlatform::NoteScriptKeyDrawn() {
  if (scriptKeyStage_ != ScriptKeyStage::Seen) return;
  scriptKeyStage_ = ScriptKeyStage::Idle;
  if (scriptKeyInFlight_.type == SDL_KEYUP && scriptKeyInFlight_.key.keysym.mod) {
    SDL_SetModState(KMOD_NONE);
  }
  // The next one goes at once, which also wakes a loop that sleeps until an event comes.
  FeedScriptKey();
}

bool SdlPlatform::ScriptKeysInFlight() const {
  return scriptKeyStage_ != ScriptKeyStage::Idle || !scriptKeyEvents_.empty();
}

}  // namespace zd::platform::sdl
