#include "platform/sdl/imgui_style.h"

#include <cstdint>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/font_raster.h"

namespace zd::platform::sdl {
namespace {

constexpr const char* kFallbackFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float kFontPixels = 15.0f;

// Every character of code page 1253: Latin-1 range, the Greek block and the punctuation,
// currency and symbols the code page adds. ImGui keeps the pointer, so it lives forever.
const ImWchar kGlyphRanges[] = {
    0x0020, 0x00FF, 0x0192, 0x0192, 0x0370, 0x03FF, 0x2010, 0x203A,
    0x20AC, 0x20AC, 0x2122, 0x2122, 0,
};

ImVec4 Colour(int r, int g, int b) { return ImVec4(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f); }

// Only TrueType and OpenType outlines can go to ImGui's rasteriser; fontconfig may well
// answer with a bitmap or Type 1 font on a machine without outline fonts.
bool LooksLikeOutlineFont(const std::vector<char>& data) {
  if (data.size() < 12) return false;
  const char* magic = data.data();
  return std::memcmp(magic, "\x00\x01\x00\x00", 4) == 0 || std::memcmp(magic, "OTTO", 4) == 0 ||
         std::memcmp(magic, "true", 4) == 0 || std::memcmp(magic, "ttcf", 4) == 0;
}

void DrawLine(ImDrawList* list, ImVec2 a, ImVec2 b, ImU32 colour) {
  list->AddRectFilled(a, b, colour);
}

// The scale lives with the ImGui context it was applied to (its user data), not in the program.
int ContextScale() {
  const auto scale = reinterpret_cast<intptr_t>(ImGui::GetIO().UserData);
  return scale < 1 ? 1 : static_cast<int>(scale);
}

}  // namespace

float Scaled(float logical) { return logical * static_cast<float>(ContextScale()); }

void ApplyClassicStyle(int scale) {
  ImGui::GetIO().UserData = reinterpret_cast<void*>(static_cast<intptr_t>(scale < 1 ? 1 : scale));
  ImGuiStyle style;
  ImGui::StyleColorsLight(&style);
  style.WindowRounding = style.ChildRounding = style.FrameRounding = style.PopupRounding = 0;
  style.ScrollbarRounding = style.GrabRounding = style.TabRounding = 0;
  style.WindowBorderSize = 1;
  style.PopupBorderSize = 1;
  style.FrameBorderSize = 1;
  style.ChildBorderSize = 1;
  style.WindowPadding = ImVec2(10, 10);
  style.FramePadding = ImVec2(6, 3);
  style.ItemSpacing = ImVec2(8, 6);
  style.ScrollbarSize = 16;
  style.WindowTitleAlign = ImVec2(0.0f, 0.5f);
  style.WindowMenuButtonPosition = ImGuiDir_None;
  style.DisplaySafeAreaPadding = ImVec2(0, 0);

  ImVec4* c = style.Colors;
  const ImVec4 face = Colour(192, 192, 192), black = Colour(0, 0, 0), white = Colour(255, 255, 255);
  const ImVec4 shadow = Colour(128, 128, 128), navy = Colour(0, 0, 128);
  const ImVec4 selection = Colour(166, 202, 240);
  c[ImGuiCol_Text] = black;
  c[ImGuiCol_TextDisabled] = shadow;
  c[ImGuiCol_WindowBg] = face;
  c[ImGuiCol_ChildBg] = white;
  c[ImGuiCol_PopupBg] = face;
  c[ImGuiCol_Border] = Colour(64, 64, 64);
  c[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
  c[ImGuiCol_FrameBg] = white;
  c[ImGuiCol_FrameBgHovered] = white;
  c[ImGuiCol_FrameBgActive] = white;
  c[ImGuiCol_TitleBg] = shadow;
  c[ImGuiCol_TitleBgActive] = navy;
  c[ImGuiCol_TitleBgCollapsed] = shadow;
  c[ImGuiCol_MenuBarBg] = face;
  c[ImGuiCol_ScrollbarBg] = Colour(223, 223, 223);
  c[ImGuiCol_ScrollbarGrab] = face;
  c[ImGuiCol_ScrollbarGrabHovered] = face;
  c[ImGuiCol_ScrollbarGrabActive] = shadow;
  c[ImGuiCol_CheckMark] = black;
  c[ImGuiCol_Button] = face;
  c[ImGuiCol_ButtonHovered] = face;
  c[ImGuiCol_ButtonActive] = shadow;
  c[ImGuiCol_Header] = selection;
  c[ImGuiCol_HeaderHovered] = selection;
  c[ImGuiCol_HeaderActive] = selection;
  c[ImGuiCol_Separator] = shadow;
  c[ImGuiCol_TextSelectedBg] = selection;
  c[ImGuiCol_NavHighlight] = black;
  c[ImGuiCol_ModalWindowDimBg] = ImVec4(0, 0, 0, 0);
  c[ImGuiCol_NavWindowingDimBg] = ImVec4(0, 0, 0, 0);
  style.ScaleAllSizes(static_cast<float>(ContextScale()));
  ImGui::GetStyle() = style;
}

void ReadDialogFont(DialogFont& font) {
  font = DialogFont{};
  const auto found = FindFontFile("DejaVu Sans", false, false);
  for (const std::string& candidate : {found.value_or(""), std::string(kFallbackFont)}) {
    if (candidate.empty()) continue;
    std::ifstream in(candidate, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (LooksLikeOutlineFont(bytes)) {
      font.path = candidate;
      font.data = std::move(bytes);
      return;
    }
  }
}

const char* LoadDialogFont(int scale, const DialogFont& file) {
  ImGuiIO& io = ImGui::GetIO();
  io.Fonts->Clear();
  const float pixels = kFontPixels * static_cast<float>(scale < 1 ? 1 : scale);
  if (!file.data.empty()) {
    ImFontConfig config;
    config.FontDataOwnedByAtlas = false;  // the bytes stay with the window's DialogFont
    config.OversampleH = config.OversampleV = 1;
    config.PixelSnapH = true;
    void* bytes = const_cast<char*>(file.data.data());
    if (io.Fonts->AddFontFromMemoryTTF(bytes, static_cast<int>(file.data.size()), pixels, &config,
                                       kGlyphRanges) &&
        io.Fonts->Build()) {
      return file.path.c_str();
    }
    io.Fonts->Clear();
  }
  ImFontConfig config;
  config.SizePixels = 13.0f * static_cast<float>(scale < 1 ? 1 : scale);
  io.Fonts->AddFontDefault(&config);
  io.Fonts->Build();
  return "";
}

int MenuBarHeight() {
  const ImGuiIO& io = ImGui::GetIO();
  const float font = io.Fonts->Fonts.empty() ? 13.0f : io.Fonts->Fonts[0]->FontSize;
  return static_cast<int>(font + ImGui::GetStyle().FramePadding.y * 2.0f);
}

void DrawBevel(ImDrawList* list, ImVec2 min, ImVec2 max, bool raised) {
  const float t = Scaled(1);
  const ImU32 outerLight = raised ? colours::kLight : colours::kShadow;
  const ImU32 innerLight = raised ? colours::kHighlight : colours::kDarkShadow;
  const ImU32 outerDark = raised ? colours::kDarkShadow : colours::kHighlight;
  const ImU32 innerDark = raised ? colours::kShadow : colours::kLight;
  // Outer ring: light top and left, dark bottom and right; the inner ring one step softer.
  DrawLine(list, min, ImVec2(max.x, min.y + t), outerLight);
  DrawLine(list, min, ImVec2(min.x + t, max.y), outerLight);
  DrawLine(list, ImVec2(min.x, max.y - t), max, outerDark);
  DrawLine(list, ImVec2(max.x - t, min.y), max, outerDark);
  const ImVec2 a(min.x + t, min.y + t), b(max.x - t, max.y - t);
  DrawLine(list, a, ImVec2(b.x, a.y + t), innerLight);
  DrawLine(list, a, ImVec2(a.x + t, b.y), innerLight);
  DrawLine(list, ImVec2(a.x, b.y - t), b, innerDark);
  DrawLine(list, ImVec2(b.x - t, a.y), b, innerDark);
}

void FrameCurrentWindow() {
  ImDrawList* list = ImGui::GetWindowDrawList();
  const ImVec2 min = ImGui::GetWindowPos();
  const ImVec2 max(min.x + ImGui::GetWindowSize().x, min.y + ImGui::GetWindowSize().y);
  list->PushClipRect(min, max, false);
  DrawBevel(list, min, max, true);
  list->PopClipRect();
}

bool BeginClassicWindow(const char* titleAndId, bool* open, ImGuiWindowFlags flags) {
  // The caption is drawn during Begin in the text colour: white on the navy bar.
  ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 255, 255, 255));
  const bool visible = ImGui::Begin(titleAndId, open, flags);
  ImGui::PopStyleColor();
  if (visible) FrameCurrentWindow();
  return visible;
}

void EndClassicWindow() { ImGui::End(); }

bool ClassicButton(const char* labelAndId, const ImVec2& size, bool isDefault, bool focused,
                   bool enabled) {
  if (!enabled) ImGui::BeginDisabled();
  const bool clicked = ImGui::InvisibleButton(labelAndId, size);
  const bool pressed = ImGui::IsItemActive() && ImGui::IsItemHovered();
  if (!enabled) ImGui::EndDisabled();

  ImDrawList* list = ImGui::GetWindowDrawList();
  ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
  const float t = Scaled(1);
  list->AddRectFilled(min, max, colours::kFace);
  if (isDefault) {
    list->AddRect(min, max, colours::kDarkShadow, 0, 0, t);
    min = ImVec2(min.x + t, min.y + t);
    max = ImVec2(max.x - t, max.y - t);
  }
  if (pressed) {
    list->AddRect(min, max, colours::kShadow, 0, 0, t);
  } else {
    DrawBevel(list, min, max, true);
  }

  const char* end = std::strstr(labelAndId, "##");
  const ImVec2 textSize = ImGui::CalcTextSize(labelAndId, end);
  const float shift = pressed ? t : 0;
  const ImVec2 textPos(min.x + (max.x - min.x - textSize.x) / 2 + shift,
                       min.y + (max.y - min.y - textSize.y) / 2 + shift);
  list->AddText(textPos, enabled ? colours::kText : colours::kGreyText, labelAndId, end);

  if (focused) {
    // The dotted focus rectangle, just inside the bevel.
    const float inset = Scaled(4);
    const ImVec2 a(min.x + inset, min.y + inset), b(max.x - inset, max.y - inset);
    for (float x = a.x; x < b.x; x += 2 * t) {
      list->AddRectFilled(ImVec2(x, a.y), ImVec2(x + t, a.y + t), colours::kDarkShadow);
      list->AddRectFilled(ImVec2(x, b.y - t), ImVec2(x + t, b.y), colours::kDarkShadow);
    }
    for (float y = a.y; y < b.y; y += 2 * t) {
      list->AddRectFilled(ImVec2(a.x, y), ImVec2(a.x + t, y + t), colours::kDarkShadow);
      list->AddRectFilled(ImVec2(b.x - t, y), ImVec2(b.x, y + t), colours::kDarkShadow);
    }
  }
  return clicked && enabled;
}

}  // namespace zd::platform::sdl
