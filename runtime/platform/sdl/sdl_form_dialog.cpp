#include "platform/sdl/sdl_platform_impl.h"

namespace zd::platform::sdl {

FormAnswer SdlPlatform::FormDialog(const FormDialogSpec& request) {
  FormAnswer answer;
  answer.button = request.defaultId;
  return answer;
}

}  // namespace zd::platform::sdl
