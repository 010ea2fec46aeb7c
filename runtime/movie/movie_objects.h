// Page objects that play: movies, animations and sounds. They are started when shown and
// stopped when hidden; their pictures come through the movie player, not the page's paint.
#pragma once

namespace zd {

class Movies;
class ObjectTypes;

void RegisterMovieObjectTypes(ObjectTypes& types, Movies& movies);

}  // namespace zd
