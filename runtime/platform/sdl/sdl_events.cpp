// SDL's events as the runtime's: pointer positions in logical client pixels, virtual keys,
// typed characters in code page 1253, and the window's own events. Input that the menu bar or
// a dialog takes never reaches the page.
#include <imgui.h>
#include <backends/imgui_impl_sdl.h>

#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {
namespace {

bool ButtonOf(uint8_t sdlButton, MouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: button = MouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: button = MouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: button = MouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

void SdlPlatform::PumpEvents(bool modal) {
  FeedScriptKey();
  bool any = false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    any = true;
    // Key presses and typing reach ImGui only while a menu or dialog is up: a title's key that
    // opens a box must not also answer it in the box's first frame. Releases always go, so
    // that ImGui never holds a key down.
    const bool typing = e.type == SDL_KEYDOWN || e.type == SDL_TEXTINPUT;
    if (!typing || OverlayShown()) ImGui_ImplSDL2_ProcessEvent(&e);
    NoteScriptKeySeen(e);
    HandleEvent(e, modal);
  }
  // ImGui learns of clicks and hovering only through frames; a modal loop draws its own.
  if (!modal && (needRender_ || (any && OverlayShown()))) RenderNow();
  else if (any) UpdateCursor();
}

void SdlPlatform::UpdateKeyboardNavigation() {
  // Keys move through menus and dialogs only while one is up; a title's keys never reach ImGui.
  ImGuiIO& io = ImGui::GetIO();
  if (!views_.empty() || popupOpen_ || openFileMenu_) {
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
  } else {
    io.ConfigFlags &= ~ImGuiConfigFlags_NavEnableKeyboard;
  }
}

bool SdlPlatform::ImGuiTakesMouse(int windowY) const {
  if (popupOpen_) return true;
  if (!menuBar_.empty() && windowY < window_->menuBarHeight()) return true;
  return OverlayShown() && ImGui::GetIO().WantCaptureMouse;
}

bool SdlPlatform::ImGuiTakesKeyboard() const {
  return popupOpen_ || (OverlayShown() && ImGui::GetIO().WantCaptureKeyboard);
}

void SdlPlatform::HandleEvent(const SDL_Event& e, bool modal) {
  switch (e.type) {
    case SDL_WINDOWEVENT: HandleWindowEvent(e.window, modal); break;
    case SDL_MOUSEMOTION: {
      mouseWindowY_ = e.motion.y;
      if (modal || ImGuiTakesMouse(e.motion.y)) break;
      Event m;
      m.type = EventType::MouseMove;
      WindowToClient(window_->Placement(), e.motion.x, e.motion.y, m.x, m.y);
      // Several screen pixels make one logical pixel; the page hears of real moves only.
      if (m.x == lastMouseX_ && m.y == lastMouseY_) break;
      lastMouseX_ = m.x;
      lastMouseY_ = m.y;
      Push(m);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      Event m;
      if (!ButtonOf(e.button.button, m.button)) break;
      const uint8_t bit = static_cast<uint8_t>(1u << static_cast<int>(m.button));
      if (e.type == SDL_MOUSEBUTTONDOWN) {
        if (modal || ImGuiTakesMouse(e.button.y)) break;
        buttonsDelivered_ |= bit;
        m.type = EventType::ButtonDown;
      } else {
        // A release belongs to whoever saw the press, wherever the pointer is now.
        if (!(buttonsDelivered_ & bit)) break;
        buttonsDelivered_ &= static_cast<uint8_t>(~bit);
        if (modal) break;
        m.type = EventType::ButtonUp;
      }
      WindowToClient(window_->Placement(), e.button.x, e.button.y, m.x, m.y);
      Push(m);
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (modal || ImGuiTakesMouse(mouseWindowY_)) break;
      int wx = 0, wy = 0;
      SDL_GetMouseState(&wx, &wy);
      Event m;
      m.type = EventType::Wheel;
      m.repeat = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (m.repeat == 0) break;
      WindowToClient(window_->Placement(), wx, wy, m.x, m.y);
      Push(m);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(e.key, modal); break;
    case SDL_TEXTINPUT:
      if (modal || ImGuiTakesKeyboard()) break;
      for (char c : TypedCharacters(e.text.text)) {
        Event ch;
        ch.type = EventType::Char;
        ch.character = static_cast<uint8_t>(c);
        Push(ch);
      }
      break;
    case SDL_DROPFILE:
      // SDL hands over the path; it is ours to free. A dialog must be answered first.
      if (e.drop.file) {
        if (!modal) {
          Event drop;
          drop.type = EventType::Drop;
          drop.text = e.drop.file;
          Push(drop);
        }
        SDL_free(e.drop.file);
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      window_->UploadFrame();
      needRender_ = true;
      break;
    default: break;
  }
}

void SdlPlatform::HandleKey(const SDL_KeyboardEvent& e, bool modal) {
  const uint16_t key = VirtualKey(e.keysym);
  if (key == 0 || key >= keyRepeat_.size()) return;
  int& repeat = keyRepeat_[key];
  if (e.type == SDL_KEYUP) {
    repeat = 0;
  } else {
    repeat = e.repeat ? repeat + 1 : 1;
  }
  // F10 opens the menu bar's first menu, its first entry highlighted.
  if (!modal && e.type == SDL_KEYDOWN && key == kVkF10 && !menuBar_.empty() && views_.empty() &&
      !popupOpen_) {
    openFileMenu_ = true;
    needRender_ = true;
    UpdateKeyboardNavigation();
    return;
  }
  if (modal || ImGuiTakesKeyboard()) return;
  Event k;
  k.type = e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
  k.key = key;
  k.modifiers = Modifiers(e.keysym.mod);
  k.repeat = e.type == SDL_KEYDOWN ? repeat : 1;
  Push(k);
  // Text input reports printable characters only; the control characters these keys type
  // follow their key as they did on the original platform.
  if (e.type == SDL_KEYDOWN) {
    if (const uint8_t c = ControlCharacter(key, k.modifiers)) {
      Event ch;
      ch.type = EventType::Char;
      ch.character = c;
      Push(ch);
    }
  }
}

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& e, bool modal) {
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // A dialog must be answered before the window can be closed.
      if (!modal) Push(EventType::Close);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (!modal) Push(EventType::FocusGained);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (!modal) Push(EventType::FocusLost);
      focusLostInModal_ = modal;  // a popup menu closes when the user turns elsewhere
      break;
    case SDL_WINDOWEVENT_MINIMIZED: Push(EventType::Minimised); break;
    case SDL_WINDOWEVENT_RESTORED:
      Push(EventType::Restored);
      needRender_ = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      // The user resized the window: the client area keeps its size and the page is scaled
      // into the new window, which the runtime hears of to draw it again.
      PushResized();
      needRender_ = true;
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      Push(EventType::Exposed);
      needRender_ = true;
      break;
    case SDL_WINDOWEVENT_LEAVE: mouseWindowY_ = -1; break;
    default: break;
  }
}

}  // namespace zd::platform::sdl
