// A title with movies for the movie tests: media made with the ffmpeg tool at test time, put
// below the title's "movies\qtime" (or "tween\qtime") folder, and pages described by the test.
// Runs are headless, so every time below is virtual and exact.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/png_codec.h"
#include "script/script_runner.h"
#include "support/played_title.h"
#include "support/test_media.h"
#include "support/test_support.h"

namespace zd::test {

// The colour of window pixel (x, y) of a screenshot the run wrote.
inline platform::Rgb ScreenshotPixel(const std::string& png, int x, int y) {
  const std::string bytes = ReadFile(png);
  platform::RgbaImage image;
  std::string error;
  if (!platform::DecodePngRgba(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image,
                               error) ||
      x < 0 || y < 0 || x >= image.width || y >= image.height) {
    ADD_FAILURE() << png << ": " << error;
    return {};
  }
  const uint8_t* p = &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
  return {p[0], p[1], p[2]};
}

// Near a colour, as lossy codecs give it back.
inline bool Near(platform::Rgb got, platform::Rgb want, int tolerance = 24) {
  return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
         std::abs(got.b - want.b) <= tolerance;
}

// A "movies" entry of a description: a file of `media` placed at `as` inside the title.
inline std::string PlacedMovie(const TempDir& media, const std::string& file, const std::string& as) {
  return R"({"file": ")" + media.File(file) + R"(", "as": ")" + as + R"("})";
}

// Runs a title described by `description` with `events`, in `work` (screenshots go there), its
// sound recorded to work/run.wav. Returns the trace.
struct MovieRun {
  int status = -1;
  std::string trace;
  Wav sound;
};

inline MovieRun PlayMovieTitle(const std::string& description, const std::string& events,
                               const TempDir& work, const std::string& commandLine = "") {
  RuntimeOptions options;
  options.messagesPath = EnglishMessages();
  options.events = events;
  options.audioOutPath = work.File("run.wav");
  options.commandLine = commandLine;
  PlayedTitle title(description, options);
  MovieRun run;
  run.status = title.Run();
  std::string error;
  EXPECT_TRUE(title.runtime().platform.Audio().Finish(error)) << error;
  run.trace = title.TraceText();
  run.sound = ReadWav(work.File("run.wav"));
  EXPECT_EQ(run.sound.rate, 44100u) << "the run's sound was recorded: " << error;
  return run;
}

}  // namespace zd::test
