// What zdinst32 offers the platform while its dialogs wait: nothing runs behind them, so the
// only work is painting the window, the CD's background picture stretched over it (or a plain
// background without one).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace zd::install {

class InstallerHost final : public platform::Host {
 public:
  InstallerHost(platform::Platform& platform, std::optional<platform::RgbImage> background);

  std::optional<uint32_t> NextTimerDue() override { return std::nullopt; }
  void DispatchBackground() override;
  void PaintNow() override;
  void PageOrigin(int& x, int& y) override { x = y = 0; }
  std::optional<std::string> CurrentPageName() override { return std::nullopt; }
  bool TimersMayWait() override { return true; }
  std::optional<platform::ProbedVariable> Variable(const std::string&) override {
    return std::nullopt;
  }

  // The picture to show from now on (nullopt: the plain background); the window is repainted.
  void SetBackground(std::optional<platform::RgbImage> background);
  bool hasBackground() const { return background_.has_value(); }

 private:
  platform::Platform& platform_;
  std::optional<platform::RgbImage> background_;
  std::vector<uint8_t> plain_;       // the window's indexed picture: one colour
  platform::PaletteRgb palette_{};
  bool painted_ = false;
};

}  // namespace zd::install
