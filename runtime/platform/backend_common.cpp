#include "platform/backend_common.h"

#include <algorithm>
#include <cstring>

namespace zd::platform {
namespace {

const char* StyleName(WindowStyle style) {
  switch (style) {
    case WindowStyle::Popup: return "popup";
    case WindowStyle::Captioned: return "captioned";
    case WindowStyle::FullScreen: return "fullscreen";
  }
  return "?";
}

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return "none";
    case MessageIcon::Information: return "information";
    case MessageIcon::Question: return "question";
    case MessageIcon::Warning: return "warning";
  }
  return "?";
}

std::string ItemList(const std::vector<MenuItem>& items) {
  std::string out;
  for (const auto& item : items) {
    if (item.id == 0) continue;
    if (!out.empty()) out += ", ";
    out += std::to_string(item.id) + " \"" + item.text + "\"";
    if (!item.enabled) out += " (grey)";
  }
  return out;
}

}  // namespace

void PresentedFrame::Store(const Frame& frame) {
  width_ = std::max(0, frame.image.width);
  height_ = std::max(0, frame.image.height);
  originX_ = frame.originX;
  originY_ = frame.originY;
  background_ = frame.background;
  if (frame.palette) palette_ = *frame.palette;
  pixels_.resize(size_t(width_) * height_);
  if (!frame.image.pixels) {
    std::fill(pixels_.begin(), pixels_.end(), 0);
    return;
  }
  for (int y = 0; y < height_; ++y) {
    std::memcpy(&pixels_[size_t(y) * width_], frame.image.pixels + size_t(y) * frame.image.pitch,
                size_t(width_));
  }
}

RgbImage PresentedFrame::Compose(int clientWidth, int clientHeight) const {
  RgbImage out;
  out.width = std::max(0, clientWidth);
  out.height = std::max(0, clientHeight);
  out.rgb.resize(size_t(out.width) * out.height * 3);
  for (size_t i = 0; i < out.rgb.size(); i += 3) {
    out.rgb[i] = background_.r;
    out.rgb[i + 1] = background_.g;
    out.rgb[i + 2] = background_.b;
  }
  const int x0 = std::max(0, originX_), x1 = std::min(out.width, originX_ + width_);
  const int y0 = std::max(0, originY_), y1 = std::min(out.height, originY_ + height_);
  for (int y = y0; y < y1; ++y) {
    const uint8_t* src = &pixels_[size_t(y - originY_) * width_ + (x0 - originX_)];
    uint8_t* dst = &out.rgb[(size_t(y) * out.width + x0) * 3];
    for (int x = x0; x < x1; ++x) {
      const Rgb c = palette_[*src++];
      *dst++ = c.r;
      *dst++ = c.g;
      *dst++ = c.b;
    }
  }
  return out;
}

void PresentedFrame::ToRgba(std::vector<uint32_t>& out) const {
  out.resize(pixels_.size());
  uint32_t lookup[256];
  for (int i = 0; i < 256; ++i) {
    // Bytes R, G, B, A in memory order (a little-endian ABGR word).
    lookup[i] = uint32_t(palette_[i].r) | (uint32_t(palette_[i].g) << 8) |
                (uint32_t(palette_[i].b) << 16) | 0xFF000000u;
  }
  for (size_t i = 0; i < pixels_.size(); ++i) out[i] = lookup[pixels_[i]];
}

void TraceWindow(const Trace& trace, const char* verb, const WindowSpec& request, int clientWidth,
                 int clientHeight) {
  if (!trace.Enabled(TraceCategory::Window)) return;
  std::string line = std::string("window ") + verb + " " + StyleName(request.style) + " " +
                     std::to_string(clientWidth) + "x" + std::to_string(clientHeight);
  if (!request.caption.empty()) line += " \"" + request.caption + "\"";
  for (const auto& menu : request.menuBar) {
    line += " menu \"" + menu.title + "\": " + ItemList(menu.items);
  }
  trace.Line(TraceCategory::Window, line);
}

void TraceMessageBox(const Trace& trace, const MessageBoxSpec& request) {
  const std::string buttons = request.buttons == MessageButtons::YesNo ? "yes/no" : "ok";
  const std::string head = request.key.empty() ? "message: " : "message " + request.key + ": ";
  trace.Line(TraceCategory::Message, head + request.text + " [" + buttons + ", " +
                                         IconName(request.icon) + "]");
}

void TraceButtonDialog(const Trace& trace, const ButtonDialogSpec& request) {
  std::string line = "dialog " + request.name + ": " + request.text + " [";
  for (size_t i = 0; i < request.buttons.size(); ++i) {
    if (i) line += ", ";
    line += std::to_string(request.buttons[i].id) + " \"" + request.buttons[i].label + "\"";
  }
  trace.Line(TraceCategory::Dialog, line + "]");
}

void TracePopupMenu(const Trace& trace, const PopupMenuSpec& request) {
  trace.Line(TraceCategory::Dialog, "dialog popup-menu at " + std::to_string(request.x) + "," +
                                        std::to_string(request.y) + ": " + ItemList(request.items));
}

void TraceFileDialog(const Trace& trace, const FileDialogSpec& request) {
  std::string line = std::string("dialog ") + (request.save ? "save-file" : "open-file");
  if (!request.title.empty()) line += " \"" + request.title + "\"";
  for (const auto& f : request.filters) line += " [" + f.label + "]";
  trace.Line(TraceCategory::Dialog, line);
}

void TraceAnswer(const Trace& trace, TraceCategory category, const std::string& what,
                 bool byDefault) {
  trace.Line(category, "answer " + what + (byDefault ? " (default)" : ""));
}

std::vector<int> MessageBoxAnswers(const MessageBoxSpec& request) {
  if (request.buttons == MessageButtons::YesNo) return {answer::YES, answer::NO};
  return {answer::OK};
}

int MessageBoxDefault(const MessageBoxSpec& request) {
  const auto answers = MessageBoxAnswers(request);
  if (std::find(answers.begin(), answers.end(), request.defaultAnswer) != answers.end()) {
    return request.defaultAnswer;
  }
  return answers.front();
}

const char* AnswerName(int a) {
  switch (a) {
    case answer::OK: return "ok";
    case answer::CANCEL: return "cancel";
    case answer::YES: return "yes";
    case answer::NO: return "no";
    default: return nullptr;
  }
}

}  // namespace zd::platform
