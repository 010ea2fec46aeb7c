// The movie-slot commands: scripts open sound and movie files into ten numbered slots and
// play, seek, pause, resume and close them, and ask where a clip or a page movie has got to.
#pragma once

#include "script/command_table.h"

namespace zd::script {

struct MovieCommands {
  CommandHandler openaudio, playmovie, seekmovie, pausemovie, resumemovie, closemovie,
      getmoviepos;
};
extern const MovieCommands kMovieCommands;

}  // namespace zd::script
