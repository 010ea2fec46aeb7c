// Movies and sound clips.
#pragma once

namespace zd {

class Runtime;

class Movies {
 public:
  explicit Movies(Runtime& runtime) : runtime_(runtime) {}

  bool InitialiseMovieSystem();
  void ShutdownMovieSystem();
  void Pause();     // one nesting counter for every modal interruption
  void Resume();
  void ReleasePort();
  // Movies of page objects (by page-order index).
  void StartMovie(int object);
  void StopMovie(int object);
  void StopPageMovies();
  // Movies started by "+Start" scripts wait until the scripts are done.
  void HoldBackMovies(bool hold);
  void StartHeldBackMovies();
  void EndEnlargedMovie();
  bool EnlargedMovieShown() const { return false; }
  void ReleaseMovies();

 private:
  Runtime& runtime_;
};

}  // namespace zd
