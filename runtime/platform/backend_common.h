// Pieces both backends share: the trace lines of windows and dialogs, the window picture made
// from the last presented frame, and the answers a dialog accepts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/trace.h"
#include "platform/dialogs.h"
#include "platform/types.h"

namespace zd::platform {

// A frame kept by a backend after Present, so it can be shown again or saved.
class PresentedFrame {
 public:
  void Store(const Frame& frame);
  bool empty() const { return width_ == 0; }
  // The client area: background everywhere, the picture at its origin, clipped.
  RgbImage Compose(int clientWidth, int clientHeight) const;
  // RGB of the stored picture alone, with no origin or bands (for a texture).
  void ToRgba(std::vector<uint32_t>& out) const;
  int width() const { return width_; }
  int height() const { return height_; }
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  Rgb background() const { return background_; }

 private:
  std::vector<uint8_t> pixels_;
  PaletteRgb palette_{};
  int width_ = 0, height_ = 0, originX_ = 0, originY_ = 0;
  Rgb background_{};
};

void TraceWindow(const Trace& trace, const char* verb, const WindowSpec& request, int clientWidth,
                 int clientHeight);
void TraceMessageBox(const Trace& trace, const MessageBoxSpec& request);
void TraceButtonDialog(const Trace& trace, const ButtonDialogSpec& request);
void TracePopupMenu(const Trace& trace, const PopupMenuSpec& request);
void TraceFileDialog(const Trace& trace, const FileDialogSpec& request);
void TraceAnswer(const Trace& trace, TraceCategory category, const std::string& what,
                 bool byDefault);

// The answers a message box offers, first button first.
std::vector<int> MessageBoxAnswers(const MessageBoxSpec& request);
int MessageBoxDefault(const MessageBoxSpec& request);
const char* AnswerName(int answer);  // "ok", "yes", ... or nullptr for other numbers

}  // namespace zd::platform
