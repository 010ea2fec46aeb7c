#include "movie/movies.h"

#include "base/seam.h"
#include "runtime.h"

namespace zd {

bool Movies::InitialiseMovieSystem() {
  TraceSeam(runtime_.trace, "movies.initialise");
  return true;
}
void Movies::ShutdownMovieSystem() { TraceSeam(runtime_.trace, "movies.shutdown"); }
void Movies::Pause() { TraceSeam(runtime_.trace, "movies.pause"); }
void Movies::Resume() { TraceSeam(runtime_.trace, "movies.resume"); }
void Movies::ReleasePort() { TraceSeam(runtime_.trace, "movies.release-port"); }
void Movies::StartMovie(int object) {
  TraceSeam(runtime_.trace, "movies.start " + std::to_string(object));
}
void Movies::StopMovie(int object) {
  TraceSeam(runtime_.trace, "movies.stop " + std::to_string(object));
}
void Movies::StopPageMovies() {}
void Movies::HoldBackMovies(bool) {}
void Movies::StartHeldBackMovies() {}
void Movies::EndEnlargedMovie() {}
void Movies::ReleaseMovies() { TraceSeam(runtime_.trace, "movies.release"); }

}  // namespace zd
