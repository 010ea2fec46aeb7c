#include "installer/install_list.h"

namespace zd::install {

std::optional<std::string> InstallBlock::Value(std::string_view) const { return std::nullopt; }

InstallList ParseInstallList(std::string_view) {
  InstallList list;
  list.problem = ListProblem::Empty;
  return list;
}

}  // namespace zd::install
