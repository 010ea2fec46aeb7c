// Page movies: movie, animation and sound objects played in the two video slots, at their
// natural size from the top-left corner of the object's box.
#include <algorithm>
#include <cstdio>

#include "base/message_format.h"
#include "movie/media_time.h"
#include "movie/movie_controller.h"
#include "movie/movie_reference.h"
#include "movie/movies.h"
#include "platform/files.h"
#include "resources/string_table.h"
#include "runtime.h"
#include "title/object_record.h"
#include "title/title_paths.h"

namespace zd {
namespace {

const Rect kPageArea{0, 0, 640, 480};

uint32_t TypeFlag(uint32_t type) {
  switch (type) {
    case object_type::MOVIE: return video_flag::MOVIE;
    case object_type::ANIMATION: return video_flag::ANIMATION;
    default: return video_flag::SOUND;
  }
}

std::string SlotName(int slot) {
  char name[16];
  std::snprintf(name, sizeof name, "movie3T%02d", slot);
  return name;
}

}  // namespace

int Movies::FindFreeVideoSlot() const {
  for (int i = 0; i < kVideoSlots; ++i) {
    if (videos_[size_t(i)].flags == 0) return i;
  }
  return -1;
}

bool Movies::AnyVideoOpen() const {
  for (const VideoSlot& slot : videos_) {
    if (slot.flags != 0) return true;
  }
  return false;
}

std::optional<std::string> Movies::FindMovieFile(const std::string& reference, bool animation,
                                                 std::string& shownPath) const {
  const std::string& directory = runtime_.titleFiles.titleDirectory();
  const auto candidates = MovieFileCandidates(SplitMovieReference(reference), animation);
  shownPath = candidates.empty() ? reference : JoinTitlePath(directory, candidates.front());
  for (const std::string& relative : candidates) {
    const std::string path = JoinTitlePath(directory, relative);
    if (auto found = FindTitleFile("", path, 0)) {
      shownPath = path;
      return found;
    }
  }
  return std::nullopt;
}

std::string Movies::ReadObjectReference(const PageObject& object) {
  std::string shown;
  const auto start = runtime_.titleFiles.ReadResourceStart(
      int(object.resourceDirectory()), int(object.resourceNumber()), kMovieReferenceBytes, shown);
  return start ? MovieReferenceText(*start) : std::string();
}

std::optional<std::string> Movies::AskForMissingMovie(const std::string& shownPath) {
  if (!runtime_.shell.reporter().diagnostics()) return std::nullopt;
  platform::MessageBoxSpec box;
  box.caption = runtime_.shell.windowTitle();
  box.text =
      FormatMessageText(LoadString(strings::MOVIE_NOT_FOUND, runtime_.config.language), shownPath);
  box.icon = platform::MessageIcon::Question;
  box.buttons = platform::MessageButtons::YesNo;
  if (runtime_.platform.MessageBox(box) != platform::answer::YES) return std::nullopt;
  platform::FileDialogSpec dialog;
  dialog.filters = {{"*.*", "*.*"}};
  dialog.mustExist = true;
  const auto chosen = runtime_.platform.FileDialog(dialog);
  if (!chosen) return std::nullopt;
  return platform::ResolvePath(chosen->path);
}

void Movies::StartMovie(int object) {
  if (holdBack_) {
    heldBack_.push_back(object);
    return;
  }
  StartNow(object);
}

void Movies::StartHeldBackMovies() {
  if (heldBack_.empty()) return;
  const std::vector<int> waiting = std::move(heldBack_);
  heldBack_.clear();
  for (int object : waiting) StartNow(object);
}

void Movies::StartNow(int index) {
  auto object = runtime_.pages.Object(index);
  if (!object || !initialised_ || !runtime_.titleFiles.loaded()) return;
  const int s = FindFreeVideoSlot();
  if (s < 0) {
    runtime_.trace.Line(TraceCategory::Media, "movie ignored " + std::to_string(index));
    return;
  }
  Scheduler& scheduler = runtime_.scheduler;
  scheduler.PauseClock();
  StartInSlot(s, index, *object);
  scheduler.ResumeClock();
}

void Movies::StartInSlot(int s, int index, PageObject& object) {
  VideoSlot& slot = videos_[size_t(s)];
  const uint32_t type = object.type();
  const uint32_t movieFlags = object.Read(object_record::kMovieFlags, 0);
  Reporter& reporter = runtime_.shell.reporter();

  // Finding the file, or letting the user find it.
  std::string shownPath;
  auto path = FindMovieFile(ReadObjectReference(object), type == object_type::ANIMATION, shownPath);
  uint32_t flags = 0;
  if (!path) {
    path = AskForMissingMovie(shownPath);
    if (!path) return;
    flags |= video_flag::CHOSEN_BY_USER;
    // The question and the file dialog ran the main loop: the title, the page or the slot
    // may be gone by now.
    if (!runtime_.titleFiles.loaded() || !runtime_.shell.window().exists() ||
        slot.flags != 0 || !runtime_.pages.Object(index)) {
      return;
    }
  }
  // Clips give way to the movie.
  PauseClipsForVideo();

  // Opening it.
  slot = VideoSlot{};
  slot.flags = flags | TypeFlag(type);
  int64_t duration = 0;
  bool usable = true;
  slot.player = OpenMedia(*path, slot.timeScale, duration, usable);
  if (!slot.player) {
    slot = VideoSlot{};
    reporter.ReportError("crierr10");
    ResumeClipsAfterVideo();
    return;
  }
  slot.flags |= video_flag::OPEN;
  runtime_.trace.Line(TraceCategory::Media, "movie open " + std::to_string(s) + " " + shownPath);
  // A message box runs the main loop: the window may close, and the slot with it, meanwhile.
  const auto stillOpen = [&] { return slot.player != nullptr; };
  if (!usable) reporter.ReportError("crierr35");
  if (!stillOpen()) return;

  // Its place: the natural size, from the box's top-left corner (or the page's, for a movie
  // that takes the whole page); a sound has none.
  const auto box = object.pixelBox();
  Rect at = box ? *box : Rect{};
  if (type == object_type::MOVIE && (movieFlags & movie_flag::WHOLE_PAGE)) at = kPageArea;
  const platform::MediaInfo& info = slot.player->Info();
  if (type != object_type::SOUND) {
    slot.rect = {at.left, at.top, at.left + info.width, at.top + info.height};
  }
  slot.controller = type == object_type::MOVIE && (movieFlags & movie_flag::CONTROLLER) &&
                    !(movieFlags & movie_flag::HIDE_CONTROLLER);

  // Sound, looping and the length the page waits for.
  slot.wantsSound = type != object_type::MOVIE || (movieFlags & movie_flag::SOUND);
  ApplySound(*slot.player, slot.wantsSound);
  const bool looping = type == object_type::ANIMATION && movieFlags != 0;
  slot.player->SetLooping(looping);
  slot.object = index;
  slot.image = runtime_.titleFiles.imageOrNull();
  slot.ref = object.ref();
  if (!looping) {
    slot.length = HundredthsOf(duration, slot.timeScale);
    if (slot.timeScale == 0) {
      reporter.ReportErrorCaptioned("PlayMovie", "crierr36");
    } else {
      if (slot.length == 0) reporter.ReportDiagnostic("crierr11", SlotName(s));
      if (!stillOpen()) return;
      QueueMovieEnd(slot);
    }
  }
  if (!stillOpen()) return;

  // And it plays, unless a modal moment holds everything.
  if (pauses_ == 0) slot.player->Play(Now());
  object.Write(object_record::kMovieSlot, uint32_t(s));
  pictureChanged_ = true;
  InvalidateSlot(slot);
  runtime_.trace.Line(TraceCategory::Media, "movie start " + std::to_string(s));
}

void Movies::QueueMovieEnd(VideoSlot& slot) {
  // The page clock counts milliseconds in 32 bits: an end further off than 24 days is put
  // there, never wrapped round to a moment already past.
  constexpr int32_t kFurthest = INT32_MAX / 10 - 1;
  const int32_t at = HundredthsOf(slot.player->CurrentTime(Now()), slot.timeScale);
  const int32_t left = std::max(slot.length - at, 0);
  slot.waitsForEnd = true;
  runtime_.scheduler.CancelEvents(timed_event::MOVIE_ENDED, slot.object);
  runtime_.scheduler.QueueEvent(timed_event::MOVIE_ENDED, slot.object,
                                uint32_t(std::clamp(left, 0, kFurthest)));
}

void Movies::StopMovie(int object) {
  std::erase(heldBack_, object);
  for (int s = 0; s < kVideoSlots; ++s) {
    const VideoSlot& slot = videos_[size_t(s)];
    if (slot.flags != 0 && slot.object == object &&
        slot.image == runtime_.titleFiles.imageOrNull()) {
      StopVideoSlot(s);
    }
  }
}

void Movies::StopVideoSlot(int s) {
  if (s < 0 || s >= kVideoSlots) return;
  VideoSlot& slot = videos_[size_t(s)];
  if (slot.flags == 0) return;
  if (slot.flags & (video_flag::MOVIE | video_flag::ANIMATION)) {
    runtime_.shell.pointers().ReleaseCapture();
  }
  InvalidateSlot(slot);
  if (zoomed_ && zoomedSlot_ == s) {
    zoomed_ = false;
    runtime_.shell.window().InvalidateAll(true);
  }
  // The object no longer has a movie to ask about.
  if (slot.image != nullptr && slot.image == runtime_.titleFiles.imageOrNull()) {
    PageObject(runtime_.titleFiles.image(), slot.ref).Write(object_record::kMovieSlot, kNone);
  }
  slot = VideoSlot{};
  runtime_.trace.Line(TraceCategory::Media, "movie stop " + std::to_string(s));
  if (!AnyVideoOpen()) ResumeClipsAfterVideo();
}

void Movies::StopPageMovies() {
  heldBack_.clear();
  for (int s = 0; s < kVideoSlots; ++s) StopVideoSlot(s);
}

void Movies::InvalidateSlot(const VideoSlot& slot) {
  if (slot.rect.empty()) return;
  const Rect area = slot.controller ? slot.rect.Union(ControllerRect(slot.rect)) : slot.rect;
  runtime_.shell.window().InvalidatePage(area.Intersect(kPageArea), false);
}

Rect Movies::SlotArea(int s) const {
  const Rect shown = ShownRect(s);
  return videos_[size_t(s)].controller ? shown.Union(ControllerRect(shown)) : shown;
}

Rect Movies::ShownRect(int s) const {
  const VideoSlot& slot = videos_[size_t(s)];
  if (!zoomed_ || zoomedSlot_ != s) return slot.rect;
  // Twice the size, centred on the page.
  const int w = slot.rect.width() * 2, h = slot.rect.height() * 2;
  const int left = (640 - w) / 2, top = (480 - h) / 2;
  return {left, top, left + w, top + h};
}

void Movies::ToggleMovieZoom(int s) {
  if (zoomed_) {
    s = zoomedSlot_;
  } else if (s < 0) {
    for (int i = 0; s < 0 && i < kVideoSlots; ++i) {
      if (videos_[size_t(i)].player && (videos_[size_t(i)].flags & video_flag::MOVIE)) s = i;
    }
  }
  if (s < 0 || s >= kVideoSlots) return;
  const VideoSlot& slot = videos_[size_t(s)];
  // Only a movie object enlarges; animations and sounds stay as they are.
  if (!zoomed_ && (!slot.player || !(slot.flags & video_flag::MOVIE) || slot.rect.empty())) return;
  zoomed_ = !zoomed_;
  zoomedSlot_ = s;
  pictureChanged_ = true;
  runtime_.trace.Line(TraceCategory::Media,
                      std::string(zoomed_ ? "movie enlarge " : "movie shrink ") + std::to_string(s));
  runtime_.shell.window().InvalidateAll(true);
}

void Movies::EndEnlargedMovie() {
  if (zoomed_) ToggleMovieZoom();
}

bool Movies::PointInMovie(int x, int y) const { return SlotAt(x, y) >= 0; }

bool Movies::OnController(int x, int y) const {
  for (int s = 0; s < kVideoSlots; ++s) {
    const VideoSlot& slot = videos_[size_t(s)];
    if (slot.player && slot.controller && ControllerRect(ShownRect(s)).Contains(x, y)) return true;
  }
  return false;
}

bool Movies::PressOnController(int x, int y) {
  for (int s = 0; s < kVideoSlots; ++s) {
    VideoSlot& slot = videos_[size_t(s)];
    const Rect bar = ControllerRect(ShownRect(s));
    if (!slot.player || !slot.controller || !bar.Contains(x, y)) continue;
    platform::MediaPlayer& player = *slot.player;
    const uint32_t now = Now();
    int64_t time = 0;
    switch (HitController(x - bar.left, bar.width(), player.Info().duration, time)) {
      case ControllerPart::Button:
        if (player.Playing() && !player.AtEnd(now)) {
          player.Stop(now);
          slot.stoppedByUser = true;
          runtime_.trace.Line(TraceCategory::Media, "movie pause " + std::to_string(s));
        } else {
          if (player.AtEnd(now)) player.Seek(0, now);
          player.Play(now);
          slot.stoppedByUser = false;
          slot.endTraced = false;  // it may reach its end again
          runtime_.trace.Line(TraceCategory::Media, "movie play " + std::to_string(s));
        }
        break;
      case ControllerPart::Track:
        player.Seek(time, now);
        slot.endTraced = player.AtEnd(now) && slot.endTraced;
        break;
      case ControllerPart::None:
        break;
    }
    // The page waits for the movie's end where it now falls; a stopped movie has none.
    if (slot.stoppedByUser) {
      runtime_.scheduler.CancelEvents(timed_event::MOVIE_ENDED, slot.object);
    } else if (slot.waitsForEnd) {
      QueueMovieEnd(slot);
    }
    pictureChanged_ = true;
    runtime_.shell.queue().Invalidate();
    return true;
  }
  return false;
}

int Movies::SlotAt(int x, int y) const {
  // The enlarged movie covers the page and any other movie.
  if (zoomed_) return ShownRect(zoomedSlot_).Contains(x, y) ? zoomedSlot_ : -1;
  for (int s = 0; s < kVideoSlots; ++s) {
    if (videos_[size_t(s)].flags != 0 && SlotArea(s).Contains(x, y)) return s;
  }
  return -1;
}

bool Movies::PressOnMovie(int x, int y, uint32_t time) {
  if (PressOnController(x, y)) return true;
  const int s = SlotAt(x, y);
  if (s < 0) {
    lastMoviePress_.reset();
    return false;
  }
  const uint32_t limit = uint32_t(runtime_.platform.DoubleClickTime());
  if (lastMoviePress_ && lastMoviePressSlot_ == s && time - *lastMoviePress_ <= limit) {
    lastMoviePress_.reset();
    ToggleMovieZoom(s);
    return true;
  }
  lastMoviePress_ = time;
  lastMoviePressSlot_ = s;
  return false;
}

int32_t Movies::VideoPosition(int s) {
  if (s < 0 || s >= kVideoSlots) return -1;
  VideoSlot& slot = videos_[size_t(s)];
  if (!slot.player || slot.timeScale == 0) return -1;
  const int32_t position = HundredthsOf(slot.player->CurrentTime(Now()), slot.timeScale);
  return position == slot.length ? -1 : position;
}

void Movies::PauseClipsForVideo() {
  const uint32_t now = Now();
  for (ClipSlot& c : clips_) {
    if (c.player && c.state == clip_state::PLAYING) {
      c.player->Stop(now);
      c.state = clip_state::PAUSED_FOR_VIDEO;
    }
  }
}

void Movies::ResumeClipsAfterVideo() {
  if (AnyVideoOpen()) return;
  const uint32_t now = Now();
  for (ClipSlot& c : clips_) {
    if (c.player && c.state == clip_state::PAUSED_FOR_VIDEO) {
      c.state = clip_state::PLAYING;
      if (pauses_ == 0) c.player->Play(now);
    }
  }
}

}  // namespace zd
