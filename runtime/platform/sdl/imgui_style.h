// The look of everything drawn with Dear ImGui over the page: a plain classic desktop (grey
// raised panels, navy title bars, black text, square corners, bevelled buttons) and its font.
#pragma once

#include <imgui.h>

#include <string>
#include <vector>

namespace zd::platform::sdl {

namespace colours {
constexpr ImU32 kFace = IM_COL32(192, 192, 192, 255);
constexpr ImU32 kLight = IM_COL32(223, 223, 223, 255);
constexpr ImU32 kHighlight = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kShadow = IM_COL32(128, 128, 128, 255);
constexpr ImU32 kDarkShadow = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kText = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kGreyText = IM_COL32(128, 128, 128, 255);
constexpr ImU32 kNavy = IM_COL32(0, 0, 128, 255);
constexpr ImU32 kWindow = IM_COL32(255, 255, 255, 255);
}  // namespace colours

// Sets the classic style with every size multiplied by `scale`.
void ApplyClassicStyle(int scale);

// The dialog font's file, read once per window so the atlas can be rebuilt when the scale
// changes.
struct DialogFont {
  std::string path;        // empty: ImGui's built-in font
  std::vector<char> data;
};
// Finds DejaVu Sans through fontconfig (or its usual place) and reads it.
void ReadDialogFont(DialogFont& font);

// Loads the dialog font with Latin and Greek letters at 15 pixels times `scale`; ImGui's
// built-in font when no usable font file was found. Returns the font file used, or "".
const char* LoadDialogFont(int scale, const DialogFont& font);

// Height of the menu bar in window pixels, from the loaded font and the style.
int MenuBarHeight();

// A window with a navy title bar and white caption over a raised grey body. Always pair with
// EndClassicWindow, whatever it returns.
bool BeginClassicWindow(const char* titleAndId, bool* open, ImGuiWindowFlags flags);
void EndClassicWindow();

// A push button drawn raised (sunken while pressed); the default button has a black frame
// and the focused one a dotted rectangle. Returns true when clicked.
bool ClassicButton(const char* labelAndId, const ImVec2& size, bool isDefault, bool focused,
                   bool enabled = true);

// A size in window pixels for a size in logical pixels.
float Scaled(float logical);

// Bevels: `raised` gives the light edge top-left, otherwise bottom-right (a sunken well).
void DrawBevel(ImDrawList* list, ImVec2 min, ImVec2 max, bool raised);
// The raised frame around the current ImGui window (dialogs, menu panels).
void FrameCurrentWindow();

// A key pressed in this frame (or repeating), and Return on either keyboard.
inline bool KeyPressed(ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key)); }
inline bool ReturnPressed() { return KeyPressed(ImGuiKey_Enter) || KeyPressed(ImGuiKey_KeyPadEnter); }

}  // namespace zd::platform::sdl
