#include "installer/installer_host.h"

#include <algorithm>

namespace zd::install {
namespace {

// The desktop colour the installer showed where it had no picture.
constexpr platform::Rgb kPlainBackground{0, 128, 128};

}  // namespace

InstallerHost::InstallerHost(platform::Platform& platform,
                             std::optional<platform::RgbImage> background)
    : platform_(platform), background_(std::move(background)) {
  palette_[0] = kPlainBackground;
}

void InstallerHost::SetBackground(std::optional<platform::RgbImage> background) {
  background_ = std::move(background);
  PaintNow();
}

void InstallerHost::DispatchBackground() {
  if (!painted_) PaintNow();
}

void InstallerHost::PaintNow() {
  int width = 0, height = 0;
  platform_.ClientSize(width, height);
  width = std::clamp(width, 1, platform::kMaxOverlaySide);
  height = std::clamp(height, 1, platform::kMaxOverlaySide);
  plain_.assign(size_t(width) * size_t(height), 0);

  platform::Frame frame;
  frame.image = {plain_.data(), width, height, width};
  frame.palette = &palette_;
  frame.background = kPlainBackground;
  if (background_) {
    // Stretched over the whole client area, as the window always showed it.
    platform::OverlayImage picture;
    picture.pixels = background_->rgb.data();
    picture.width = background_->width;
    picture.height = background_->height;
    picture.pitch = background_->width * 3;
    picture.w = width;
    picture.h = height;
    frame.overlays.push_back(picture);
  }
  platform_.Present(frame);
  painted_ = true;
}

}  // namespace zd::install
