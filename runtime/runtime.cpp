#include "runtime.h"

#include "database/database_objects.h"
#include "graphics/picture_objects.h"
#include "graphics/text/text_objects.h"
#include "movie/movie_objects.h"
#include "title/choice_list_object.h"
#include "title/page_object_types.h"

namespace zd {

Runtime::Runtime(platform::Platform& platform_, const Trace& trace_, RuntimeConfig config_)
    : platform(platform_),
      trace(trace_),
      config(std::move(config_)),
      graphics(platform_),
      titleFiles(*this),
      pages(*this),
      scheduler(*this),
      script(*this),
      status(*this),
      movies(*this),
      database(*this),
      webLinks(*this),
      toolbox(*this),
      printing(*this),
      objectExport(*this),
      shell(*this) {
  // Each kind of page object is handled by the subsystem that owns it.
  ObjectTypes& types = pages.objectTypes();
  RegisterPageObjectTypes(types, graphics);
  RegisterPictureObjectTypes(types, *this);
  RegisterTextObjectTypes(types, *this);
  RegisterMovieObjectTypes(types, movies);
  RegisterDatabaseObjectTypes(types, database);
  RegisterChoiceListObjectType(types, *this);
}

}  // namespace zd
