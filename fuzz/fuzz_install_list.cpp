// The install list of a title's CD: any bytes must read as a list or be refused with a reason,
// and every entry asked of every block must give a value inside the bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "installer/install_list.h"
#include "installer/title_launcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zd::install;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const InstallList list = ParseInstallList(bytes);
  if (list.problem == ListProblem::None && list.blocks.empty()) std::abort();
  if (list.problem != ListProblem::None && !list.blocks.empty()) std::abort();
  static constexpr std::string_view kNames[] = {"group", "actshts", "readme", "weblink", "icon",
                                                "item", "command", "extrasdir", "path", ""};
  for (const InstallBlock& block : list.blocks) {
    if (block.text.size() > kMaxBlockBytes) std::abort();
    for (std::string_view name : kNames) {
      const auto value = block.Value(name);
      if (!value) continue;
      if (value->size() > kMaxValueBytes || value->find('"') != std::string::npos) std::abort();
      // The checks the installer puts every name and path through.
      IsBareName(*value);
      RelativeComponents(*value);
    }
  }
  return 0;
}
