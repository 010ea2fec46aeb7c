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
  void ReleaseMovies();

 private:
  Runtime& runtime_;
};

}  // namespace zd
