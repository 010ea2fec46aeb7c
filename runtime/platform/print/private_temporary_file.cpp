#include "platform/print/private_temporary_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace zd::platform {
namespace {

// $XDG_RUNTIME_DIR is private to the user; the shared temporary folder is the fallback.
std::string TemporaryFolder() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  std::error_code error;
  if (runtimeDir && *runtimeDir == '/' && std::filesystem::is_directory(runtimeDir, error)) {
    return runtimeDir;
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::string() : folder.string();
}

}  // namespace

std::string CreatePrivateTemporaryFile(std::string_view prefix, std::string_view suffix) {
  const std::string folder = TemporaryFolder();
  if (folder.empty()) return {};
  std::string pattern = (std::filesystem::path(folder) / std::string(prefix)).string();
  pattern += "XXXXXX";
  pattern += suffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkostemps makes the name and the file in one step (no one can slip in between), mode 0600.
  const int fd = ::mkostemps(name.data(), int(suffix.size()), O_CLOEXEC);
  if (fd < 0) return {};
  ::close(fd);
  return name.data();
}

}  // namespace zd::platform
