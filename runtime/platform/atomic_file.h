// Files that appear whole or not at all: the bytes go to a temporary file beside the target,
// are flushed to the disk, and the temporary file is then renamed over the target. A crash or a
// full disk leaves the old file (or none), never half of a new one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zd::platform {

// A file being written; it takes its place only when Commit succeeds. Dropped without a
// commit, it leaves nothing behind.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Starts writing `diskPath` (UTF-8); its folder must exist. False with `error` set when the
  // temporary file cannot be made there.
  bool Open(const std::string& diskPath, std::string& error);
  bool Write(std::string_view bytes);
  // Overwrites bytes already written (a header whose sizes are known only at the end).
  bool WriteAt(uint64_t offset, std::string_view bytes);
  uint64_t size() const { return size_; }
  bool isOpen() const { return fd_ >= 0; }
  // Flushes to the disk and renames into place; false with `error` set when any write failed.
  bool Commit(std::string& error);
  void Abandon();

 private:
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  uint64_t size_ = 0;
  int writeErrno_ = 0;  // the first failed write's reason
};

// The whole file in one go.
bool WriteFileAtomic(const std::string& diskPath, std::string_view bytes, std::string& error);

}  // namespace zd::platform
