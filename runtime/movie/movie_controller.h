// The controller bar a movie object may show under its picture: a play/stop button and a
// track with a thumb at the movie's position. A press on the button starts or stops the movie;
// a press on the track moves it there.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/rect.h"

namespace zd {

constexpr int kControllerHeight = 16;

// The bar's place under a movie shown at `movie`.
inline Rect ControllerRect(const Rect& movie) {
  return {movie.left, movie.bottom, movie.right, movie.bottom + kControllerHeight};
}

// Draws the bar, `width` pixels wide, as RGB rows into `rgb`: the button showing what a press
// would do (a triangle to play, two bars to stop), the thumb at `time` of `duration`.
void DrawControllerBar(std::vector<uint8_t>& rgb, int width, bool playing, int64_t time,
                       int64_t duration);

// Where the thumb's left edge lies for `time` of `duration`, from the bar's left edge.
int ControllerThumb(int width, int64_t time, int64_t duration);

enum class ControllerPart { None, Button, Track };

// What a press at `x` (from the bar's left edge) hits, and for the track the time it names.
ControllerPart HitController(int x, int width, int64_t duration, int64_t& time);

}  // namespace zd
