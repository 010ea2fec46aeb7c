// Movies and sound clips: the movie objects of pages, played in two video slots over the page,
// and the ten sound-clip slots scripts drive. Both are kept from fighting: a starting movie
// pauses the playing clips, every modal moment pauses everything through one nesting counter,
// and one sound switch mutes them all.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/rect.h"
#include "platform/media/media_player.h"
#include "platform/types.h"
#include "title/authorfile.h"

namespace zd {

class Runtime;
class PageObject;

// A video slot's flags.
namespace video_flag {
constexpr uint32_t CHOSEN_BY_USER = 1, OPEN = 2, MOVIE = 8, ANIMATION = 16, SOUND = 32;
}

// A page movie object's own flags (the word after its resource).
namespace movie_flag {
constexpr uint32_t WHOLE_PAGE = 1, SOUND = 2, CONTROLLER = 4, HIDE_CONTROLLER = 8;
}

// Sound-clip states.
namespace clip_state {
constexpr int CLOSED = 0, OPENED = 1, PLAYING = 2, PAUSED = 3, PAUSED_FOR_VIDEO = 4;
}

struct VideoSlot {
  uint32_t flags = 0;  // 0: free
  std::unique_ptr<platform::MediaPlayer> player;
  Rect rect;                  // page pixels; empty for a sound object
  int object = -1;            // the page object's index
  ObjectRef ref;              // and its record
  const AuthorfileImage* image = nullptr;  // the title the object belongs to
  uint32_t timeScale = 0;     // the movie's own
  int32_t length = 0;         // hundredths of a second
  bool wantsSound = true;     // the object's own wish; the sound switch decides too
  bool controller = false;    // the controller bar is shown under the movie
  bool stoppedByUser = false; // its controller's button stopped it: modal moments leave it so
  bool waitsForEnd = false;   // the page has the movie's end queued
  uint64_t shownSerial = 0;   // the frame last handed to the screen
  int shownThumb = -1;        // where the controller's thumb was last drawn
  std::vector<uint8_t> controllerPixels;
  bool endTraced = false;
};

// A script's sound-clip slot.
struct ClipSlot {
  std::unique_ptr<platform::MediaPlayer> player;
  std::string fileName;  // the reference the script gave
  int32_t from = -1, to = -1;  // the play range given; -1: from the start, to the end
  int32_t lastSeek = -1;       // kept for the learner's saved place
  int32_t playFlag = 0;        // non-zero: the clip loops
  int state = 0;               // a clip_state
  int32_t length = 0;          // hundredths of a second
  uint32_t timeScale = 0;
  int64_t duration = 0;        // in time-scale units
};

class Movies {
 public:
  static constexpr int kVideoSlots = 2;
  static constexpr int kClipSlots = 10;

  explicit Movies(Runtime& runtime);
  ~Movies();

  // Start-up and shutdown.
  bool InitialiseMovieSystem();
  void ShutdownMovieSystem();
  void ReleasePort() {}
  void ReleaseMovies();  // both video slots and every clip

  // The player's modal moments (the popup menu, the close question, minimising, the resume
  // question) pause everything; only the outermost resume plays again.
  void Pause();
  void Resume();
  int pauseDepth() const { return pauses_; }

  // Page movies, by the object's page-order index.
  void StartMovie(int object);
  void StopMovie(int object);
  void StopVideoSlot(int slot);
  void StopPageMovies();
  // Movies started while "+Start" scripts run wait until the scripts are done.
  void HoldBackMovies(bool hold) { holdBack_ = hold; }
  void StartHeldBackMovies();
  // The enlarged movie: a double press on a movie shows it at twice its size, centred on a
  // blank page; another, or leaving the page, ends that.
  void ToggleMovieZoom(int slot = -1);  // -1: the enlarged movie, or the first movie
  void EndEnlargedMovie();
  bool EnlargedMovieShown() const { return zoomed_; }
  // True when the page pixel lies in an occupied video slot's rectangle.
  bool PointInMovie(int x, int y) const;
  // A left-button press at a page pixel at a tick count; true when a movie took it (the second
  // press of a double press on a movie).
  bool PressOnMovie(int x, int y, uint32_t time);
  // True when the page pixel lies on a movie's controller bar, which takes its clicks.
  bool OnController(int x, int y) const;
  // Hundredths of a second into the slot's movie; -1 for a free or unknown slot or at its end.
  int32_t VideoPosition(int slot);

  // Sound clips, by slot number 0-9 (the script commands check it).
  ClipSlot& clip(int slot) { return clips_[static_cast<size_t>(slot)]; }
  void OpenClip(int slot);
  void PlayClip(int slot);
  void PauseClip(int slot);
  void ResumeClip(int slot);
  void SeekClip(int slot, int32_t position);
  void CloseClip(int slot);
  void CloseAllClips();
  int32_t ClipPosition(int slot);

  // The sound switch (Sound%): any non-zero value counts as on.
  void SetSound(int32_t value);
  int32_t sound() const { return sound_ ? 1 : 0; }

  // The main loop: feeds sound and decodes the frames due; asks for a new picture when a
  // shown frame has changed.
  void Tick();
  // Brings every shown movie to the present; true when the picture has changed since the last
  // AddOverlays.
  bool RefreshFrames();
  // The frames of the shown movies, as true-colour pictures over the page.
  void AddOverlays(std::vector<platform::OverlayImage>& overlays);

 private:
  int FindFreeVideoSlot() const;
  bool AnyVideoOpen() const;
  // The file of a reference on disk; `shownPath` is set to the path messages show.
  std::optional<std::string> FindMovieFile(const std::string& reference, bool animation,
                                           std::string& shownPath) const;
  std::string ReadObjectReference(const PageObject& object);
  std::optional<std::string> AskForMissingMovie(const std::string& shownPath);
  void StartNow(int object);
  void StartInSlot(int slot, int index, PageObject& object);
  void PauseClipsForVideo();
  void ResumeClipsAfterVideo();
  std::unique_ptr<platform::MediaPlayer> OpenMedia(const std::string& path, uint32_t& timeScale,
                                                   int64_t& duration, bool& usable);
  void ApplySound(platform::MediaPlayer& player, bool objectWantsSound) const;
  void InvalidateSlot(const VideoSlot& slot);
  Rect ShownRect(int slot) const;
  Rect SlotArea(int slot) const;  // the picture and its controller bar
  bool PressOnController(int x, int y);
  int SlotAt(int x, int y) const;  // -1: none
  void QueueMovieEnd(VideoSlot& slot);
  void AddControllerOverlay(VideoSlot& slot, const Rect& shown,
                            std::vector<platform::OverlayImage>& overlays);
  uint32_t Now() const;

  Runtime& runtime_;
  std::array<VideoSlot, kVideoSlots> videos_;
  std::array<ClipSlot, kClipSlots> clips_;
  std::vector<int> heldBack_;
  bool holdBack_ = false;
  bool zoomed_ = false;
  int zoomedSlot_ = -1;
  int pauses_ = 0;
  bool sound_ = true;
  bool initialised_ = false;
  bool pictureChanged_ = false;
  std::optional<uint32_t> lastMoviePress_;
  int lastMoviePressSlot_ = -1;
};

}  // namespace zd
