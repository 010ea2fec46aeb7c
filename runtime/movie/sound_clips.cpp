// Sound clips: the ten slots scripts open, play, pause, resume, seek and close. Each open clip
// has a player of its own, so driving one clip never touches another.
#include "movie/media_time.h"
#include "movie/movies.h"
#include "runtime.h"

namespace zd {
namespace {

std::string SlotText(int slot) { return std::to_string(slot); }

}  // namespace

void Movies::OpenClip(int s) {
  ClipSlot& c = clip(s);
  Reporter& reporter = runtime_.shell.reporter();
  std::string shownPath;
  const auto path = FindMovieFile(c.fileName, false, shownPath);
  if (!path) {
    reporter.ReportDiagnostic("crierr12", c.fileName);
    return;
  }
  Scheduler& scheduler = runtime_.scheduler;
  scheduler.PauseClock();
  bool usable = true;
  c.player = OpenMedia(*path, c.timeScale, c.duration, usable);
  if (!c.player) {
    reporter.ReportError("crierr10");
  } else if (c.timeScale == 0) {
    c.player.reset();
    reporter.ReportError("crierr36");
  } else {
    c.state = clip_state::OPENED;
    c.length = HundredthsOf(c.duration, c.timeScale);
    runtime_.trace.Line(TraceCategory::Media, "clip open " + SlotText(s) + " " + shownPath);
    if (!usable) reporter.ReportError("crierr35");
    if (c.length == 0) reporter.ReportDiagnostic("crierr11", shownPath);
  }
  scheduler.ResumeClock();
}

void Movies::PlayClip(int s) {
  ClipSlot& c = clip(s);
  if (!c.player) return;
  runtime_.scheduler.PauseClock();
  const uint32_t now = Now();
  platform::MediaPlayer& player = *c.player;
  player.Stop(now);
  ApplySound(player, true);
  // "from" and "to" are read by one rule, so that they agree for every time scale.
  const int64_t start = c.from >= 0 ? MovieTimeOfPosition(c.from, c.duration) : 0;
  const int64_t end = c.to >= 0 ? MovieTimeOfPosition(c.to, c.duration) : c.duration;
  player.SetPlayRange(start, end);
  player.SetLooping(c.playFlag != 0);
  player.Seek(start, now);
  if (pauses_ == 0) player.Play(now);
  c.state = clip_state::PLAYING;
  runtime_.trace.Line(TraceCategory::Media, "clip play " + SlotText(s) + " " +
                                                std::to_string(c.from) + " " + std::to_string(c.to));
  runtime_.scheduler.ResumeClock();
}

void Movies::PauseClip(int s) {
  ClipSlot& c = clip(s);
  if (!c.player || c.state == clip_state::PAUSED_FOR_VIDEO) return;
  c.player->Stop(Now());
  c.state = clip_state::PAUSED;
  runtime_.trace.Line(TraceCategory::Media, "clip pause " + SlotText(s));
}

void Movies::ResumeClip(int s) {
  ClipSlot& c = clip(s);
  if (!c.player) return;
  const uint32_t now = Now();
  runtime_.trace.Line(TraceCategory::Media, "clip resume " + SlotText(s));
  if (c.player->AtEnd(now)) {
    // A clip that has played to its end starts again from the beginning.
    c.player->Seek(0, now);
    if (pauses_ == 0) c.player->Play(now);
    c.state = clip_state::PLAYING;
    return;
  }
  if (c.state != clip_state::PAUSED) return;
  if (AnyVideoOpen()) {
    c.state = clip_state::PAUSED_FOR_VIDEO;
    return;
  }
  if (pauses_ == 0) c.player->Play(now);
  c.state = clip_state::PLAYING;
}

void Movies::SeekClip(int s, int32_t position) {
  ClipSlot& c = clip(s);
  if (!c.player) return;
  runtime_.scheduler.PauseClock();
  c.player->Seek(MovieTimeOfPosition(position, c.duration), Now());
  c.lastSeek = position;
  runtime_.scheduler.ResumeClock();
}

void Movies::CloseClip(int s) {
  ClipSlot& c = clip(s);
  const bool wasOpen = c.state != clip_state::CLOSED;
  c.player.reset();
  c.state = clip_state::CLOSED;
  if (wasOpen) runtime_.trace.Line(TraceCategory::Media, "clip close " + SlotText(s));
}

void Movies::CloseAllClips() {
  for (int s = 0; s < kClipSlots; ++s) CloseClip(s);
}

int32_t Movies::ClipPosition(int s) {
  ClipSlot& c = clip(s);
  if (c.state == clip_state::CLOSED || !c.player || c.timeScale == 0) return -1;
  // A clip standing at (or, sent there by a seek, past) the end of what it plays has no
  // position to give.
  if (c.player->AtEnd(Now())) return -1;
  const int32_t position = HundredthsOf(c.player->CurrentTime(Now()), c.timeScale);
  if (position == c.length) return -1;
  if (c.to >= 0 && position == HundredthsOf(MovieTimeOfPosition(c.to, c.duration), c.timeScale)) {
    return -1;
  }
  return position;
}

}  // namespace zd
