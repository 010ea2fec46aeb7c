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
void Movies::ReleaseMovies() { TraceSeam(runtime_.trace, "movies.release"); }

}  // namespace zd
