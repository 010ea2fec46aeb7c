#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/clocked_audio_output.h"

namespace zd::platform::sdl {
namespace {

class SdlAudioOutput final : public AudioOutput {
 public:
  ~SdlAudioOutput() override { CloseDevice(); }

  AudioStreamId OpenStream(const AudioStreamParams& params, AudioPull pull) override {
    if (finished_) return 0;
    OpenDevice();
    if (silent_) return silent_->OpenStream(params, std::move(pull));
    return mixer_.Open(params, std::move(pull));
  }
  bool Queue(AudioStreamId stream, const void* samples, size_t bytes) override {
    return silent_ ? silent_->Queue(stream, samples, bytes) : mixer_.Queue(stream, samples, bytes);
  }
  size_t QueuedFrames(AudioStreamId stream) override {
    return silent_ ? silent_->QueuedFrames(stream) : mixer_.QueuedFrames(stream);
  }
  uint64_t PlayedFrames(AudioStreamId stream) override {
    return silent_ ? silent_->PlayedFrames(stream) : mixer_.PlayedFrames(stream);
  }
  void Pause(AudioStreamId stream, bool paused) override {
    if (silent_) silent_->Pause(stream, paused);
    else mixer_.Pause(stream, paused);
  }
  void Clear(AudioStreamId stream) override {
    if (silent_) silent_->Clear(stream);
    else mixer_.Clear(stream);
  }
  void CloseStream(AudioStreamId stream) override {
    if (silent_) silent_->CloseStream(stream);
    else mixer_.Close(stream);
  }
  bool Finish(std::string& error) override {
    finished_ = true;
    CloseDevice();
    mixer_.CloseAll();
    return silent_ ? silent_->Finish(error) : true;
  }

 private:
  static void FillDevice(void* self, Uint8* stream, int length) {
    static_cast<SdlAudioOutput*>(self)->mixer_.Mix(reinterpret_cast<float*>(stream),
                                                   size_t(length) / (sizeof(float) * kMixChannels));
  }

  void OpenDevice() {
    if (tried_) return;
    tried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec wanted{};
      wanted.freq = kMixRate;
      wanted.format = AUDIO_F32SYS;
      wanted.channels = kMixChannels;
      wanted.samples = 1024;  // about 23 ms: small enough for pictures to follow the sound
      wanted.callback = &SdlAudioOutput::FillDevice;
      wanted.userdata = this;
      SDL_AudioSpec obtained{};
      // No changes allowed: SDL converts our mix to whatever the device takes.
      device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
      if (device_ != 0) {
        SDL_PauseAudioDevice(device_, 0);
        return;
      }
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    const uint32_t start = SDL_GetTicks();
    silent_ = std::make_unique<ClockedAudioOutput>(
        [start] { return uint64_t(SDL_GetTicks() - start); }, nullptr, nullptr);
  }

  void CloseDevice() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for the callback to return
    device_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  }

  AudioMixer mixer_;
  SDL_AudioDeviceID device_ = 0;
  std::unique_ptr<ClockedAudioOutput> silent_;
  bool tried_ = false;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeSdlAudioOutput() { return std::make_unique<SdlAudioOutput>(); }

}  // namespace zd::platform::sdl
