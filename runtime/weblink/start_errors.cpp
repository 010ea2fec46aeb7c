#include "weblink/start_errors.h"

#include <cerrno>

namespace zd {

const char* StartErrorKey(int error) {
  switch (error) {
    case ENOENT: return "wblerr10";   // the browser is not there
    case ENOTDIR: return "wblerr11";  // a folder on its path is not one
    case EACCES:
    case EPERM: return "wblerr12";
    case ENOMEM: return "wblerr13";
    case ENOEXEC: return "wblerr15";  // not a program this system can run
    case EAGAIN: return "wblerr8";    // out of processes
    case ELIBBAD: return "wblerr22";
    case ETXTBSY: return "wblerr20";
    default: return "wblerr24";
  }
}

}  // namespace zd
