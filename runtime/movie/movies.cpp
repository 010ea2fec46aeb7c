// What movies and clips share: start-up and shutdown, the nesting pause of modal moments, the
// sound switch, and the main loop's part (feeding sound, bringing frames to the screen).
#include "movie/movies.h"

#include "movie/media_time.h"
#include "movie/movie_controller.h"
#include "movie/movie_header.h"
#include "runtime.h"

namespace zd {

Movies::Movies(Runtime& runtime) : runtime_(runtime) {}
Movies::~Movies() = default;

uint32_t Movies::Now() const { return runtime_.platform.TickCount(); }

bool Movies::InitialiseMovieSystem() {
  for (ClipSlot& c : clips_) c = ClipSlot{};
  initialised_ = true;
  return true;
}

void Movies::ShutdownMovieSystem() {
  ReleaseMovies();
  initialised_ = false;
}

void Movies::ReleaseMovies() {
  for (VideoSlot& slot : videos_) slot = VideoSlot{};
  heldBack_.clear();
  zoomed_ = false;
  for (ClipSlot& c : clips_) {
    c.player.reset();
    c.state = clip_state::CLOSED;
  }
}

std::unique_ptr<platform::MediaPlayer> Movies::OpenMedia(const std::string& path,
                                                         uint32_t& timeScale, int64_t& duration,
                                                         bool& usable) {
  std::string error;
  auto player = runtime_.platform.Media().Open(path, error);
  if (!player) {
    runtime_.trace.Line(TraceCategory::Media, "media refused: " + error);
    return nullptr;
  }
  usable = player->Info().problem.empty();
  if (!usable) runtime_.trace.Line(TraceCategory::Media, "media problem: " + player->Info().problem);
  // A QuickTime file says its own time scale and length, and titles count in those.
  if (const auto header = ReadMovieHeaderFromFile(path)) {
    timeScale = header->timeScale;
    duration = static_cast<int64_t>(std::min<uint64_t>(header->duration, INT64_MAX));
    if (timeScale > 0) player->SetTimeBase(timeScale, duration);
  } else {
    timeScale = player->Info().timeScale;
    duration = player->Info().duration;
  }
  return player;
}

void Movies::Pause() {
  if (pauses_ == 0) {
    const uint32_t now = Now();
    for (VideoSlot& slot : videos_) {
      if (slot.player) slot.player->Stop(now);
    }
    for (ClipSlot& c : clips_) {
      if (c.player && c.state == clip_state::PLAYING) c.player->Stop(now);
    }
  }
  ++pauses_;
  runtime_.trace.Line(TraceCategory::Media, "media pause " + std::to_string(pauses_));
}

void Movies::Resume() {
  if (pauses_ == 0) return;  // an unmatched resume changes nothing
  --pauses_;
  runtime_.trace.Line(TraceCategory::Media, "media resume " + std::to_string(pauses_));
  if (pauses_ > 0) return;
  const uint32_t now = Now();
  for (VideoSlot& slot : videos_) {
    if (slot.player && !slot.stoppedByUser) slot.player->Play(now);
  }
  for (ClipSlot& c : clips_) {
    if (c.player && c.state == clip_state::PLAYING && !c.player->AtEnd(now)) c.player->Play(now);
  }
}

void Movies::ApplySound(platform::MediaPlayer& player, bool wanted) const {
  player.SetSoundEnabled(sound_ && wanted);
}

void Movies::SetSound(int32_t value) {
  const bool on = value != 0;
  if (on == sound_) return;
  sound_ = on;
  runtime_.trace.Line(TraceCategory::Media, on ? "sound on" : "sound off");
  for (VideoSlot& slot : videos_) {
    if (slot.player) ApplySound(*slot.player, slot.wantsSound);
  }
  for (ClipSlot& c : clips_) {
    if (c.player) ApplySound(*c.player, true);
  }
}

bool Movies::RefreshFrames() {
  const uint32_t now = Now();
  for (size_t i = 0; i < videos_.size(); ++i) {
    VideoSlot& slot = videos_[i];
    if (!slot.player) continue;
    slot.player->Update(now);
    if (!slot.rect.empty() && slot.player->FrameSerial() != slot.shownSerial) pictureChanged_ = true;
    if (slot.controller && ControllerThumb(ShownRect(int(i)).width(), slot.player->CurrentTime(now),
                                           slot.player->Info().duration) != slot.shownThumb) {
      pictureChanged_ = true;
    }
    if (!slot.endTraced && slot.player->AtEnd(now)) {
      slot.endTraced = true;
      runtime_.trace.Line(TraceCategory::Media, "movie end " + std::to_string(i));
    }
  }
  return pictureChanged_;
}

void Movies::Tick() {
  const uint32_t now = Now();
  for (ClipSlot& c : clips_) {
    if (c.player) c.player->Update(now);
  }
  if (RefreshFrames()) runtime_.shell.queue().Invalidate();
}

void Movies::AddControllerOverlay(VideoSlot& slot, const Rect& shown,
                                  std::vector<platform::OverlayImage>& overlays) {
  const uint32_t now = Now();
  platform::MediaPlayer& player = *slot.player;
  const int64_t time = player.CurrentTime(now), duration = player.Info().duration;
  DrawControllerBar(slot.controllerPixels, shown.width(), player.Playing() && !player.AtEnd(now),
                    time, duration);
  slot.shownThumb = ControllerThumb(shown.width(), time, duration);
  if (slot.controllerPixels.empty()) return;
  const Rect bar = ControllerRect(shown);
  platform::OverlayImage overlay;
  overlay.pixels = slot.controllerPixels.data();
  overlay.width = bar.width();
  overlay.height = kControllerHeight;
  overlay.pitch = bar.width() * 3;
  overlay.x = bar.left;
  overlay.y = bar.top;
  overlay.w = bar.width();
  overlay.h = bar.height();
  overlays.push_back(overlay);
}

void Movies::AddOverlays(std::vector<platform::OverlayImage>& overlays) {
  for (size_t i = 0; i < videos_.size(); ++i) {
    VideoSlot& slot = videos_[i];
    if (!slot.player || slot.rect.empty()) continue;
    slot.shownSerial = slot.player->FrameSerial();
    if (zoomed_ && int(i) != zoomedSlot_) continue;
    const auto frame = slot.player->CurrentFrame();
    if (!frame) continue;
    const Rect shown = ShownRect(int(i));
    platform::OverlayImage overlay;
    overlay.pixels = frame->rgb;
    overlay.width = frame->width;
    overlay.height = frame->height;
    overlay.pitch = frame->pitch;
    overlay.x = shown.left;
    overlay.y = shown.top;
    overlay.w = shown.width();
    overlay.h = shown.height();
    overlays.push_back(overlay);
    if (slot.controller) AddControllerOverlay(slot, shown, overlays);
  }
  pictureChanged_ = false;
}

}  // namespace zd
