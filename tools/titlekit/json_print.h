// Descriptions printed for people: one member per line, with short lists and small records of
// plain values kept on one line ("box": [0, 0, 1280, 960]).
#pragma once

#include <string>

#include "titlekit/json_fields.h"

namespace zd::titlekit {

std::string PrettyJson(const Json& value);

}  // namespace zd::titlekit
