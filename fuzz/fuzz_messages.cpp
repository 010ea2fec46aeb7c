// MESSAGES.TXT: looking a key up in a hostile messages file, then formatting the text found
// with a number and with a text, as reports do. The input is the key, a line feed, the file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/message_format.h"
#include "shell/keyed_messages.h"

namespace {

// The file lives in memory: the lookup reads it by path, as the player reads MESSAGES.TXT.
class MemoryFile {
 public:
  MemoryFile() : fd_(memfd_create("MESSAGES.TXT", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {}
  const std::string& Write(std::string_view bytes) {
    if (ftruncate(fd_, 0) != 0 || pwrite(fd_, bytes.data(), bytes.size(), 0) < 0) path_.clear();
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile file;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\n');
  const std::string_view key = split == std::string_view::npos ? input.substr(0, 0) : input.substr(0, split);
  const std::string_view contents = split == std::string_view::npos ? input : input.substr(split + 1);
  const std::string& path = file.Write(contents);
  if (path.empty()) return 0;
  const std::string text = zd::LookupMessage(path, key);
  zd::FormatMessageText(text, zd::MessageArgument(-2147483647 - 1));
  zd::FormatMessageText(text, zd::MessageArgument(std::string(key)));
  zd::FormatMessageText(text, zd::MessageArgument());
  zd::FormatMessageText(contents, zd::MessageArgument(7), 16);
  return 0;
}
