// The windowed backend's services on SDL's off-screen video and dummy sound drivers (no
// display or sound card needed): posted work wakes a loop asleep in SDL, and the sound device
// takes the mix at the pace it plays.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_platform.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace zd::platform {
namespace {

// Sets an environment variable for the life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value, 1);
  }
  ~ScopedVariable() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SdlServices, PostedWorkWakesTheLoopAndTheSoundDeviceDrainsStreams) {
#if defined(__SANITIZE_ADDRESS__)
  // SDL's system libraries keep memory to the end of the process, which a leak check would
  // report as ours (the window tests run without it for the same reason); memory errors are
  // still caught.
  __lsan::ScopedDisabler systemLibrariesKeepTheirMemory;
#endif
  ScopedVariable video("SDL_VIDEODRIVER", "offscreen");
  ScopedVariable sound("SDL_AUDIODRIVER", "dummy");
  Trace trace;
  std::string error;
  auto platform = MakeSdlPlatform({}, trace, nullptr, error);
  if (!platform) GTEST_SKIP() << "no off-screen SDL here: " << error;

  // Asleep without a deadline, the loop wakes for work a decoder thread posts.
  const auto start = std::chrono::steady_clock::now();
  std::thread decoder([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    platform->Tasks().Post([] {});
  });
  Event event;
  bool gotEvent = false;
  while ((gotEvent = platform->WaitEvent(event, platform->TickCount() + 5000)) &&
         !platform->Tasks().HasPending()) {
  }
  decoder.join();
  EXPECT_TRUE(platform->Tasks().HasPending());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3))
      << "woken by the post, not by the deadline";
  platform->Tasks().RunPending();

  // A fifth of a second queued is taken by the device within a second or so.
  AudioOutput& audio = platform->Audio();
  const AudioStreamId stream = audio.OpenStream({44100, 2, SampleFormat::Int16});
  ASSERT_NE(stream, 0);
  const std::vector<int16_t> fifth(8820 * 2, 1000);
  ASSERT_TRUE(audio.Queue(stream, fifth.data(), fifth.size() * 2));
  for (int i = 0; i < 300 && audio.QueuedFrames(stream) > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(audio.QueuedFrames(stream), 0u);
  EXPECT_EQ(audio.PlayedFrames(stream), 8820u);
  EXPECT_TRUE(audio.Finish(error));
}

}  // namespace
}  // namespace zd::platform
