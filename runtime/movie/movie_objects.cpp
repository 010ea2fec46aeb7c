#include "movie/movie_objects.h"

#include "movie/movies.h"
#include "title/object_types.h"

namespace zd {
namespace {

class PlayingObject final : public ObjectTypeHandler {
 public:
  explicit PlayingObject(Movies& movies) : movies_(movies) {}
  bool plays() const override { return true; }
  void Play(int index) const override { movies_.StartMovie(index); }
  void Stop(int index) const override { movies_.StopMovie(index); }

 private:
  Movies& movies_;
};

}  // namespace

void RegisterMovieObjectTypes(ObjectTypes& types, Movies& movies) {
  types.Register({object_type::MOVIE, object_type::ANIMATION, object_type::SOUND},
                 std::make_unique<PlayingObject>(movies));
}

}  // namespace zd
