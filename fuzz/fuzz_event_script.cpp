// Event scripts (headless runs and tests): parsing the whole text up front.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/automation/event_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zd::platform::ParseEventScript(text, "fuzz.events");
  return 0;
}
