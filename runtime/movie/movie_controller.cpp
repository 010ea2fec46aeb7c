#include "movie/movie_controller.h"

#include <algorithm>

namespace zd {
namespace {

constexpr int kButtonWidth = 16;
constexpr int kTrackLeft = kButtonWidth + 4;
constexpr int kTrackMargin = 4;  // right of the track
constexpr int kThumbWidth = 6;

struct Colour {
  uint8_t r, g, b;
};
constexpr Colour kFace{192, 192, 192}, kShadow{128, 128, 128}, kDark{0, 0, 0},
    kLight{255, 255, 255};

class Bar {
 public:
  Bar(std::vector<uint8_t>& rgb, int width) : rgb_(rgb), width_(width) {
    rgb_.assign(size_t(width) * kControllerHeight * 3, 0);
  }
  void Fill(int left, int top, int right, int bottom, Colour c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, kControllerHeight);
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        uint8_t* p = &rgb_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
      }
    }
  }

 private:
  std::vector<uint8_t>& rgb_;
  int width_;
};

int TrackWidth(int width) { return std::max(0, width - kTrackLeft - kTrackMargin); }

}  // namespace

void DrawControllerBar(std::vector<uint8_t>& rgb, int width, bool playing, int64_t time,
                       int64_t duration) {
  if (width <= 0) {
    rgb.clear();
    return;
  }
  Bar bar(rgb, width);
  bar.Fill(0, 0, width, kControllerHeight, kFace);
  bar.Fill(0, 0, width, 1, kLight);
  bar.Fill(0, kControllerHeight - 1, width, kControllerHeight, kShadow);
  // The button: two bars while playing (a press stops), a triangle otherwise.
  bar.Fill(kButtonWidth, 1, kButtonWidth + 1, kControllerHeight - 1, kShadow);
  if (playing) {
    bar.Fill(5, 4, 7, 12, kDark);
    bar.Fill(9, 4, 11, 12, kDark);
  } else {
    for (int row = 0; row < 9; ++row) {
      const int reach = row <= 4 ? row : 8 - row;
      bar.Fill(5, 4 + row, 6 + reach, 5 + row, kDark);
    }
  }
  // The track and the thumb at the movie's place.
  const int track = TrackWidth(width);
  bar.Fill(kTrackLeft, 7, kTrackLeft + track, 9, kShadow);
  const int thumb = ControllerThumb(width, time, duration);
  bar.Fill(thumb, 3, thumb + kThumbWidth, 13, kDark);
  bar.Fill(thumb + 1, 4, thumb + kThumbWidth - 1, 12, kLight);
}

int ControllerThumb(int width, int64_t time, int64_t duration) {
  const int64_t span = std::max<int64_t>(duration, 1);
  const int travel = std::max(TrackWidth(width) - kThumbWidth, 0);
  const double share = double(std::clamp<int64_t>(time, 0, span)) / double(span);
  return kTrackLeft + int(share * travel);
}

ControllerPart HitController(int x, int width, int64_t duration, int64_t& time) {
  if (x < 0 || x >= width) return ControllerPart::None;
  if (x < kButtonWidth) return ControllerPart::Button;
  const int track = TrackWidth(width);
  if (x < kTrackLeft || x >= kTrackLeft + track || track <= 0) return ControllerPart::None;
  time = int64_t(double(x - kTrackLeft) / track * double(std::max<int64_t>(duration, 0)));
  return ControllerPart::Track;
}

}  // namespace zd
